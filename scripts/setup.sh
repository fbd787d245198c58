#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need.
#   scripts/setup.sh          what building and testing need
#   scripts/setup.sh --fuzz   and clang with libFuzzer, for scripts/fuzz.sh
set -euo pipefail
packages=(build-essential cmake ninja-build ccache pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev poppler-utils
  liblzma-dev libzip-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-noto-cjk xvfb xauth openbox x11-utils
  xdotool python3 dpkg-dev debhelper devscripts rsync desktop-file-utils shared-mime-info xdg-utils
  lintian appstream)
if [ "${1:-}" = "--fuzz" ]; then
  # clang 14 and its runtime with libFuzzer; llvm for readable sanitizer stacks.
  packages+=(clang libclang-rt-14-dev llvm)
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--fuzz]" >&2
  exit 2
fi
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
