#!/usr/bin/env bash
# "cmake --install" lays out the programs in bin/ and their data in
# share/veltrano-optics/, where the installed programs find it. With
# EXO_PACKAGE_BUILD=1 the Debian package is built from debian/ as the README
# says (dpkg-buildpackage, on a copy of the sources kept in the build folder
# so that the next build is incremental), checked with lintian, unpacked and
# run from its /usr/bin, and installed into and purged from a scratch root.
# With EXO_PACKAGE_INSTALL=1 it is also installed on this machine with dpkg -i
# and purged again (only where the package is not installed already).
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

data=share/veltrano-optics
# check_layout ROOT: the files of an installed program under ROOT (a prefix).
check_layout() {
  local root="$1"
  for name in veltrano-optics exo-tool; do
    [ -f "$root/bin/$name" ] && [ ! -L "$root/bin/$name" ] && [ -x "$root/bin/$name" ] && pass ||
      fail "$root/bin/$name is not a program"
  done
  for f in DAT/0.dat DAT/66.dat "Optics example/白光的色散.exo" LumidorPro.trk \
    screenshots/prism.png screenshots/convex-lens.png "Optics help/index.html" \
    "Optics help/en/index.html" "Optics help/images/plane-mirror.png"; do
    [ -s "$root/$data/$f" ] && pass || fail "$root/$data/$f missing"
  done
  # The manual lies in the documentation folder; the data folder links to it.
  [ "$(readlink "$root/$data/Optics help")" = ../doc/veltrano-optics/manual ] && pass ||
    fail "Optics help is not a link to the manual in share/doc"
  [ -f "$root/share/doc/veltrano-optics/manual/index.html" ] && pass || fail "no manual in share/doc"
  for f in applications/veltrano-optics.desktop mime/packages/veltrano-optics.xml \
    icons/hicolor/16x16/apps/veltrano-optics.png icons/hicolor/256x256/apps/veltrano-optics.png \
    icons/hicolor/scalable/apps/veltrano-optics.svg; do
    [ -f "$root/share/$f" ] && pass || fail "$root/share/$f missing"
  done
  [ ! -e "$root/lib" ] && pass || fail "$root/lib: $(find "$root/lib" | head -3)"
}
check_layout "$prefix"
grep -qx "Path=$prefix/$data" "$prefix/share/applications/veltrano-optics.desktop" && pass ||
  fail "the installed entry does not start in the data folder"

# check_tool ROOT: the tool in ROOT/bin describes an example of ROOT's data
# folder as the golden file does, and paints the imaging system with the
# build's pictures (a tool without them paints another picture).
run_tool "$WORK/out" "$WORK/err" render "$SOURCE/examples/成像系统.exo" "$WORK/built.png"
check_tool() {
  local examples="$1/$data/Optics example"
  pushd "$examples" >/dev/null || return
  TOOL="$1/bin/exo-tool" run_tool "$WORK/info" "$WORK/err" info 成像系统.exo &&
    cmp -s "$WORK/info" "$SOURCE/tests/golden/成像系统.info" && pass || fail "exo-tool info under $1"
  popd >/dev/null || return
  rm -f "$WORK/installed.png"
  TOOL="$1/bin/exo-tool" run_tool "$WORK/out" "$WORK/err" render "$examples/成像系统.exo" \
    "$WORK/installed.png"
  cmp -s "$WORK/built.png" "$WORK/installed.png" && pass || fail "the tool under $1 paints another picture"
}
check_tool "$prefix"
mkdir "$WORK/lonely" && cp "$BUILD/exo-tool" "$WORK/lonely/"
TOOL="$WORK/lonely/exo-tool" run_tool "$WORK/out" "$WORK/err" render "$SOURCE/examples/成像系统.exo" \
  "$WORK/lonely.png"
cmp -s "$WORK/built.png" "$WORK/lonely.png" && fail "the pictures made no difference" || pass

# The installed program starts with an example and stays up.
"$prefix/bin/veltrano-optics" "$prefix/$data/Optics example/成像系统.exo" >"$WORK/program.out" 2>&1 &
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

if [ "${EXO_PACKAGE_BUILD:-0}" != 1 ]; then
  echo "package not built: EXO_PACKAGE_BUILD=1 builds it (dpkg-buildpackage)"
  finish
  exit
fi
# The package is built with Debian's flags from the sources, whatever this
# build is: a sanitizer build leaves it to the plain one.
if grep -q '^EXO_SANITIZE:BOOL=ON' "$BUILD/CMakeCache.txt"; then
  echo "package not built: a sanitizer build"
  finish
  exit
