#!/usr/bin/env bash
# "cmake --install" lays out one program folder with launchers in bin/, the
# installed programs find their data through the launchers, and
# "cpack -G DEB" makes a package with the same files and its dependencies.
source "$(dirname "$0")/common.bash"
if [ ! -x "$BUILD/veltrano-optics" ]; then
  echo "package check not run: $BUILD/veltrano-optics missing"
  finish
  exit
fi
prefix="$WORK/usr"
if ! cmake --install "$BUILD" --prefix "$prefix" >"$WORK/install.log" 2>&1; then
  fail "cmake --install"
  sed -n 1,20p "$WORK/install.log"
  finish
  exit
fi

# The program folder this build was configured with, relative to the prefix.
dir="$(sed -n 's/^EXO_INSTALL_DIR:[A-Z]*=//p' "$BUILD/CMakeCache.txt")"
[ -n "$dir" ] || dir=lib/veltrano-optics
link="$(python3 -c 'import os,sys; print(os.path.relpath("/p/" + sys.argv[1], "/p/bin"))' "$dir")"

# check_layout ROOT: the files of an installed program under ROOT (a prefix).
check_layout() {
  local root="$1" folder="$1/$dir"
  for name in veltrano-optics exo-tool; do
    [ -x "$folder/$name" ] && pass || fail "$folder/$name missing"
    [ "$(readlink "$root/bin/$name")" = "$link/$name" ] && pass ||
      fail "$root/bin/$name is not a link into the program folder"
  done
  for f in DAT/0.dat DAT/66.dat "Optics example/白光的色散.exo"; do
    [ -f "$folder/$f" ] && pass || fail "$folder/$f missing"
  done
  for f in applications/veltrano-optics.desktop mime/packages/veltrano-optics.xml \
    icons/hicolor/16x16/apps/veltrano-optics.png icons/hicolor/256x256/apps/veltrano-optics.png \
    icons/hicolor/scalable/apps/veltrano-optics.svg; do
    [ -f "$root/share/$f" ] && pass || fail "$root/share/$f missing"
  done
}
check_layout "$prefix"
grep -qx "Path=$prefix/$dir" "$prefix/share/applications/veltrano-optics.desktop" && pass ||
  fail "the installed entry does not start in the program folder"

# The installed tool, called through its launcher, reads the examples and
# finds the imaging system's pictures beside its real path: its picture is
# the build's, and a tool without the folder paints another one.
example="$prefix/$dir/Optics example/成像系统.exo"
# check_info ROOT: the launcher's tool describes an example as the golden file does.
check_info() {
  pushd "$1/$dir/Optics example" >/dev/null || return
  TOOL="$1/bin/exo-tool" run_tool "$WORK/info" "$WORK/err" info 成像系统.exo &&
    cmp -s "$WORK/info" "$SOURCE/tests/golden/成像系统.info" && pass || fail "exo-tool info under $1"
  popd >/dev/null || return
}
check_info "$prefix"
run_tool "$WORK/out" "$WORK/err" render "$example" "$WORK/built.png"
TOOL="$prefix/bin/exo-tool" run_tool "$WORK/out" "$WORK/err" render "$example" "$WORK/installed.png"
mkdir "$WORK/lonely" && cp "$BUILD/exo-tool" "$WORK/lonely/"
TOOL="$WORK/lonely/exo-tool" run_tool "$WORK/out" "$WORK/err" render "$example" "$WORK/lonely.png"
cmp -s "$WORK/built.png" "$WORK/installed.png" && pass || fail "the installed tool paints another picture"
cmp -s "$WORK/built.png" "$WORK/lonely.png" && fail "the pictures made no difference" || pass

# The installed program starts with an example and stays up.
"$prefix/bin/veltrano-optics" "$example" >"$WORK/program.out" 2>&1 &
pid=$!
# Once it handles SIGTERM it is up; then it runs for a while.
wait_until_catching "$pid" 15 && sleep 2
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  wait "$pid" && pass || fail "the installed program did not end cleanly on SIGTERM"
else
  wait "$pid"
  fail "the installed program ended by itself: $?"
  sed -n 1,20p "$WORK/program.out"
fi

if ! command -v cpack >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
  echo "package not built: cpack or dpkg-shlibdeps (dpkg-dev) missing"
  finish
  exit
fi
if ! (cd "$WORK" && cpack -G DEB -B "$WORK/pkg" --config "$BUILD/CPackConfig.cmake") >"$WORK/cpack.log" 2>&1; then
  fail "cpack -G DEB"
  tail -20 "$WORK/cpack.log"
  finish
  exit
fi
deb="$(ls "$WORK/pkg/"*.deb 2>/dev/null | head -1)"
[ -n "$deb" ] && pass || { fail "no .deb made"; finish; exit; }
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in fonts-noto-cjk libqt6widgets6 libqt6gui6 libc6; do
  [[ "$depends" == *"$needed"* ]] && pass || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = veltrano-optics ] && pass || fail "package name"
dpkg-deb -x "$deb" "$WORK/unpacked"
check_layout "$WORK/unpacked/usr"
# The entry starts the program in its folder, where "Optics example" lies.
entry="$WORK/unpacked/usr/share/applications/veltrano-optics.desktop"
grep -qx "Path=/usr/$dir" "$entry" && pass || fail "the packaged entry does not start in /usr/$dir"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" && pass || fail "the packaged entry is not valid"
fi
check_info "$WORK/unpacked/usr"

# What Debian's checker asks of a package: no error, no warning (of the
# package that is shipped: a sanitizer build's is not).
if grep -q '^EXO_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt"; then
  echo "lintian not run: a sanitizer build"
elif command -v lintian >/dev/null; then
  lintian "$deb" >"$WORK/lintian" 2>&1
  if grep -E '^[EW]:' "$WORK/lintian"; then fail "lintian"; else pass; fi
else
  echo "lintian not run: lintian missing"
fi
# The manual page of exo-tool names every command and option its usage names.
man="$WORK/unpacked/usr/share/man/man1"
[ -f "$man/veltrano-optics.1.gz" ] && pass || fail "no manual page of veltrano-optics"
"$TOOL" --help | grep -oE '(exo-tool [a-z]+|--[a-z-]+)' | sort -u >"$WORK/words"
while read -r word; do
  zcat "$man/exo-tool.1.gz" | sed 's/\\//g; s/^\.[A-Z]* //' | tr '\n' ' ' | grep -qF -- "$word" && pass ||
    fail "exo-tool.1 does not name $word"
done <"$WORK/words"
# The software-centre entry: valid, for the packaged desktop entry, with its pictures.
meta="$(ls "$WORK/unpacked/usr/share/metainfo/"*.metainfo.xml 2>/dev/null | head -1)"
if [ -z "$meta" ]; then
  fail "no metainfo"
elif command -v appstreamcli >/dev/null; then
  out="$(appstreamcli validate --no-net "$meta" 2>&1)" && ! grep -qE '^[EW]:' <<<"$out" && pass ||
    fail "appstreamcli: $out"
fi
[ -n "$meta" ] && grep -q '<launchable type="desktop-id">veltrano-optics.desktop</launchable>' "$meta" &&
  grep -q '<mediatype>application/x-veltrano-experiment</mediatype>' "$meta" && pass ||
  fail "the metainfo does not name the desktop entry and the file type"
for picture in prism convex-lens; do
  [ -s "$WORK/unpacked/usr/share/veltrano-optics/screenshots/$picture.png" ] && pass ||
    fail "screenshot $picture.png missing"
done
finish
