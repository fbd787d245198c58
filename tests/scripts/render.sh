#!/usr/bin/env bash
# exo-tool render paints the experiment as the window's refresh does: the
# traced rays over the objects, or the objects alone with --no-run.
source "$(dirname "$0")/common.bash"

python3 "$SCRIPTS/exo_independent.py" sample "$WORK/sample.exo" || exit 1

# pixel FILE X Y: prints "R G B" of an uncompressed BMP.
pixel() {
  python3 - "$@" <<'PYEOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
x, y = int(sys.argv[2]), int(sys.argv[3])
offset, = struct.unpack_from("<I", data, 10)
width, height = struct.unpack_from("<ii", data, 18)
bpp, = struct.unpack_from("<H", data, 28)
stride = (width * bpp // 8 + 3) // 4 * 4
row = height - 1 - y if height > 0 else y
at = offset + row * stride + x * bpp // 8
b, g, r = data[at], data[at + 1], data[at + 2]
print(r, g, b)
PYEOF
}

# The reflected ray runs up from (400, 300) in the ray colour 0x00FFFF
# (red 255, green 255); without tracing the spot shows the page's ambient
# colour 0x102030.
if run_tool "$WORK/out" "$WORK/err" render "$WORK/sample.exo" "$WORK/run.bmp" --size 640x480; then
  if [ "$rc" -eq 0 ] && [ "$(pixel "$WORK/run.bmp" 400 200)" = "255 255 0" ]; then pass; else
    fail "traced picture: exit $rc, pixel $(pixel "$WORK/run.bmp" 400 200 2>&1)"
  fi
fi
if run_tool "$WORK/out" "$WORK/err" render "$WORK/sample.exo" "$WORK/still.bmp" --size 640x480 --no-run; then
  if [ "$rc" -eq 0 ] && [ "$(pixel "$WORK/still.bmp" 400 200)" = "48 32 16" ]; then pass; else
    fail "untraced picture: exit $rc, pixel $(pixel "$WORK/still.bmp" 400 200 2>&1)"
  fi
fi

# Each format by its extension, at the size asked for (1920x1080 by default).
for ext in png PNG jpg jpeg bmp; do
  out="$WORK/picture.$ext"
  args=(render "$WORK/sample.exo" "$out")
  [ "$ext" = bmp ] || args+=(--size 320x200)
  if run_tool "$WORK/out" "$WORK/err" "${args[@]}" && [ "$rc" -eq 0 ]; then
    if python3 - "$out" "$ext" <<'PYEOF'; then pass; else fail "picture.$ext is not the right image"; fi
import struct, sys
data = open(sys.argv[1], "rb").read()
ext = sys.argv[2].lower()
if ext == "png":
    ok = data[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", data[16:24]) == (320, 200)
elif ext in ("jpg", "jpeg"):
    ok = data[:2] == b"\xff\xd8"
    i = 2
    size = None
    while i + 9 < len(data) and size is None:
        if data[i] != 0xFF:
            break
        marker, length = data[i + 1], struct.unpack(">H", data[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            size = struct.unpack(">HH", data[i + 5:i + 9])[::-1]
        i += 2 + length
    ok = ok and size == (320, 200)
else:
    ok = data[:2] == b"BM" and struct.unpack_from("<ii", data, 18) == (1920, 1080)
sys.exit(0 if ok else 1)
PYEOF
  else
    fail "render to .$ext: exit ${rc:-?} $(cat "$WORK/err")"
  fi
done

# A refused file writes no picture.
python3 - "$WORK/sample.exo" "$WORK/damaged.exo" <<'PYEOF'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
struct.pack_into("<i", data, 4, len(data) + 1)
open(sys.argv[2], "wb").write(data)
PYEOF
if run_tool "$WORK/out" "$WORK/err" render "$WORK/damaged.exo" "$WORK/never.png" &&
  [ "$rc" -eq 1 ] && [ ! -e "$WORK/never.png" ] && grep -q "文件格已经损,不能打开." "$WORK/err"; then
  pass
else
  fail "render of a refused file"
fi

# A target that cannot be written.
if run_tool "$WORK/out" "$WORK/err" render "$WORK/sample.exo" "$WORK/no/such/dir/x.png" &&
  [ "$rc" -eq 1 ] && [ -s "$WORK/err" ]; then pass; else fail "render to a missing directory"; fi

# Vector pictures: an SVG of strokes in the ray colour, a PDF of one page;
# an unwritable target fails as for bitmaps.
if run_tool "$WORK/out" "$WORK/err" render "$WORK/sample.exo" "$WORK/v.svg" --size 640x480 &&
  [ "$rc" -eq 0 ] && grep -q 'stroke="#ffff00"' "$WORK/v.svg"; then pass; else fail "render to .svg"; fi
if run_tool "$WORK/out" "$WORK/err" render "$WORK/sample.exo" "$WORK/v.pdf" &&
  [ "$rc" -eq 0 ] && [ "$(head -c 4 "$WORK/v.pdf")" = "%PDF" ]; then pass; else fail "render to .pdf"; fi
for ext in svg pdf; do
  if run_tool "$WORK/out" "$WORK/err" render "$WORK/sample.exo" "$WORK/no/such/dir/x.$ext" &&
    [ "$rc" -eq 1 ] && [ -s "$WORK/err" ]; then pass; else fail "render .$ext to a missing directory"; fi
done

finish
