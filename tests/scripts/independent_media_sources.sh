#!/usr/bin/env bash
# Media, the composite source, the point source and the luminous object, written
# by the independent implementation: exo-tool reads their control points,
# traces them with the expected physics, and writes every field back unchanged.
source "$(dirname "$0")/common.bash"
PY="python3 $SCRIPTS/exo_independent.py"

# The experiments. Every base field and reserved block differs from the
# defaults so that a shifted field shows up in the round trip.
python3 - "$WORK" <<'PYEOF' || { echo "cannot write the experiments"; exit 1; }
import json, sys, os
import exo_independent as X

work = sys.argv[1]

def block(seed):
    return "".join("%02x" % ((seed * 7 + i * 13) & 0xFF) for i in range(40))

def base(seed, **more):
    o = {"flagD": seed & 1, "xorColour": 0x010203 * seed, "selectionColour": 0x30201 + seed,
         "lineWidth": 1 + seed % 4, "handleSize": 10 + seed, "handleColour": 0x100 * seed,
         "flagE": (seed + 1) & 1, "reserved": block(seed)}
    o.update(more)
    return o

rect = [[300.0, 200.0], [500.0, 200.0], [500.0, 400.0], [300.0, 400.0]]
four = base(1, **{"class": "FourPrism", "name": "方形", "vertices": rect, "index": 1.5,
                  "firstPaint": 0, "fillColour": 0x445566, "fillFlag": 0})
three = base(2, **{"class": "ThreePrism", "name3": "三", "vertices":
                   [[100.0, 600.0], [50.0, 700.0], [150.0, 700.0]], "index": 1.625,
                   "firstPaint": 1})
experiments = {
    # One ray into the top face at 45 degrees, one into the left face.
    "media": [
        base(3, **{"class": "LampHouse", "x1": 250.0, "y1": 100.0, "x2": 300.0, "y2": 150.0,
                   "rayColour": 0xFF, "skipPaint": 0}),
        base(4, **{"class": "LampHouse", "x1": 200.0, "y1": 330.0, "x2": 250.0, "y2": 310.0,
                   "rayColour": 0xFF00, "skipPaint": 0}),
        four, three],
    # Two white beams 20 px apart into the left face of the slab.
    "composite": [
        base(5, **{"class": "ComplexlH", "name": "白光", "x1": 200.0, "y1": 330.0,
                   "x2": 250.0, "y2": 310.0, "rayCount": 2, "spacing": 20.0,
                   "skipPaint": 0}),
        four],
    # Tables read from the file; slot 1 comes from the template, not the table.
    "tables": [
        base(6, **{"class": "ComplexlH", "x1": 100.0, "y1": 100.0, "x2": 150.0, "y2": 100.0,
                   "rayColour": 0x0000FF, "indexFactor": 1.0,
                   "colours": [0x123456, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66],
                   "factors": [9.5, 1.5, 1.25, 1.125, 1.0625, 1.03125, 1.015625],
                   "skipPaint": 1})],
    # A point source and, in its own file, a luminous object before a plane
    # mirror at x = 400 that reflects rays coming from the left.
    "point": [
        base(7, **{"class": "PointLampHouse", "objectName": "S", "rayColour": 0xFFFF,
                   "indexFactor": 1.25, "spare": 12.5, "skipPaint": 0,
                   "x1": 11.0, "y1": 12.0, "x2": 13.0, "y2": 14.0,
                   "points": [[200.0, 300.0], [260.0, 300.0], [260.0, 280.0], [260.0, 320.0]]
                   + [[1000.0 + i, 2000.0 - i] for i in range(7)]}),
        {"class": "FlatMirror", "x1": 400.0, "y1": 100.0, "x2": 400.0, "y2": 500.0}],
    "object": [
        base(8, **{"class": "RealObject", "objectName": "物体", "rayColour": 0xFF00FF,
                   "spare": -3.5, "skipPaint": 1,
                   "points": [[200.0, 300.0], [200.0, 250.0], [260.0, 290.0], [260.0, 310.0],
                              [260.0, 240.0], [260.0, 260.0]]
                   + [[-1.5 * i, 0.25 * i] for i in range(5)]}),
        {"class": "FlatMirror", "x1": 400.0, "y1": 100.0, "x2": 400.0, "y2": 500.0}],
}
for name, objects in experiments.items():
    with open(os.path.join(work, name + ".exo"), "wb") as f:
        f.write(X.build({"objects": objects}))
PYEOF

