#!/usr/bin/env bash
# exo-tool render --paper draws the worksheet: one A4 page on white paper
# with the experiment's title, the date and the table asked for.
source "$(dirname "$0")/common.bash"

example="$SOURCE/examples/凸透镜成像(物体在二倍焦距以外).exo"
today=$(date +%F)
if run_tool "$WORK/out" "$WORK/err" render "$example" "$WORK/sheet.pdf" --paper --table values \
    --lesson-title "透镜成像" && [ "$rc" -eq 0 ]; then
  info=$(pdfinfo "$WORK/sheet.pdf")
  text=$(pdftotext -layout "$WORK/sheet.pdf" -)
  if grep -q "Pages: *1$" <<<"$info" && grep -q "595.* x 842" <<<"$info" &&
     grep -q "透镜成像" <<<"$text" && grep -q "焦距以外)" <<<"$text" &&
     grep -q "$today" <<<"$text" && grep -q "像的性质" <<<"$text" && grep -q "实像" <<<"$text"; then
    pass
  else
    fail "worksheet PDF: $info / $text"
  fi
else
  fail "render --paper: exit $rc: $(cat "$WORK/err")"
fi

# A PNG page at 150 dots an inch, white at its corners.
if run_tool "$WORK/out" "$WORK/err" render "$example" "$WORK/sheet.png" --paper --table blank &&
   [ "$rc" -eq 0 ] && python3 - "$WORK/sheet.png" <<'PYEOF'; then pass; else fail "worksheet PNG"; fi
import struct, sys
data = open(sys.argv[1], "rb").read()
w, h = struct.unpack(">II", data[16:24])
sys.exit(0 if (w, h) == (1239, 1754) else 1)
PYEOF

# The worksheet's options need --paper.
run_tool "$WORK/out" "$WORK/err" render "$example" "$WORK/x.pdf" --table blank
if [ "$rc" -eq 2 ] && grep -q -- "--paper" "$WORK/err"; then pass; else fail "--table without --paper: $rc"; fi
finish
