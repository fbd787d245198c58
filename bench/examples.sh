#!/usr/bin/env bash
# Median trace and refresh of every example experiment at 1920x1080, normal
# and high quality, as a table. Usage: bench/examples.sh [BUILD_DIR] [exo-tool bench options]
set -euo pipefail
build="${1:-build}"
shift || true
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %10s %12s %12s\n' example "trace ms" "refresh ms" "hq ms"
for file in "$build/Optics example"/*.exo; do
  name=$(basename "$file" .exo)
  normal=$(QT_QPA_PLATFORM=offscreen "$build/exo-tool" bench "$file" --runs 11 "$@" 2>/dev/null)
  hq=$(QT_QPA_PLATFORM=offscreen "$build/exo-tool" bench "$file" --runs 11 --hq "$@" 2>/dev/null)
  trace=$(awk -F'\t' '/^trace ms/ {sub("median ", "", $2); print $2}' <<<"$normal")
  refresh=$(awk -F'\t' '/^refresh ms/ {sub("median ", "", $2); print $2}' <<<"$normal")
  refreshHq=$(awk -F'\t' '/^refresh ms/ {sub("median ", "", $2); print $2}' <<<"$hq")
  printf '%-34s %10s %12s %12s\n' "$name" "$trace" "$refresh" "$refreshHq"
done
