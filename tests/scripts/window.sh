#!/usr/bin/env bash
# The real program under a virtual display: it starts with an example
# experiment, shows its splash, and is still running once the splash has
# closed itself, at 100 % and at 200 %.
source "$(dirname "$0")/common.bash"
PROGRAM="$BUILD/veltrano-optics"
if ! command -v xvfb-run >/dev/null || [ ! -x "$PROGRAM" ]; then
  echo "window check not run: xvfb-run or $PROGRAM missing"
  finish
  exit
fi
example="$(ls "$BUILD/Optics example/"*.exo 2>/dev/null | head -1 || true)"

cat >"$WORK/run.sh" <<'RUNEOF'
#!/usr/bin/env bash
# Inside the virtual display: start, wait past the 3 s splash, check, stop.
unset QT_QPA_PLATFORM
"$@" >"$WORK/stdout" 2>"$WORK/stderr" &
pid=$!
# Up once it handles SIGTERM (a SIGTERM before would kill it), however slow
# the start; then it runs past the splash, which closes itself after 3 s.
for _ in $(seq 1200); do
  mask="$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null)" || break
  [ -n "$mask" ] && (((16#$mask & (1 << 14)) != 0)) && break
  sleep 0.1
done
sleep 6
if kill -0 "$pid" 2>/dev/null; then
  # The program closes its window and leaves with status 0 on SIGTERM; the
  # wait is for the process itself (the caller's timeout bounds a hang).
  kill "$pid"
  wait "$pid"
  status=$?
  if [ "$status" -eq 0 ]; then echo alive >"$WORK/state"; else echo "exit status $status after SIGTERM" >"$WORK/state"; fi
else
  wait "$pid"
  echo "exited $?" >"$WORK/state"
fi
wait "$pid" 2>/dev/null
exit 0
RUNEOF
export WORK
# At 100 % and on a screen scaled to 200 %.
for scale in 1 2; do
  rm -f "$WORK/state"
  QT_SCALE_FACTOR=$scale timeout 180 xvfb-run -a -s "-screen 0 1280x800x24" \
    bash "$WORK/run.sh" "$PROGRAM" ${example:+"$example"}
  state="$(cat "$WORK/state" 2>/dev/null || echo "never started")"
  if [ "$state" = alive ]; then pass; else
    fail "the program did not stay up at scale $scale: $state"
    sed -n 1,20p "$WORK/stderr" 2>/dev/null
  fi
  if grep -q -E "Sanitizer|runtime error:" "$WORK/stderr" 2>/dev/null; then
    fail "sanitizer report from the program at scale $scale"
    sed -n 1,30p "$WORK/stderr"
  else
    pass
  fi
done
finish
