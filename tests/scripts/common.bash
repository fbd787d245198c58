# Shared by the shell tests: paths, a scratch directory and a careful runner.
set -u
BUILD="${EXO_BUILD_DIR:?EXO_BUILD_DIR must name the build directory}"
SOURCE="${EXO_SOURCE_DIR:?EXO_SOURCE_DIR must name the source directory}"
TOOL="$BUILD/exo-tool"
SCRIPTS="$SOURCE/tests/scripts"
export PYTHONPATH="$SCRIPTS${PYTHONPATH:+:$PYTHONPATH}"
# No compiled module beside the sources: a same-size edit within a second
# would otherwise run the stale one.
export PYTHONDONTWRITEBYTECODE=1
export QT_QPA_PLATFORM=offscreen
# The interface language follows the locale: the checks read the Chinese
# texts, and a test that wants another language says so.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() {
  echo "FAIL: $*"
  failed=$((failed + 1))
}

# run_tool OUT ERR ARGS...: runs exo-tool; sets rc. A crash, a hang or a
# sanitizer report is always a failure.
run_tool() {
  local out="$1" err="$2"
  shift 2
  timeout 60 "$TOOL" "$@" >"$out" 2>"$err"
  rc=$?
  if [ "$rc" -ge 124 ]; then
    fail "exo-tool $* ended with $rc (crash or hang)"
    return 1
  fi
  if grep -q -E "Sanitizer|runtime error:" "$err"; then
    fail "exo-tool $*: sanitizer report"
    sed -n 1,20p "$err"
    return 1
  fi
  return 0
}

# wait_until_catching PID SIGNAL: until the process has put its handler for
# SIGNAL in place (a signal sent before would kill it instead) or has ended.
# A slow start under the sanitizer or a busy machine only takes longer; the
# bound ends a run where neither ever happens.
wait_until_catching() {
  local pid="$1" bit=$((1 << ($2 - 1))) mask
  for _ in $(seq 1200); do
    mask="$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null)" || return 1
    [ -n "$mask" ] || return 1
    (((16#$mask & bit) != 0)) && return 0
    sleep 0.1
  done
  return 1
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
