#!/usr/bin/env bash
# The irregular object and the fibre written by the independent
# implementation: exo-tool traces them (a ray along the fibre's axis passes
# its open ends untouched, a ray on the outline is mirrored) and writes every field back.
source "$(dirname "$0")/common.bash"
PY="python3 $SCRIPTS/exo_independent.py"

python3 - "$WORK/freehand.exo" <<'PYEOF' || { echo "cannot write the experiment"; exit 1; }
import sys
import exo_independent as X
def lamp(x1, y1, x2, y2, colour):
    o = X.default_object("LampHouse")
    o.update({"x1": x1, "y1": y1, "x2": x2, "y2": y2, "rayColour": colour, "name": "L"})
    return o
fibre = X.default_object("RayFibre")
fibre.update({"name": "F", "centre": [[150.0, 300.0], [300.0, 300.0], [450.0, 300.0]],
              "right": [[150.0, 305.0], [300.0, 305.0], [450.0, 305.0]],
              "left": [[150.0, 295.0], [300.0, 295.0], [450.0, 295.0]],
              "index": 1.5, "colour": 0x123456, "firstPaint": 0})
body = X.default_object("FitfulObject")
body.update({"name": "B", "vertices": [[600.0, 100.0], [700.0, 100.0], [700.0, 200.0],
                                       [600.0, 200.0]], "extent": 4, "closed": 1,
             "fillColour": 0x445566, "firstPaint": 0})
with open(sys.argv[1], "wb") as f:
    f.write(X.build({"objects": [lamp(40.0, 300.0, 100.0, 300.0, 0xFF),
                                 lamp(500.0, 150.0, 550.0, 150.0, 0xFF00), fibre, body]}))
PYEOF

if run_tool "$WORK/trace" "$WORK/err" trace "$WORK/freehand.exo"; then
  if [ "$rc" -ne 0 ]; then
    fail "trace exit $rc: $(cat "$WORK/err")"
  elif python3 - "$WORK/trace" <<'PYEOF'; then pass; else fail "trace: $(head -c 600 "$WORK/trace")"; fi
import math, sys
rays = [l.split("\t") for l in open(sys.argv[1], encoding="utf-8") if l.startswith("ray\t")]
def pieces(colour):
    return [[float(v) for v in w[1:5]] for w in rays if int(w[5]) == colour]
def heading(p):
    return math.degrees(math.atan2(-(p[3] - p[1]), p[2] - p[0])) % 360
along, mirrored = pieces(0xFF), pieces(0xFF00)
ok = (len(along) == 1 and along[0][2] > 450 and abs(along[0][3] - 300) < 0.01
      and min(heading(along[-1]), 360 - heading(along[-1])) < 1e-3
      and len(mirrored) == 2 and abs(mirrored[1][0] - 600) < 1 and abs(heading(mirrored[1]) - 180) < 1e-3)
sys.exit(0 if ok else 1)
PYEOF
fi

if run_tool "$WORK/out" "$WORK/err" resave "$WORK/freehand.exo" "$WORK/resaved.exo"; then
  if [ "$rc" -ne 0 ]; then
    fail "resave exit $rc: $(cat "$WORK/err")"
  elif $PY parse "$WORK/freehand.exo" >"$WORK/before.json" &&
    $PY parse "$WORK/resaved.exo" >"$WORK/after.json" &&
    python3 - "$WORK/before.json" "$WORK/after.json" <<'PYEOF'; then pass; else fail "resave changed fields"; fi
import json, sys
before, after = (json.load(open(p, encoding="utf-8"))["objects"] for p in sys.argv[1:3])
free = {"slope", "intercept", "direction", "vertical", "verticalX", "emissionGroup",
        "lastSurface", "sourceLineWidth", "nameReference"}
bad = [(i, k, v, b.get(k)) for i, (a, b) in enumerate(zip(before, after)) for k, v in a.items()
       if k not in free and b.get(k) != v]
print(bad, file=sys.stderr)
sys.exit(0 if len(before) == len(after) == 4 and not bad else 1)
PYEOF
fi

finish
