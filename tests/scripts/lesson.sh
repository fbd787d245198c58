#!/usr/bin/env bash
# Lessons from the command line: pack experiments into a lesson, list it,
# trace, render and read out a scene as its experiment file gives them, and
# unpack the scenes byte for byte as a re-save writes them.
source "$(dirname "$0")/common.bash"

cd "$SOURCE/examples" || fail "cannot enter examples/"
a=平面镜反射.exo
b="凸透镜成像(物体在一倍和二倍焦距之间).exo"
lesson="$WORK/课.exol"
if run_tool "$WORK/out" "$WORK/err" lesson pack "$lesson" "$a" "$b" && [ "$rc" -eq 0 ]; then pass; else fail "pack: $(cat "$WORK/err")"; fi
if run_tool "$WORK/out" "$WORK/err" info "$lesson" && [ "$rc" -eq 0 ] &&
  grep -q '^scenes: 2$' "$WORK/out" && grep -q '^2 "凸透镜成像(物体在一倍和二倍焦距之间)"' "$WORK/out"; then
  pass
else fail "info lists the scenes: $(cat "$WORK/out" "$WORK/err")"; fi
run_tool "$WORK/out" "$WORK/err" info "$lesson" --json &&
  python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); assert len(d["scenes"]) == 2 and not d["pin"]' "$WORK/out" &&
  pass || fail "info --json"
# A scene is its experiment: the same trace, picture and readout.
if run_tool "$WORK/out" "$WORK/err" trace "$lesson" --scene 2 &&
  cmp -s "$WORK/out" "$SOURCE/tests/golden/${b%.exo}.trace"; then pass; else fail "trace --scene 2"; fi
run_tool "$WORK/out" "$WORK/err" render "$lesson" "$WORK/l.png" --size 400x300 &&
  run_tool "$WORK/out" "$WORK/err" render "$a" "$WORK/a.png" --size 400x300 &&
  cmp -s "$WORK/l.png" "$WORK/a.png" && pass || fail "render of scene 1"
run_tool "$WORK/l" "$WORK/err" readout "$lesson" --scene 2 && run_tool "$WORK/e" "$WORK/err" readout "$b" &&
  cmp -s "$WORK/l" "$WORK/e" && pass || fail "readout --scene 2"
if run_tool "$WORK/out" "$WORK/err" lesson unpack "$lesson" "$WORK/scenes" && [ "$rc" -eq 0 ] &&
  run_tool "$WORK/out2" "$WORK/err" resave "$b" "$WORK/b.exo" &&
  cmp -s "$WORK/scenes/scene-002.exo" "$WORK/b.exo"; then pass; else fail "unpack: $(cat "$WORK/err")"; fi
# Wrong use: a scene beyond the lesson (1), --scene of an experiment or a
# lesson command without its files (2), a damaged lesson (1, with the reason).
run_tool "$WORK/out" "$WORK/err" trace "$lesson" --scene 3
if [ "$rc" -eq 1 ] && grep -q "只有 2 个场景" "$WORK/err"; then pass; else fail "--scene 3: $rc"; fi
for bad in "trace $a --scene 1" "lesson pack $WORK/x.exol" "lesson open $lesson $WORK/x" "trace $lesson --scene 0"; do
  # shellcheck disable=SC2086
  run_tool "$WORK/out" "$WORK/err" $bad
  if [ "$rc" -eq 2 ]; then pass; else fail "$bad: $rc"; fi
done
head -c $(($(stat -c %s "$lesson") / 2)) "$lesson" >"$WORK/cut.exol"
run_tool "$WORK/out" "$WORK/err" info "$WORK/cut.exol"
if [ "$rc" -eq 1 ] && grep -q "不能打开课件" "$WORK/err"; then pass; else fail "a cut lesson: $rc"; fi
finish
