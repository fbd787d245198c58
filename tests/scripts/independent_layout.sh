#!/usr/bin/env bash
# Files written by the independent implementation are read correctly by
# exo-tool, and what exo-tool writes is read back field by field by it.
source "$(dirname "$0")/common.bash"
PY="python3 $SCRIPTS/exo_independent.py"

$PY sample "$WORK/sample.exo" || { echo "cannot write the sample"; exit 1; }

# (a) info lists the page and the objects with their control points.
if run_tool "$WORK/info" "$WORK/err" info "$WORK/sample.exo"; then
  if [ "$rc" -ne 0 ]; then
    fail "info exit $rc: $(cat "$WORK/err")"
  else
    for expected in \
      "version: 6" "size: 750" "format: ptx" "date: 2001-06-01 08:00:00" "product: 物理光学软件" \
      "rayWidth=3 ambient=1056816 normals=1 reverse=0 axes=1 reservedColour=255" \
      "normalColour=65280 reverseColour=16711935 showAngles=1" "objects: 3" \
      '0 ReferenceFrame "ReferenceFrame"' \
      '1 LampHouse "光源一" (100,300) (150,300)' \
      '2 FlatMirror "镜子" (450,250) (350,350)'; do
      if grep -q -F -- "$expected" "$WORK/info"; then pass; else fail "info lacks: $expected"; fi
    done
  fi
fi

# (a) trace: the source's ray runs along y = 300 to the mirror at (400, 300)
# and leaves it straight up.
if run_tool "$WORK/trace" "$WORK/err" trace "$WORK/sample.exo"; then
  if [ "$rc" -ne 0 ]; then
    fail "trace exit $rc: $(cat "$WORK/err")"
  elif python3 - "$WORK/trace" <<'PYEOF'; then pass; else fail "trace: $(head -c 600 "$WORK/trace")"; fi
import re, sys
numbers = re.compile(r"-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?")
pieces = []
for line in open(sys.argv[1], encoding="utf-8"):
    words = line.split()
    if not words or "ray" not in words[0].lower():
        continue
    values = [float(v) for v in numbers.findall(line)]
    if len(values) >= 4:
        pieces.append(values[:4])
near = lambda a, b, tol=2.0: abs(a - b) <= tol
incoming = [p for p in pieces if near(p[0], 150) and near(p[1], 300)
            and near(p[2], 400) and near(p[3], 300)]
outgoing = [p for p in pieces if near(p[0], 400) and near(p[1], 300)
            and near(p[2], 400) and p[3] < 0]
if not incoming or not outgoing:
    print("pieces:", pieces, file=sys.stderr)
    sys.exit(1)
PYEOF
fi

# (b) resave: every field the layout defines comes back unchanged.
if run_tool "$WORK/out" "$WORK/err" resave "$WORK/sample.exo" "$WORK/resaved.exo"; then
  if [ "$rc" -ne 0 ]; then
    fail "resave exit $rc: $(cat "$WORK/err")"
  else
    $PY parse "$WORK/sample.exo" >"$WORK/before.json" &&
      $PY parse "$WORK/resaved.exo" >"$WORK/after.json"
    if python3 - "$WORK/before.json" "$WORK/after.json" <<'PYEOF'; then pass; else fail "resave changed fields"; fi
import json, sys
before = json.load(open(sys.argv[1], encoding="utf-8"))
after = json.load(open(sys.argv[2], encoding="utf-8"))
bad = []
def same(path, a, b):
    if a != b:
        bad.append("%s: %r -> %r" % (path, a, b))
# Words the layout leaves to each writer (derived or spare) are not compared.
free = {"slope", "intercept", "direction", "vertical", "verticalX", "nameReference",
        "emissionGroup", "lastSurface", "sourceLineWidth", "spare"}
same("size", after["header"]["size"], after["fileLength"])
for key in ("version", "format", "date", "product"):
    same("header." + key, before["header"][key], after["header"][key])
for key, value in before["page"].items():
    same("page." + key, value, after["page"][key])
same("objects", len(before["objects"]), len(after["objects"]))
for i, (a, b) in enumerate(zip(before["objects"], after["objects"])):
    for key, value in a.items():
        if key not in free:
            same("objects[%d].%s" % (i, key), value, b.get(key))
same("stoppedAt", before.get("stoppedAt"), after.get("stoppedAt"))
if bad:
    print("\n".join(bad), file=sys.stderr)
    sys.exit(1)
PYEOF
  fi
fi

# An empty experiment from the independent writer: no objects at all.
echo '{"objects": []}' >"$WORK/empty.json"
$PY write "$WORK/empty.json" "$WORK/empty.exo"
if run_tool "$WORK/info" "$WORK/err" info "$WORK/empty.exo" && [ "$rc" -eq 0 ] &&
  grep -q -x "objects: 0" "$WORK/info"; then pass; else fail "empty experiment"; fi

# Wrong usage: exit 2 with the usage text.
for args in "" "info" "frobnicate x.exo" "info a.exo b.exo" "trace x.exo --size 0x10" \
  "trace x.exo --size 100" "resave a.exo" "info x.exo --no-run" "render a.exo b.gif"; do
  # shellcheck disable=SC2086
  if run_tool "$WORK/out" "$WORK/err" $args && [ "$rc" -eq 2 ] && grep -q "usage" "$WORK/err"; then
    pass
  else
    fail "usage for '$args': exit ${rc:-?}"
  fi
done

finish
