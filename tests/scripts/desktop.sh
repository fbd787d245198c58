#!/usr/bin/env bash
# The desktop entry is valid, the rendered icons have their sizes, and with
# the file type installed an experiment is recognised (by name and by its
# header alone) and opens with the program.
source "$(dirname "$0")/common.bash"
DESKTOP="$SOURCE/data/desktop"

if command -v desktop-file-validate >/dev/null; then
  if out="$(desktop-file-validate "$DESKTOP/veltrano-optics.desktop" 2>&1)" && [ -z "$out" ]; then
    pass
  else fail "desktop-file-validate: $out"; fi
else
  echo "desktop entry not validated: desktop-file-validate missing (package desktop-file-utils)"
fi
grep -qx 'Exec=veltrano-optics %f' "$DESKTOP/veltrano-optics.desktop" && pass || fail "Exec line"
grep -qx 'MimeType=application/x-veltrano-experiment;' "$DESKTOP/veltrano-optics.desktop" && pass ||
  fail "MimeType line"

# The PNGs exo-make-icons rendered, each as large as its folder says.
for size in 16 22 24 32 48 64 128 256; do
  png="$BUILD/icons/hicolor/${size}x${size}/apps/veltrano-optics.png"
  if [ -f "$png" ] && [ "$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "")' "$png")" = "${size}x${size}" ]; then
    pass
  else fail "icon $png missing or of another size"; fi
done

if ! command -v update-mime-database >/dev/null || ! command -v xdg-mime >/dev/null; then
  echo "file type not checked: update-mime-database or xdg-mime missing (shared-mime-info, xdg-utils)"
  finish
  exit
fi
share="$WORK/share"
mkdir -p "$share/mime/packages" "$share/applications"
cp "$DESKTOP/veltrano-optics.xml" "$share/mime/packages/"
cp "$DESKTOP/veltrano-optics.desktop" "$share/applications/"
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database"
command -v update-desktop-database >/dev/null && update-desktop-database "$share/applications"
export XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share:/usr/share" XDG_CONFIG_HOME="$WORK/config"
# No desktop environment: xdg-mime's own generic lookup.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
example="$(ls "$SOURCE/examples/"*.exo | head -1)"
cp "$example" "$WORK/experiment"
printf 'plain text, not an experiment\n' >"$WORK/notes"
for file in "$example" "$WORK/experiment"; do
  type="$(xdg-mime query filetype "$file" 2>/dev/null)"
  [ "$type" = application/x-veltrano-experiment ] && pass || fail "$file is of type '$type'"
done
type="$(xdg-mime query filetype "$WORK/notes" 2>/dev/null)"
[ "$type" != application/x-veltrano-experiment ] && pass || fail "a text file taken for an experiment"
handler="$(xdg-mime query default application/x-veltrano-experiment 2>/dev/null)"
[ "$handler" = veltrano-optics.desktop ] && pass || fail "experiments open with '$handler'"
finish
