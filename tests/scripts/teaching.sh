#!/usr/bin/env bash
# Stepping and following from the command line: asking for every generation
# prints and paints exactly the whole trace.
source "$(dirname "$0")/common.bash"

cd "$SOURCE/examples" || fail "cannot enter examples/"
for name in 三棱镜的全反射.exo 凸透镜成像\(物体在二倍焦距以外\).exo 两面相对的平面镜.exo; do
  golden="$SOURCE/tests/golden/${name%.exo}.trace"
  if run_tool "$WORK/all" "$WORK/err" trace "$name" --generations 999999; then
    if cmp -s "$WORK/all" "$golden"; then pass; else fail "$name: every generation is not the whole trace"; fi
  fi
  run_tool "$WORK/out" "$WORK/err" render "$name" "$WORK/whole.png" --size 800x600 &&
    run_tool "$WORK/out" "$WORK/err" render "$name" "$WORK/all.png" --size 800x600 --generations 999999 &&
    { if cmp -s "$WORK/whole.png" "$WORK/all.png"; then pass; else fail "$name: render differs"; fi; }
done
# A followed beam changes the picture; a point far from every ray follows none.
if run_tool "$WORK/out" "$WORK/err" render 白光经过三棱镜.exo "$WORK/whole.png" --size 800x600 &&
  run_tool "$WORK/out" "$WORK/err" render 白光经过三棱镜.exo "$WORK/f.png" --size 800x600 --follow 272,256 &&
  run_tool "$WORK/out" "$WORK/err" render 白光经过三棱镜.exo "$WORK/n.png" --size 800x600 --follow 5,5; then
  if ! cmp -s "$WORK/whole.png" "$WORK/f.png" && cmp -s "$WORK/whole.png" "$WORK/n.png"; then pass; else fail "--follow"; fi
fi
# The equation of an object between f and 2f of a convex lens.
if run_tool "$WORK/out" "$WORK/err" readout "凸透镜成像(物体在一倍和二倍焦距之间).exo"; then
  expected="$(printf 'element\tIdealMagnifier1\tRealObject1\t100.000\t150.000\t300.000\t-2.000\treal\tinverted')"
  if [ "$rc" -eq 0 ] && [ "$(cat "$WORK/out")" = "$expected" ]; then pass; else fail "readout: $(cat "$WORK/out")"; fi
fi
for bad in "--generations 0" "--generations x" "--follow 3" "--follow x,1"; do
  # shellcheck disable=SC2086
  run_tool "$WORK/out" "$WORK/err" render 平面镜反射.exo "$WORK/x.png" $bad
  if [ "$rc" -eq 2 ]; then pass; else fail "$bad accepted"; fi
done
finish
