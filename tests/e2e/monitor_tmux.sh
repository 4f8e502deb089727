#!/usr/bin/env bash
# monitor_tmux.sh BUILD_DIR: replays samples/monitor.case with -moni in a
# real terminal (a detached tmux session of 80x12) and checks the screen
# after the replay: header, clock, every line's fields. Then checks that the
# program ends with code 0, clears the screen and gives the terminal back as
# it found it (echo, cursor, wrapping). Skipped when tmux is missing.
set -u
if [ $# -ne 1 ]; then echo "usage: $0 BUILD_DIR" >&2; exit 2; fi
build=$(cd "$1" && pwd)
src=${MARLOG_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
if ! command -v tmux >/dev/null 2>&1; then
  echo "monitor_tmux: tmux is not installed; test skipped"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/monitor_tmux.XXXXXX") || exit 2
sock=marlog-monitor-$$
tm() { tmux -L "$sock" -f /dev/null "$@"; }
trap 'tm kill-server >/dev/null 2>&1; rm -rf "$work"' EXIT
fail() { echo "monitor_tmux: $*" >&2; exit 1; }

"$build/compose" -o "$work/replay.3" "$src/samples/monitor.case" || fail "cannot compose the replay"

# What the screen shows once the replay is over (trailing blanks cut, as
# tmux captures them). Line 7 saw only a text record and a stale sequence
# number; line 6's six-digit charge shows only in its total.
cat > "$work/expected" <<'SCREEN'
Line   State   Connected-Address Proto Speed Charge User/Cause          14:00:17
  0     Idle                                      5
  1   Connect  0301234567        V.120 64 k         securid-7                 OK
  2    Reject  0401112223        X.75  64 k
  3     Idle
  4     Dial   0221555000        V.34  28800
  5     Dial   110               Voice 64 k
  6     Idle                                  123456
  7
SCREEN

# The shell records the terminal modes before and after, and the exit code.
cat > "$work/run.sh" <<RUN
stty -a > "$work/stty.before"
TZ=UTC "$build/marlog" -moni -i "$work/replay.3"
echo \$? > "$work/rc.tmp"
stty -a > "$work/stty.after"
mv "$work/rc.tmp" "$work/rc"
exec sleep 600
RUN
tm new-session -d -x 80 -y 12 "bash $work/run.sh" || fail "cannot start tmux"

capture() { tm capture-pane -p | sed -e 's/[[:space:]]*$//' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'; }

# The replay takes about 12 seconds; the final table then stays for 5.
matched=0
for _ in $(seq 1 300); do
  capture > "$work/screen"
  if cmp -s "$work/screen" "$work/expected"; then matched=1; break; fi
  [ -e "$work/rc" ] && break
  sleep 0.1
done
if [ $matched = 0 ]; then
  echo "monitor_tmux: the screen after the replay differs:" >&2
  diff "$work/expected" "$work/screen" >&2
  exit 1
fi
[ "$(tm display-message -p '#{cursor_flag}')" = 0 ] || fail "the cursor shows while the monitor runs"

for _ in $(seq 1 200); do
  [ -e "$work/rc" ] && break
  sleep 0.1
done
[ -e "$work/rc" ] || fail "marlog did not end after the replay"
[ "$(cat "$work/rc")" = 0 ] || fail "exit code $(cat "$work/rc"), expected 0"
capture > "$work/screen"
[ ! -s "$work/screen" ] || { echo "monitor_tmux: the screen was not cleared at the end:" >&2; cat "$work/screen" >&2; exit 1; }
cmp -s "$work/stty.before" "$work/stty.after" || {
  echo "monitor_tmux: the terminal modes were not restored:" >&2
  diff "$work/stty.before" "$work/stty.after" >&2
  exit 1
}
[ "$(tm display-message -p '#{cursor_flag} #{wrap_flag}')" = "1 1" ] || fail "cursor or wrapping not restored"
echo "monitor_tmux: screen, exit code and terminal modes as expected"
