#!/usr/bin/env bash
# Runs the real-window tests on a virtual display of their own.
set -euo pipefail
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run is missing: install xvfb (scripts/setup.sh does)" >&2
  exit 1
fi
exec timeout 120 xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb "$@"
