#!/usr/bin/env bash
# exo-tool as a Unix tool: every command's --help, "--opt=value", "--", "-"
# for standard input and output, --json that Python reads, failed writes
# that exit 1 with the reason, errors in the interface language, and no
# Qt warning on standard error.
source "$(dirname "$0")/common.bash"

python3 "$SCRIPTS/exo_independent.py" sample "$WORK/sample.exo" || exit 1
S="$WORK/sample.exo"
LENS="$SOURCE/examples/凸透镜成像(物体在一倍和二倍焦距之间).exo"
cd "$WORK" || exit 1

for command in trace render readout resave info export bench; do
  run_tool out err "$command" --help || continue
  [ "$rc" -eq 0 ] && grep -q "^usage: exo-tool $command" out && grep -q -- "--lang" out &&
    [ ! -s err ] && pass || fail "$command --help: $rc $(cat err)"
done

# "--opt=value" reads as "--opt value"; after "--" a name like an option is a file.
run_tool a err trace "$S" --size 320x200 --generations 1 &&
  run_tool b err trace --size=320x200 --generations=1 "$S" &&
  [ -s a ] && cmp -s a b && pass || fail "--opt=value"
cp "$S" ./--json
run_tool c err trace --size=320x200 --generations 1 -- --json && [ "$rc" -eq 0 ] && cmp -s a c &&
  pass || fail "--: $rc $(cat err)"

# Usage errors: exit 2 with the problem and the usage.
for args in "info $S --frobnicate" "trace $S --size" "render $S x.png --hq=1" "info $S --runs=3" \
  "render $S - --format gif" "info $S --lang fr"; do
  # shellcheck disable=SC2086
  run_tool out err $args || continue
  [ "$rc" -eq 2 ] && [ ! -s out ] && grep -q "^exo-tool: " err && pass || fail "'$args': $rc $(cat err)"
done

# "-": standard input and output, the same bytes as files give.
run_tool file.png err render "$S" file.png --size 320x200
timeout 60 "$TOOL" render - - --size=320x200 <"$S" >piped.png 2>err && cmp -s file.png piped.png &&
  pass || fail "render - -: $(cat err)"
timeout 60 "$TOOL" render "$S" - --format bmp >piped.bmp 2>err && [ "$(head -c 2 piped.bmp)" = BM ] &&
  pass || fail "render --format bmp to -"
timeout 60 "$TOOL" info - <"$S" | grep -v '^file:' >in.info && "$TOOL" info "$S" | grep -v '^file:' |
  cmp -s - in.info && pass || fail "info -"
timeout 60 "$TOOL" resave - - <"$S" >piped.exo && run_tool out err resave "$S" file.exo &&
  cmp -s piped.exo file.exo && pass || fail "resave - -"
timeout 60 "$TOOL" export - - <"$S" >piped.json 2>/dev/null && run_tool out err export "$S" file.json &&
  cmp -s piped.json file.json && pass || fail "export - -"
# Standard input is bounded as a file is.
head -c $((256 * 1024 * 1024 + 1)) /dev/zero | timeout 60 "$TOOL" info - >out 2>err
[ "${PIPESTATUS[1]}" -eq 1 ] && grep -q "^exo-tool: 标准输入: .*256 MB" err && pass || fail "stdin bound: $(cat err)"

# --json: one document, its keys as documented.
run_tool text err trace "$S" --size 320x200
run_tool trace.json err trace "$S" --size 320x200 --json
run_tool info.json err info "$S" --json
run_tool bench.json err bench "$S" --runs=2 --size 64x64 --json
run_tool readout.json err readout "$LENS" --json
python3 - "$(grep -c '^ray' text)" <<'PYEOF' && pass || fail "--json documents"
import json, sys
t = json.loads(open("trace.json").read())
assert t["ray_pieces"] == int(sys.argv[1]) == sum(i["kind"] == "ray" for i in t["items"]), t["ray_pieces"]
assert {"x1_px", "y1_px", "x2_px", "y2_px", "colour_bgr", "blend"} <= t["items"][0].keys()
assert t["width_px"] == 320 and t["cut"] is False
i = json.loads(open("info.json").read())
assert i["version"] == 6 and i["complete"] and i["size_bytes"] > 0 and "ray_width_px" in i["page"]
assert all({"class", "name", "points_px"} <= o.keys() for o in i["objects"]) and i["objects"]
b = json.loads(open("bench.json").read())
assert b["ray_pieces"] == t["ray_pieces"] and b["runs"] == 2 and b["width_px"] == 64
assert all(b[k] >= 0 for k in ("trace_median_ms", "trace_min_ms", "refresh_median_ms", "refresh_min_ms"))
r = json.loads(open("readout.json").read())["elements"]
assert [tuple(round(e[k], 3) for k in ("f_px", "u_px", "v_px", "magnification")) + (e["real"], e["upright"]) for e in r] == \
    [(100, 150, 300, -2, True, False)], r
PYEOF

# A write that fails: exit 1, the file and the system's reason.
for args in "info $S" "trace $S" "readout $S --json" "bench $S --runs 1 --size 64x64" "render $S -" \
  "resave $S -" "export $S -" "render $S /dev/full --format png"; do
  # shellcheck disable=SC2086
  timeout 60 "$TOOL" $args >/dev/full 2>err
  rc=$?
  [ "$rc" -eq 1 ] && grep -qE "^exo-tool: .*: 不能写入: (No space left on device|设备中已没有剩余空间)$" err && pass ||
    fail "$args to /dev/full: $rc $(cat err)"
done
python3 - "$TOOL" "$S" <<'PYEOF' && pass || fail "a closed pipe"
import os, subprocess, sys
r, w = os.pipe()
os.close(r)
p = subprocess.run([sys.argv[1], "trace", sys.argv[2]], stdout=w, stderr=subprocess.PIPE, timeout=60)
err = p.stderr.decode()
sys.exit(0 if p.returncode == 1 and "Broken pipe" in err and err.startswith("exo-tool: ") else 1)
PYEOF

# The system's reason after the program's message, in the interface language.
run_tool out err info missing.exo
[ "$rc" -eq 1 ] && [ "$(cat err)" = "exo-tool: missing.exo: 打开文件失败: No such file or directory" ] &&
  pass || fail "Chinese: $(cat err)"
for english in "--lang en" "--lang=en_GB"; do
  # shellcheck disable=SC2086
  run_tool out err info missing.exo $english
  [ "$rc" -eq 1 ] && [ "$(cat err)" = "exo-tool: missing.exo: The file could not be opened: No such file or directory" ] &&
    pass || fail "$english: $(cat err)"
done
LANG=en_US.UTF-8 timeout 60 "$TOOL" trace "$S" --size 0x1 >out 2>err
[ $? -eq 2 ] && grep -q "each side 1 to 8192" err && pass || fail "English locale: $(cat err)"

# Qt's own warnings stay with Qt, even without a runtime directory.
for args in "render $S x.png --size 64x64" "bench $S --runs 1 --size 64x64" "info $S"; do
  # shellcheck disable=SC2086
  env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM timeout 60 "$TOOL" $args >/dev/null 2>err
  [ $? -eq 0 ] && [ ! -s err ] && pass || fail "$args without XDG_RUNTIME_DIR: $(cat err)"
done
finish
