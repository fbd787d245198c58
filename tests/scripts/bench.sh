#!/usr/bin/env bash
# exo-tool bench counts the ray pieces that trace prints, and gives a median
# and a minimum for the trace and for the refresh; its options are checked.
source "$(dirname "$0")/common.bash"

python3 "$SCRIPTS/exo_independent.py" sample "$WORK/sample.exo" || exit 1

for hq in "" --hq; do
  if run_tool "$WORK/out" "$WORK/err" bench "$WORK/sample.exo" --runs 3 --size 320x200 $hq --threads 1; then
    run_tool "$WORK/trace" "$WORK/err2" trace "$WORK/sample.exo" --size 320x200
    pieces="$(grep -c '^ray' "$WORK/trace")"
    if [ "$rc" -eq 0 ] && grep -qx "ray pieces	$pieces" "$WORK/out" &&
       grep -qE '^trace ms	median [0-9.]+	min [0-9.]+	\(1 threads\)$' "$WORK/out" &&
       grep -qE '^refresh ms	median [0-9.]+	min [0-9.]+	\(320x200.*, 1 threads\)$' "$WORK/out"; then pass; else
      fail "bench $hq: exit $rc, expected $pieces pieces: $(cat "$WORK/out" "$WORK/err")"
    fi
  fi
done

# Counts out of range, and options of other commands, are usage errors.
for args in "--runs 0" "--runs 100001" "--runs x" "--runs" "--no-run" "--threads 0" "--threads 65" \
  "--threads"; do
  if run_tool "$WORK/out" "$WORK/err" bench "$WORK/sample.exo" $args; then
    if [ "$rc" -eq 2 ]; then pass; else fail "bench $args: exit $rc"; fi
  fi
done
for command in "trace $WORK/sample.exo --runs 3" "info $WORK/sample.exo --hq" \
  "trace $WORK/sample.exo --threads 1"; do
  if run_tool "$WORK/out" "$WORK/err" $command; then
    if [ "$rc" -eq 2 ]; then pass; else fail "$command: exit $rc"; fi
  fi
done
finish
