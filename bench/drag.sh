#!/usr/bin/env bash
# Replays a 60 Hz drag in a real window on a virtual 1920x1080 display.
# Usage: bench/drag.sh [BUILD_DIR] [--all]
#   default: the five benchmark scenes; --all: every example experiment.
set -euo pipefail
build="build"
all=0
for a in "$@"; do
  if [ "$a" = "--all" ]; then all=1; else build="$a"; fi
done
examples="$build/Optics example"
if [ "$all" = 1 ]; then
  mapfile -t scenes < <(cd "$examples" && ls -1 *.exo | sed 's/\.exo$//')
else
  scenes=(两面相对的平面镜 白光经过三棱镜 "光导纤维(基准)" 密集场景 四面镜子中的复合光)
fi
for scene in "${scenes[@]}"; do
  echo "== $scene"
  timeout 120 xvfb-run -a -s "-screen 0 1920x1080x24" env -u QT_QPA_PLATFORM \
    "$build/bench/exo_drag_bench" "$examples/$scene.exo" 2>/dev/null
done
