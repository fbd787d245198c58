#!/usr/bin/env bash
# Ideal lenses and the imaging system written by the independent
# implementation: exo-tool traces them with the thin-lens physics and writes
# every field back unchanged. (Images against 1/u + 1/v = 1/f: IdealLensTest.)
source "$(dirname "$0")/common.bash"
PY="python3 $SCRIPTS/exo_independent.py"

python3 - "$WORK" <<'PYEOF' || { echo "cannot write the experiments"; exit 1; }
import os, sys
import exo_independent as X

work = sys.argv[1]
block = lambda seed: "".join("%02x" % ((seed * 11 + i * 7) & 0xFF) for i in range(40))
# A lens from (400, 100) down to (400, 400), f = 100: focal points (300, 250), (500, 250).
def lens(cls, seed):
    return {"class": cls, "name": "透镜", "end0": [400.0, 100.0], "end1": [400.0, 400.0],
            "focal1": [300.0, 250.0], "focal2": [500.0, 250.0], "focalLength": 100.0,
            "firstPaint": 0, "colour": 0x00FF00 + seed, "lineWidth": 3, "reserved": block(seed)}
# Three parallel rays along +x at y = 280, 260 and 240.
beam = {"class": "LampHouse", "x1": 100.0, "y1": 280.0, "x2": 150.0, "y2": 280.0,
        "rayCount": 3, "spacing": 20.0, "skipPaint": 0}
system = {"class": "ImagingSystem", "name": "成像", "colour": 0x123456, "reserved": block(5),
          "points": [[50.0, 10.0], [750.0, 10.0], [750.0, 450.0], [50.0, 450.0], [120.0, 160.0],
                     [120.0, 260.0], [420.0, 20.0], [420.0, 440.0], [640.0, 30.0], [640.0, 410.0]],
          "sparePoint": [3.5, -4.25], "picture": [5.0, 60.0], "panel": [760.0, 15.0],
          "spareFlag": 7, "showPictures": 0, "focalLength": 120.0, "selectedPart": 3.0,
          "showConstruction": 1, "pictureSize": [40, 200], "panelSize": [90, 330]}
experiments = {"convex": [beam, lens("IdealMagnifier", 1)],
               "concave": [beam, lens("IdealConcave", 2)],
               "system": [system]}
for name, objects in experiments.items():
    with open(os.path.join(work, name + ".exo"), "wb") as f:
        f.write(X.build({"objects": objects}))
PYEOF

check_trace() {
  if run_tool "$WORK/trace" "$WORK/err" trace "$WORK/$1.exo"; then
    if [ "$rc" -eq 0 ] && python3 - "$WORK/trace" <<<"$2"; then pass; else fail "trace $1: $rc"; fi
  fi
}
# The line of every piece (or backward extension) that leaves the lens at x = 400
# crosses the axis y = 250 at `x`.
AXIS='
import sys
lines = [l.rstrip("\n").split("\t") for l in open(sys.argv[1], encoding="utf-8")]
def crossings(kind):
    out = []
    for w in lines:
        if w[0] == kind:
            x1, y1, x2, y2 = map(float, w[1:5])
            if abs(x1 - 400) < 0.01 and y1 != y2:
                out.append(x1 + (250 - y1) * (x2 - x1) / (y2 - y1))
    return out
'
check_trace convex "$AXIS"'
c = crossings("ray")
sys.exit(0 if len(c) == 3 and all(abs(x - 500) < 0.05 for x in c) else 1)'
check_trace concave "$AXIS"'
c = crossings("extension")
sys.exit(0 if len(c) == 3 and all(abs(x - 300) < 0.05 for x in c) else 1)'

for file in convex concave system; do
  if run_tool "$WORK/out" "$WORK/err" resave "$WORK/$file.exo" "$WORK/$file.2.exo" && [ "$rc" -eq 0 ] &&
    $PY parse "$WORK/$file.exo" >"$WORK/a.json" && $PY parse "$WORK/$file.2.exo" >"$WORK/b.json"; then
    if python3 - "$WORK/a.json" "$WORK/b.json" <<'PYEOF'; then pass; else fail "resave $file changed fields"; fi
import json, sys
a, b = (json.load(open(p, encoding="utf-8")) for p in sys.argv[1:3])
# Painting clears the paint flags and constructs the image A'B' anew;
# the ray template's derived words are each writer's own.
free = {"skipPaint", "imageA", "imageB", "slope", "intercept", "direction", "vertical",
        "verticalX", "nameReference", "emissionGroup", "lastSurface", "sourceLineWidth"}
bad = [(i, k) for i, (x, y) in enumerate(zip(a["objects"], b["objects"]))
       for k in x if k not in free and x[k] != y.get(k)]
bad += [] if len(a["objects"]) == len(b["objects"]) and not a.get("stoppedAt") else ["objects"]
if bad:
    print(bad, file=sys.stderr)
sys.exit(1 if bad else 0)
PYEOF
  else
    fail "resave $file: $rc $(cat "$WORK/err")"
  fi
done

finish
