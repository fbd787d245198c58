#!/usr/bin/env bash
# Fuzzes one file reader with libFuzzer.
#   scripts/fuzz.sh TARGET MINUTES [libFuzzer options...]
#   scripts/fuzz.sh --seeds        writes the generated seeds into fuzz/corpus/
#   scripts/fuzz.sh --replay       builds every target and runs each corpus file once
# TARGET is experiment, converted, picture, language, import or lesson, or experiment-long
# (the experiment target taking inputs of up to 1 MB whole). The committed corpus
# fuzz/corpus/TARGET/ is read, never written: new inputs go to
# build-fuzz/corpus/TARGET/, crashes and slow inputs to
# build-fuzz/artifacts/TARGET/ (copy one to fuzz/corpus/TARGET/regress-NAME
# once the fault is mended, so that every test run replays it). libFuzzer
# stops at the first fault; to go on past known ones, add
#   -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1
set -euo pipefail
cd "$(dirname "$0")/.."
targets="experiment converted picture language import lesson"
usage() {
  echo "usage: $0 TARGET MINUTES [libFuzzer options...] | $0 --seeds" >&2
  echo "TARGET: $targets experiment-long" >&2
  exit 2
}
[ $# -ge 1 ] || usage

build=${EXO_FUZZ_BUILD_DIR:-build-fuzz}
bash scripts/setup.sh --fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DEXO_FUZZ=ON -DEXO_BUILD_UI=OFF -DEXO_BUILD_BENCH=OFF >/dev/null
export QT_QPA_PLATFORM=offscreen
# The targets write their scratch files per input: on tmpfs when there is one.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm

if [ "$1" = "--replay" ]; then
  for t in $targets; do
    cmake --build "$build" -j"$(nproc)" --target "exo-fuzz-$t"
  done
  for t in $targets; do
    files=(fuzz/corpus/"$t"/*)
    echo "exo-fuzz-$t: ${#files[@]} files"
    # Files named on the command line run once each, at their full length.
    status=0
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
      "$build/fuzz/exo-fuzz-$t" -timeout=60 -rss_limit_mb=2560 "${files[@]}" \
      >"$build/replay-$t.log" 2>&1 || status=$?
    grep -v -E '^(Running|Executed)[: ]' "$build/replay-$t.log" | tail -n 40
    [ "$status" -eq 0 ] || { echo "exo-fuzz-$t failed ($status)" >&2; exit 1; }
  done
  exit 0
fi

if [ "$1" = "--seeds" ]; then
  cmake --build "$build" -j"$(nproc)" --target exo-make-fuzz-corpus
  ASAN_OPTIONS=detect_leaks=0 "$build/fuzz/exo-make-fuzz-corpus" fuzz/corpus
  exit 0
fi

[ $# -ge 2 ] || usage
target=$1
program=${target%-long}
minutes=$2
shift 2
case " $targets experiment-long " in *" $target "*) ;; *) usage ;; esac
[[ "$minutes" =~ ^[0-9]+$ ]] && [ "$minutes" -ge 1 ] || usage

cmake --build "$build" -j"$(nproc)" --target "exo-fuzz-$program"
# Most faults fit in a few kilobytes (pictures claim their size in their
# header), and long inputs make each run slower: the targets are fuzzed at
# up to 16 KB, language files (whose lines run long) and pictures at 64 KB.
# The -long modes take the whole of the longest seeds (a text of 600 KB,
# hundreds of free-hand outlines), at a lower rate: see fuzz/README.md.
case $target in
  picture | language) max_len=65536 ;;
  *-long) max_len=$((1 << 20)) ;;
  *) max_len=16384 ;;
esac
work="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$work" "$artifacts"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
  "$build/fuzz/exo-fuzz-$program" \
  -max_total_time=$((minutes * 60)) -max_len=$max_len -timeout=20 -rss_limit_mb=2560 \
  -dict="fuzz/dict/$program.dict" -artifact_prefix="$artifacts/" -print_final_stats=1 \
  "$@" "$work" "fuzz/corpus/$program"