fi
for program in dpkg-buildpackage dh lintian rsync; do
  command -v "$program" >/dev/null || {
    fail "$program missing (scripts/setup.sh installs it)"
    finish
    exit
  }
done

# The sources, without build trees and what a package build leaves in
# debian/; the copy's own build tree (build-deb/) stays.
version="$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)"
stage="$BUILD/package/veltrano-optics-$version"
mkdir -p "$stage"
if ! rsync -a --delete --delete-excluded --filter='P /build-deb/' --exclude='/.git' \
  --exclude='/build*/' --exclude='/.cache/' --exclude='/compile_commands.json' \
  --exclude='/debian/veltrano-optics/' --exclude='/debian/.debhelper/' --exclude='/debian/tmp/' \
  --exclude='/debian/files' --exclude='/debian/*.substvars' --exclude='/debian/*debhelper*' \
  "$SOURCE/" "$stage/" >"$WORK/rsync.log" 2>&1; then
  fail "copying the sources"
  cat "$WORK/rsync.log"
  finish
  exit
fi
rm -f "$BUILD/package/"*.deb "$BUILD/package/"*.changes "$BUILD/package/"*.buildinfo
# ccache keeps its cache where the user's is, not in debhelper's HOME.
if command -v ccache >/dev/null; then export CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}"; fi
start=$SECONDS
# -nc: the last package build's tree (build-deb/) is kept, so only what
# changed is compiled again. The tests ran on this build already: nocheck.
# Flags from the environment (CI's -Werror) go on top of Debian's: set as
# they are, debhelper would take them instead, and build without hardening.
if ! (cd "$stage" && export DEB_CFLAGS_APPEND="${CFLAGS:-}" DEB_CXXFLAGS_APPEND="${CXXFLAGS:-}" &&
  unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS &&
  DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b -nc) \
  >"$WORK/deb.log" 2>&1; then
  fail "dpkg-buildpackage"
  tail -30 "$WORK/deb.log"
  finish
  exit
fi
echo "dpkg-buildpackage took $((SECONDS - start)) s"
arch="$(dpkg --print-architecture)"
deb="$BUILD/package/veltrano-optics_${version}_$arch.deb"
dbgsym="$BUILD/package/veltrano-optics-dbgsym_${version}_$arch.deb"
changes="$BUILD/package/veltrano-optics_${version}_$arch.changes"
[ -f "$deb" ] && [ -f "$dbgsym" ] && [ -f "$changes" ] && pass ||
  { fail "no .deb, -dbgsym .deb and .changes: $(ls "$BUILD/package")"; finish; exit; }

# Its fields: the libraries it links, the translations and fonts it wants.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = veltrano-optics ] && [ "$(field Section)" = education ] && pass ||
  fail "package name or section"
for needed in libqt6widgets6 libqt6gui6 libqt6svg6 libc6; do
  [[ "$(field Depends)" == *"$needed"* ]] && pass || fail "Depends lacks $needed: $(field Depends)"
done
for wanted in qt6-translations-l10n fonts-noto-cjk; do
  [[ "$(field Recommends)" == *"$wanted"* ]] && pass || fail "Recommends lacks $wanted"
done
[ "$(field Suggests)" = onboard ] && pass || fail "Suggests: $(field Suggests)"

# Unpacked: the layout, and the tool run from its /usr/bin finds its data.
unpacked="$WORK/unpacked"
dpkg-deb -x "$deb" "$unpacked"
check_layout "$unpacked/usr"
check_tool "$unpacked/usr"
entry="$unpacked/usr/share/applications/veltrano-optics.desktop"
grep -qx "Path=/usr/$data" "$entry" && pass || fail "the packaged entry does not start in /usr/$data"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" && pass || fail "the packaged entry is not valid"
fi
doc="$unpacked/usr/share/doc/veltrano-optics"
[ -f "$doc/copyright" ] && [ -f "$doc/changelog.gz" ] && pass || fail "copyright or changelog missing"
# Stripped, the debug symbols in the -dbgsym package; built with the hardening
# flags. Debian 12's dpkg-buildflags has no -fcf-protection (Debian 13's has),
# so that one is not asked for; without -fstack-clash-protection the check
# says "unknown", which it does not count as a failure.
for name in veltrano-optics exo-tool; do
  readelf -S "$unpacked/usr/bin/$name" | grep -q '\.debug_info' && fail "$name is not stripped" || pass
  if command -v hardening-check >/dev/null; then
    hardening-check --nocfprotection "$unpacked/usr/bin/$name" >"$WORK/hardening" && pass ||
      { fail "hardening-check $name"; cat "$WORK/hardening"; }
  fi
