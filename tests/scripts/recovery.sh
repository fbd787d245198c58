#!/usr/bin/env bash
# Unsaved work survives kill -9: the next start asks, and "恢复" brings back
# exactly the edited experiment; a kill in the middle of autosaves never
# leaves a torn file, and what the killed write left is cleared later.
# Under a virtual display when there is one, as a teacher's desktop runs it.
if [ -z "${EXO_IN_XVFB:-}" ] && command -v xvfb-run >/dev/null; then
  EXO_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" "$@"
fi
source "$(dirname "$0")/common.bash"
[ -n "${EXO_IN_XVFB:-}" ] && unset QT_QPA_PLATFORM
PROGRAM="$BUILD/veltrano-optics"
export XDG_DATA_HOME="$WORK/data" EXO_AUTOSAVE_SECONDS=1
STATE="$XDG_DATA_HOME/veltrano-optics"
example="$BUILD/Optics example/白光的色散.exo"
QUESTION="上次未保存的实验可以恢复。要恢复吗?"

# start ANSWER EDITS: the program on the example, in the background.
start() {
  EXO_TEST_RECOVERY_ANSWER="$1" EXO_TEST_EDITS="$2" "$PROGRAM" "$example" >/dev/null 2>"$WORK/err" &
  pid=$!
  wait_until_catching "$pid" 15 || fail "the program did not start"
}
# Waits until a recovery file of the process is there (or 30 s have passed).
wait_for_file() {
  for _ in $(seq 300); do
    ls "$STATE"/recovery-"$pid"-*.exo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
# Waits until the process has asked, answering $1 (after its 3 s splash).
wait_for_question() {
  for _ in $(seq 300); do
    grep -qF "$QUESTION $1" "$WORK/err" && return 0
    sleep 0.1
  done
  return 1
}
info() { "$TOOL" info "$1" 2>&1 | grep -v '^file:'; }

start none 1
wait_for_file && pass || fail "no recovery file after an edit"
sleep 1.5
kill -9 "$pid"
wait "$pid" 2>/dev/null
kept="$(ls "$STATE"/recovery-*.exo)"
info "$kept" >"$WORK/edited"
info "$example" | cmp -s - "$WORK/edited" && fail "the recovery file holds the unedited example" || pass

start restore 0
wait_for_file && pass || fail "nothing restored"
grep -qF "$QUESTION restore" "$WORK/err" && pass || fail "no question: $(cat "$WORK/err")"
info "$(ls "$STATE"/recovery-"$pid"-*.exo)" | cmp -s - "$WORK/edited" && pass ||
  fail "the restored experiment is not the edited one"
[ ! -e "$kept" ] && pass || fail "the restored file stays behind"
kill "$pid"  # the session ends: the restored, unsaved work stays
wait "$pid"
start discard 0
wait_for_question discard && pass || fail "no question after a session end"
kill "$pid"
wait "$pid"
[ -z "$(ls -A "$STATE")" ] && pass || fail "left behind: $(ls -A "$STATE")"

# Kills at random moments of a stream of autosaves.
for round in 1 2 3 4 5; do
  start none 1000
  sleep "$((round % 3 + 1)).$((RANDOM % 10))"
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  for file in "$STATE"/recovery-*.exo; do
    [ -e "$file" ] || continue
    "$TOOL" info "$file" >/dev/null 2>&1 && pass || fail "round $round: torn $file"
  done
  start discard 0
  # No question when the kill came before the first write.
  if ls "$STATE"/recovery-*.exo >/dev/null 2>&1; then
    wait_for_question discard && pass || fail "round $round: no question"
  else
    sleep 4
  fi
  kill "$pid"
  wait "$pid"
  [ -z "$(ls -A "$STATE")" ] && pass || fail "round $round left: $(ls -A "$STATE")"
done
finish