# (a) info: every object with its control points, and nothing more.
check_info() {
  local file="$1"
  shift
  if run_tool "$WORK/info" "$WORK/err" info "$WORK/$file.exo"; then
    if [ "$rc" -ne 0 ]; then
      fail "info $file exit $rc: $(cat "$WORK/err")"
      return
    fi
    local expected
    for expected in "$@"; do
      if grep -q -x -F -- "$expected" "$WORK/info"; then pass; else fail "info $file lacks: $expected"; fi
    done
  fi
}
check_info media "objects: 4" \
  '0 LampHouse "LampHouse" (250,100) (300,150)' \
  '1 LampHouse "LampHouse" (200,330) (250,310)' \
  '2 FourPrism "方形" (300,200) (500,200) (500,400) (300,400)' \
  '3 ThreePrism "ThreePrism" (100,600) (50,700) (150,700)'
check_info composite "objects: 2" '0 ComplexlH "白光" (200,330) (250,310)'
check_info point "objects: 2" '0 PointLampHouse "PointLampHouse" (200,300) (260,300) (260,280) (260,320)'
check_info object "objects: 2" \
  '0 RealObject "RealObject" (200,300) (200,250) (260,290) (260,310) (260,240) (260,260)'

# (a) trace: the physics of each experiment, checked by a small script that
# reads the tab-separated trace lines.
check_trace() {
  local file="$1" script="$2"
  if run_tool "$WORK/trace" "$WORK/err" trace "$WORK/$file.exo"; then
    if [ "$rc" -ne 0 ]; then
      fail "trace $file exit $rc: $(cat "$WORK/err")"
    elif python3 - "$WORK/trace" <<<"$script"; then
      pass
    else
      fail "trace $file: $(head -c 800 "$WORK/trace")"
    fi
  fi
}

TRACE_LIB='
import math, sys
lines = [l.rstrip("\n").split("\t") for l in open(sys.argv[1], encoding="utf-8")]
rays = [(float(w[1]), float(w[2]), float(w[3]), float(w[4]), int(w[5]), int(w[6]))
        for w in lines if w[0] == "ray"]
def direction(p):  # counter-clockwise on the screen, y down
    return math.degrees(math.atan2(-(p[3] - p[1]), p[2] - p[0])) % 360
def angle_diff(a, b):
    return abs((a - b + 180) % 360 - 180)
def snell(incoming, normal, n):  # normal: direction into the new medium
    i = math.radians((incoming - normal + 180) % 360 - 180)
    return (normal + math.degrees(math.asin(math.sin(i) / n))) % 360
def near(a, b, tol=0.01):
    return abs(a - b) <= tol
problems = []
def expect(ok, text):
    if not ok:
        problems.append(text)
def done():
    if problems:
        print("\n".join(problems), file=sys.stderr)
        sys.exit(1)
'

check_trace media "$TRACE_LIB"'
N = 1.5
# colour, source arrow P1 -> P2, direction of the entry face normal into the slab
for colour, arrow, normal_in in ((0xFF, (250.0, 100.0, 300.0, 150.0), 270.0),
                                 (0xFF00, (200.0, 330.0, 250.0, 310.0), 0.0)):
    first = arrow[2:]
    pieces = [r for r in rays if r[4] == colour]
    expect(len(pieces) == 3, "colour %d: %d pieces" % (colour, len(pieces)))
    if len(pieces) != 3:
        continue
    outside = direction(arrow)
    expect(angle_diff(direction(pieces[0]), outside) < 1e-3, "colour %d aims off" % colour)
    expect(near(pieces[0][0], first[0]) and near(pieces[0][1], first[1]),
           "colour %d starts at %r" % (colour, pieces[0][:2]))
    inside = snell(outside, normal_in, N)
    expect(angle_diff(direction(pieces[1]), inside) < 1e-3,
           "colour %d inside: %.6f, Snell gives %.6f" % (colour, direction(pieces[1]), inside))
    # Leaving: each continuation starts 1 px behind its hit in 32-bit floats,
    # so two of them carry up to about 2 x ulp(512) / 1 px = 2e-3 degrees.
    back = snell(direction(pieces[1]), normal_in, 1 / N)
    expect(angle_diff(direction(pieces[2]), back) < 2e-3 and angle_diff(back, outside) < 2e-3,
           "colour %d leaves at %.6f, expected %.6f" % (colour, direction(pieces[2]), outside))
    expect(near(pieces[1][0], pieces[0][2]) and near(pieces[1][1], pieces[0][3]),
           "colour %d: pieces do not join" % colour)
# The entry points lie on the faces the rays were aimed at.
top = [r for r in rays if r[4] == 0xFF]
expect(len(top) < 2 or near(top[1][0], 350) and near(top[1][1], 200), "top entry %r" % (top[1:2],))
left = [r for r in rays if r[4] == 0xFF00]
expect(len(left) < 2 or near(left[1][0], 300) and near(left[1][1], 290), "left entry %r" % (left[1:2],))
done()
'

