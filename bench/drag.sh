#!/usr/bin/env bash
# Replays a 60 Hz drag over each benchmark scene in a real window on a
# virtual 1920x1080 display. Usage: bench/drag.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
for scene in 两面相对的平面镜 白光经过三棱镜 "光导纤维(基准)" 密集场景 四面镜子中的复合光; do
  echo "== $scene"
  timeout 120 xvfb-run -a -s "-screen 0 1920x1080x24" env -u QT_QPA_PLATFORM \
    "$build/bench/exo_drag_bench" "$build/Optics example/$scene.exo" 2>/dev/null
done
