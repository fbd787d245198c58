#!/usr/bin/env bash
# Both programs answer --help and --version without a window (even where no
# display could be opened), and refuse an unknown option with the usage.
source "$(dirname "$0")/common.bash"
APP="$BUILD/veltrano-optics"
version="$(sed -n 's/^project(VeltranoOptics VERSION \([0-9.]*\).*/\1/p' "$SOURCE/CMakeLists.txt")"

# No display and a platform that needs one: only an early answer gets through.
for option in --help -h --version -v; do
  out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$APP" "$option" 2>"$WORK/err")"
  rc=$?
  [ "$rc" -eq 0 ] && [ ! -s "$WORK/err" ] || fail "veltrano-optics $option: status $rc, $(cat "$WORK/err")"
  case "$option" in
    --help | -h) [[ "$out" == "Usage: veltrano-optics [options] [FILE.exo]"* ]] && pass || fail "$option: $out" ;;
    *) [ "$out" = "veltrano-optics $version" ] && pass || fail "$option: $out" ;;
  esac
done
out="$(timeout 20 "$APP" --frobnicate 2>"$WORK/err")"
rc=$?
[ "$rc" -eq 2 ] && [ -z "$out" ] && grep -q "Unknown option 'frobnicate'" "$WORK/err" &&
  grep -q "^Usage: veltrano-optics" "$WORK/err" && pass || fail "unknown option: status $rc"

run_tool "$WORK/out" "$WORK/err" --version
[ "$rc" -eq 0 ] && [ "$(cat "$WORK/out")" = "exo-tool $version" ] && pass || fail "exo-tool --version"
run_tool "$WORK/out" "$WORK/err" --help
[ "$rc" -eq 0 ] && grep -q "exo-tool info FILE.exo" "$WORK/out" && pass || fail "exo-tool --help"
run_tool "$WORK/out" "$WORK/err" --frobnicate
[ "$rc" -eq 2 ] && grep -q "^usage:" "$WORK/err" && pass || fail "exo-tool unknown option: $rc"
finish