check_trace composite "$TRACE_LIB"'
import exo_independent as X
colours = X.COMPOSITE_COLOURS
factors = X.COMPOSITE_FACTORS
first = rays[:14]
expect([r[4] for r in first] == colours * 2, "first generation colours %r" % [r[4] for r in first])
expect(all(r[5] == 1 for r in first), "composite rays are not blended")
for beam in range(2):
    starts = {(round(r[0], 3), round(r[1], 3)) for r in first[7 * beam:7 * beam + 7]}
    expect(len(starts) == 1, "beam %d starts at %r" % (beam, starts))
outside = direction((200.0, 330.0, 250.0, 310.0))
angles = []
for colour, factor in zip(colours, factors):
    inside = [r for r in rays[14:] if r[4] == colour and near(r[0], 300)]
    expect(len(inside) == 2, "colour %d: %d pieces from the left face" % (colour, len(inside)))
    want = snell(outside, 0.0, 1.5 * factor)
    for r in inside:
        expect(angle_diff(direction(r), want) < 1e-3,
               "colour %d inside: %.6f, Snell gives %.6f" % (colour, direction(r), want))
    angles.append(want)
# Violet is bent most, red least.
expect(angles == sorted(angles, reverse=True), "dispersion order %r" % angles)
done()
'

check_trace tables "$TRACE_LIB"'
expect([r[4] for r in rays] == [0xFF, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66],
       "colours %r" % [r[4] for r in rays])
for r in rays:  # nothing to hit: 1000 px straight on from the arrow tip
    expect(near(r[0], 150) and near(r[1], 100) and near(r[2], 1150) and near(r[3], 100),
           "ray %r" % (r,))
done()
'

check_trace point "$TRACE_LIB"'
images = [w for w in lines if w[0] == "image"]
expect(len(images) == 1, "image lines %r" % images)
for w in images:
    expect(near(float(w[1]), 600, 0.1) and near(float(w[2]), 300, 0.1) and w[3] == "virtual"
           and w[4] == "S\x27", "image %r" % w)
expect(all(r[4] == 0xFFFF for r in rays) and len(rays) == 6, "rays %r" % rays)
done()
'

check_trace object "$TRACE_LIB"'
arrows = [w for w in lines if w[0] == "image-arrow"]
expect(len(arrows) == 1, "image-arrow lines %r" % arrows)
for w in arrows:
    v = [float(x) for x in w[1:5]]
    expect(near(v[0], 600, 0.1) and near(v[1], 300, 0.1) and near(v[2], 600, 0.1)
           and near(v[3], 250, 0.1) and w[5] == "virtual", "image-arrow %r" % w)
expect(len(rays) == 8, "%d ray pieces" % len(rays))
done()
'

# (b) resave: every field the layout defines comes back unchanged.
for file in media composite tables point object; do
  if run_tool "$WORK/out" "$WORK/err" resave "$WORK/$file.exo" "$WORK/$file.resaved.exo"; then
    if [ "$rc" -ne 0 ]; then
      fail "resave $file exit $rc: $(cat "$WORK/err")"
      continue
    fi
    if ! $PY parse "$WORK/$file.exo" >"$WORK/before.json" ||
      ! $PY parse "$WORK/$file.resaved.exo" >"$WORK/after.json"; then
      fail "resave $file: the independent reader cannot read a file"
      continue
    fi
    if python3 - "$WORK/before.json" "$WORK/after.json" <<'PYEOF'; then pass; else fail "resave $file changed fields"; fi
import json, sys
before = json.load(open(sys.argv[1], encoding="utf-8"))
after = json.load(open(sys.argv[2], encoding="utf-8"))
bad = []
def same(path, a, b):
    if a != b:
        bad.append("%s: %r -> %r" % (path, a, b))
# Opening paints every object once, which clears the skip-next-paint and
# first-paint flags; they come back as 0.
painted = {"skipPaint", "firstPaint"}
# Words the layout leaves to each writer (derived, links or spare) are not compared.
free = {"slope", "intercept", "direction", "vertical", "verticalX", "nameReference",
        "emissionGroup", "lastSurface", "sourceLineWidth", "spare"}
same("size", after["header"]["size"], after["fileLength"])
same("objects", len(before["objects"]), len(after["objects"]))
same("stoppedAt", before.get("stoppedAt"), after.get("stoppedAt"))
for i, (a, b) in enumerate(zip(before["objects"], after["objects"])):
    for key, value in a.items():
        # The spare float of the point sources is a saved value, not a free word.
        if key not in free or (key == "spare" and a["class"] in ("PointLampHouse", "RealObject")):
            same("objects[%d].%s.%s" % (i, a["class"], key), 0 if key in painted else value,
                 b.get(key))
if bad:
    print("\n".join(bad), file=sys.stderr)
    sys.exit(1)
PYEOF
  fi
done

finish
