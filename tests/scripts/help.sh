#!/usr/bin/env bash
# The help manual beside the program: the build lays out its pages and renders
# the pictures they show, every picture and page they refer to is there, and
# the install puts the whole folder into the program's folder.
source "$(dirname "$0")/common.bash"

HELP="$BUILD/Optics help"
for page in index.html en/index.html style.css; do
  if [ -s "$HELP/$page" ]; then pass; else fail "Optics help/$page is missing"; fi
done

# Every <img src>, <link href> and local <a href> of every page names a file;
# every picture is a PNG the size the build renders.
if python3 - "$HELP" <<'PYEOF'; then pass; else fail "the manual refers to missing or broken files"; fi
import os, re, struct, sys
root = sys.argv[1]
bad, pictures = [], set()
for folder, _, files in os.walk(root):
    for name in files:
        if not name.endswith(".html"):
            continue
        page = os.path.join(folder, name)
        text = open(page, encoding="utf-8").read()
        for kind, ref in re.findall(r'<(img|link|a)\b[^>]*?(?:src|href)="([^"]*)"', text):
            ref = ref.split("#")[0]
            if not ref or re.match(r"[a-z]+:", ref):
                continue
            target = os.path.normpath(os.path.join(folder, ref))
            if not os.path.isfile(target):
                bad.append(f"{page}: {ref}")
            elif kind == "img":
                pictures.add(target)
for picture in sorted(pictures):
    data = open(picture, "rb").read(24)
    if data[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", data[16:24]) != (800, 500):
        bad.append(f"{picture}: not an 800x500 PNG")
if len(pictures) < 6:
    bad.append(f"only {len(pictures)} pictures shown")
for line in bad:
    print("  " + line)
sys.exit(1 if bad else 0)
PYEOF

# The pictures are rendered, not copied: a picture differs from an untraced one.
if [ -x "$TOOL" ] && run_tool "$WORK/out" "$WORK/err" render \
  "$SOURCE/examples/平面镜反射.exo" "$WORK/still.png" --size 800x500 --no-run; then
  if [ "$rc" -eq 0 ] && ! cmp -s "$WORK/still.png" "$HELP/images/plane-mirror.png"; then pass; else
    fail "plane-mirror.png does not show the traced experiment"
  fi
fi

# The install carries the manual into the documentation folder, reached from
# the data folder.
if cmake --install "$BUILD" --prefix "$WORK/prefix" >"$WORK/install.log" 2>&1; then
  installed="$WORK/prefix/share/veltrano-optics/Optics help"
  if [ -s "$installed/index.html" ] && [ -s "$installed/en/index.html" ] &&
    [ -s "$installed/images/plane-mirror.png" ]; then pass; else fail "the install has no manual"; fi
else
  fail "cmake --install: $(tail -3 "$WORK/install.log")"
fi

# The vector pictures the output section links to are drawn as vectors.
if grep -q "<polyline" "$HELP/images/convex-lens-image.svg" 2>/dev/null &&
  [ "$(head -c 4 "$HELP/images/convex-lens-image.pdf" 2>/dev/null)" = "%PDF" ]; then pass; else
  fail "the manual's SVG and PDF pictures are missing or not vector pictures"
fi

finish