done
dpkg-deb -c "$dbgsym" >"$WORK/dbgsym"
grep -q '/usr/lib/debug/.build-id/.*\.debug$' "$WORK/dbgsym" && pass ||
  fail "no debug symbols in the -dbgsym package"

# What Debian's checker asks of a package: no tag at all, but those
# overridden with a reason in debian/veltrano-optics.lintian-overrides.
lintian -i -I -E --pedantic "$changes" >"$WORK/lintian" 2>&1
if grep -E '^[A-Z]: ' "$WORK/lintian" | grep -vE '^N: '; then fail "lintian"; else pass; fi

# The manual page of exo-tool names every command and option its usage names.
man="$unpacked/usr/share/man/man1"
[ -f "$man/veltrano-optics.1.gz" ] && pass || fail "no manual page of veltrano-optics"
"$TOOL" --help | grep -oE '(exo-tool [a-z]+|--[a-z-]+)' | sort -u >"$WORK/words"
while read -r word; do
  zcat "$man/exo-tool.1.gz" | sed 's/\\//g; s/^\.[A-Z]* //' | tr '\n' ' ' | grep -qF -- "$word" && pass ||
    fail "exo-tool.1 does not name $word"
done <"$WORK/words"
# The software-centre entry: valid, for the packaged desktop entry.
meta="$(ls "$unpacked/usr/share/metainfo/"*.metainfo.xml 2>/dev/null | head -1)"
if [ -z "$meta" ]; then
  fail "no metainfo"
elif command -v appstreamcli >/dev/null; then
  out="$(appstreamcli validate --no-net "$meta" 2>&1)" && ! grep -qE '^[EW]:' <<<"$out" && pass ||
    fail "appstreamcli: $out"
fi
[ -n "$meta" ] && grep -q '<launchable type="desktop-id">veltrano-optics.desktop</launchable>' "$meta" &&
  grep -q '<mediatype>application/x-veltrano-experiment</mediatype>' "$meta" && pass ||
  fail "the metainfo does not name the desktop entry and the file type"

# Installed into a scratch root with dpkg's own bookkeeping, then purged:
# nothing but dpkg's database is left. The dependencies are this machine's.
root="$WORK/root"
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
scratch_dpkg() { dpkg --root="$root" --log=/dev/null --force-depends --force-not-root "$@"; }
if scratch_dpkg -i "$deb" >"$WORK/dpkg.log" 2>&1; then pass; else
  fail "dpkg --root -i"
  cat "$WORK/dpkg.log"
fi
check_tool "$root/usr"
scratch_dpkg --purge veltrano-optics >>"$WORK/dpkg.log" 2>&1 && pass || fail "dpkg --root --purge"
left="$(find "$root" -mindepth 1 -not -path "$root/var" -not -path "$root/var/lib" \
  -not -path "$root/var/lib/dpkg" -not -path "$root/var/lib/dpkg/*")"
[ -z "$left" ] && pass || fail "left after purge: $(head -5 <<<"$left")"

# On this machine, only when asked and only where it is not installed.
if [ "${EXO_PACKAGE_INSTALL:-0}" = 1 ]; then
  if dpkg -s veltrano-optics >/dev/null 2>&1; then
    echo "real install not tried: veltrano-optics is installed here"
  else
    before="$(find /usr /etc -xdev 2>/dev/null | sort)"
    apt-get install -y "$deb" >"$WORK/apt.log" 2>&1 && pass ||
      { fail "apt-get install"; tail -5 "$WORK/apt.log"; }
    (cd "/usr/$data/Optics example" && /usr/bin/exo-tool info 成像系统.exo) >"$WORK/info" 2>&1 &&
      cmp -s "$WORK/info" "$SOURCE/tests/golden/成像系统.info" && pass || fail "the installed /usr/bin/exo-tool"
    dpkg --purge veltrano-optics >>"$WORK/apt.log" 2>&1 && pass || fail "dpkg --purge"
    after="$(find /usr /etc -xdev 2>/dev/null | sort)"
    [ "$before" = "$after" ] && pass || fail "left after purge: $(comm -13 <(echo "$before") <(echo "$after") | head -5)"
  fi
fi
finish
