#!/usr/bin/env bash
# Damaged experiment files: every one is refused or read as far as it goes,
# with a message, and never crashes, hangs or trips a sanitizer.
source "$(dirname "$0")/common.bash"

python3 "$SCRIPTS/exo_damage.py" "$WORK/cases" || { echo "cannot write the cases"; exit 1; }

while IFS=$'\t' read -r name command codes text; do
  file="$WORK/cases/$name"
  picture=()
  [ "$command" = render ] && picture=("$WORK/out.png")
  run_tool "$WORK/out" "$WORK/err" "$command" "$file" "${picture[@]}" || continue
  case ",$codes," in
    *",$rc,"*) ;;
    *)
      fail "$name: exit $rc, expected $codes"
      sed -n 1,5p "$WORK/err"
      continue
      ;;
  esac
  if [ "$rc" -eq 1 ] && [ ! -s "$WORK/err" ]; then
    fail "$name: refused without a message"
    continue
  fi
  if [ -n "$text" ] && ! grep -q -F -- "$text" "$WORK/err"; then
    fail "$name: stderr lacks \"$text\": $(head -c 300 "$WORK/err")"
    continue
  fi
  pass
done <"$WORK/cases/manifest.tsv"

# A file read in part: info prints what was read, then exits with 1.
run_tool "$WORK/out" "$WORK/err" info "$WORK/cases/unknown-class.exo"
if [ "${rc:-0}" -eq 1 ] && grep -q "^objects: " "$WORK/out" && grep -q "只读取了一部分" "$WORK/err"; then
  pass
else
  fail "info of a partly read file: exit ${rc:-?}, stdout $(head -c 200 "$WORK/out")"
fi

# Every experiment file kept in the sources opens cleanly or is refused
# with a message (in the sanitizer build this is the sanitizer's exo-tool).
while IFS= read -r -d '' file; do
  for command in info trace; do
    run_tool "$WORK/out" "$WORK/err" "$command" "$file" || continue
    if [ "$rc" -eq 0 ] || { [ "$rc" -eq 1 ] && [ -s "$WORK/err" ]; }; then
      pass
    else
      fail "$file: $command exit $rc"
      sed -n 1,5p "$WORK/err"
    fi
  done
done < <(find "$SOURCE/tests" "$SOURCE/examples" -type f -iname '*.exo' -print0 2>/dev/null)

# A refused file leaves no trace of itself in a re-save target.
run_tool "$WORK/out" "$WORK/err" resave "$WORK/cases/size-plus-one.exo" "$WORK/never.exo"
if [ "${rc:-0}" -eq 1 ] && [ ! -e "$WORK/never.exo" ]; then pass; else fail "resave of a refused file"; fi

# A read-only experiment and a pipe are kept as they are, with a message.
example="$(find "$SOURCE/examples" -name '*.exo' -print -quit)"
cp "$example" "$WORK/lesson.exo" && chmod 444 "$WORK/lesson.exo" && mkfifo "$WORK/pipe.exo"
for target in lesson.exo pipe.exo; do
  before="$(stat -c '%i %F %a' "$WORK/$target")"
  run_tool "$WORK/out" "$WORK/err" resave "$example" "$WORK/$target" || continue
  if [ "$rc" -eq 1 ] && [ "$(stat -c '%i %F %a' "$WORK/$target")" = "$before" ] &&
    grep -q -E "只读|不是普通文件" "$WORK/err"; then pass; else fail "resave onto $target: $rc $(cat "$WORK/err")"; fi
done
cmp -s "$example" "$WORK/lesson.exo" && pass || fail "the read-only file changed"

finish
