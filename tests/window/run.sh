#!/usr/bin/env bash
# Runs the real-window tests on a virtual display of their own, under the
# openbox window manager: activation, focus and the first click on a window
# come from a window manager, as on a classroom desktop.
set -euo pipefail
for tool in xvfb-run openbox xprop xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing: install it (scripts/setup.sh does)" >&2
    exit 1
  fi
done
if [ "${1:-}" = "--inside" ]; then
  shift
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # Managing once it names itself on the root window; the bound only ends a
  # display where it never starts.
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
  done
  status=0
  env QT_QPA_PLATFORM=xcb "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  wait "$wm" 2>/dev/null || true
  exit "$status"
fi
exec timeout 300 xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" --inside "$@"
