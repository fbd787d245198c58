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

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
