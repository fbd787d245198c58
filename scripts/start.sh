#!/usr/bin/env bash
# Builds the program and starts it with an example experiment.
# Without a display it renders the example with exo-tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
example="build/Optics example/白光的色散.exo"
[ -f "$example" ] || example="$(ls build/"Optics example"/*.exo 2>/dev/null | head -n 1 || true)"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/veltrano-optics ]; then
  cd build && exec ./veltrano-optics ${example:+"${example#build/}"}
fi
if [ -n "$example" ]; then
  QT_QPA_PLATFORM=offscreen build/exo-tool render "$example" build/example.png
  echo "No display: rendered $example to build/example.png"
  echo "To use the window under a virtual display: xvfb-run -s '-screen 0 1920x1080x24' bash scripts/start.sh"
fi
