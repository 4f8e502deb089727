#!/bin/bash
# Continuous capture (-p) against the stand-in driver: printing, raw output
# with rotation, extra requests, flush on idle, -stop from a second instance,
# remarks, a driver that dies mid-capture, and Escape typed into a terminal.
set -u
BUILD=$1
. "$(dirname "$0")/lib/standin.sh"
M=$BUILD/marlog
WORK=$(mktemp -d "${TMPDIR:-/tmp}/marlog-cap.XXXXXX")
CAP=
cleanup() {
  [ -n "$CAP" ] && kill "$CAP" 2>/dev/null && wait "$CAP" 2>/dev/null
  [ -n "${TMUXSOCK:-}" ] && tmux -S "$TMUXSOCK" kill-server 2>/dev/null
  standin_stop
  rm -rf "$WORK"
}
trap cleanup EXIT
fails=0
ok() { echo "ok   $1"; }
fail() { echo "FAIL $1"; shift; for l in "$@"; do echo "     $l"; done; fails=$((fails + 1)); }
check() {  # check NAME CONDITION-RESULT(0/1) DETAILS...
  local name=$1 r=$2
  shift 2
  if [ "$r" = 0 ]; then ok "$name"; else fail "$name" "$@"; fi
}
# Starts a capture in the background: capture NAME ARGS... (stdin /dev/null)
capture() {
  local name=$1
  shift
  "$M" -p "$@" </dev/null >"$WORK/$name.out" 2>"$WORK/$name.err" &
  CAP=$!
}
# Waits up to $2 tenths of a second for regex $1 in file $3.
wait_for() {
  local i
  for i in $(seq 1 "$2"); do
    grep -Eq -- "$1" "$3" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
# Ends the capture with -stop from a second instance; its exit code.
stop_capture() {
  "$M" -stop
  local i
  for i in $(seq 1 50); do
    kill -0 "$CAP" 2>/dev/null || break
    sleep 0.1
  done
  wait "$CAP"
  local code=$?
  CAP=
  return $code
}
# Time stamps differ (the driver stamps replayed records afresh), and with
# them the "--" lines that mark pauses.
strip_time() { sed -E '/^--$/d; s/^[ 0-9][0-9]:[0-9]{2}:[0-9]{2}\.[0-9]{3}//'; }

# Printing capture of the replayed sample, ended by -stop.
standin_start "$BUILD" --replay "$BUILD/samples/sample.trace" --fast || exit 1
capture print -s 200
"$M" -i "$BUILD/samples/sample.trace" 2>/dev/null | strip_time >"$WORK/sample.txt"
last=$(tail -1 "$WORK/sample.txt" | sed 's/[][\.*^$]/./g')
wait_for "$last" 50 "$WORK/print.out"
stop_capture
code=$?
check "-stop ends the capture with 0" "$([ $code = 0 ] && echo 0 || echo 1)" "code $code" "$(cat "$WORK/print.err")"
strip_time <"$WORK/print.out" | diff -q - "$WORK/sample.txt" >/dev/null
check "printed capture equals the interpreted sample" $? "$(strip_time <"$WORK/print.out" | diff - "$WORK/sample.txt" | head -5)"
check "nothing on stderr" "$([ -s "$WORK/print.err" ] && echo 1 || echo 0)" "$(cat "$WORK/print.err")"
standin_stop

# Flush on idle: with a large threshold and a long driver period, a remark
# logged into an idle capture shows after the program's flush.
standin_start "$BUILD" || exit 1
capture idle -s 300 -t 0x400000
sleep 0.5
"$BUILD/qvprobe" write "*** idle *** while idle" >/dev/null
wait_for 'while idle' 20 "$WORK/idle.out"
check "idle period flushes" $? "$(cat "$WORK/idle.out" "$WORK/idle.err")"
stop_capture
standin_stop

# Remarks typed into the capture enter the trace.
standin_start "$BUILD" || exit 1
mkfifo "$WORK/remarks"
"$M" -p -r ABC -s 200 <"$WORK/remarks" >"$WORK/rem.out" 2>"$WORK/rem.err" &
CAP=$!
exec 7>"$WORK/remarks"
echo "hello" >&7
echo "second remark" >&7
wait_for 'second remark' 30 "$WORK/rem.out"
check "remarks enter the trace" $? "$(cat "$WORK/rem.out" "$WORK/rem.err")"
grep -Eq '^[0-9:.]{12} L  0 \*\*\* ABC \*\*\* hello$' "$WORK/rem.out"
check "remark line" $? "$(cat "$WORK/rem.out")"
exec 7>&-
wait_for 'end of remarks' 20 "$WORK/rem.err"
check "end of input ends the remarks, capture goes on" \
  "$(kill -0 "$CAP" 2>/dev/null && echo 0 || echo 1)" "$(cat "$WORK/rem.err")"
stop_capture
code=$?
check "remark capture stopped with 0" "$([ $code = 0 ] && echo 0 || echo 1)" "code $code"
[ "$(cat "$WORK/rem.err")" = "Marlog: enter remarks
Marlog: end of remarks" ]
check "remark prompts" $? "$(cat "$WORK/rem.err")"
standin_stop

# Raw capture of a synthetic load with rotation and extra requests: the
# generations hold an unbroken run up to the newest record.
standin_start "$BUILD" --load 50000 --count 100000 || exit 1
capture raw -o "$WORK/raw" -w 128 -b 3 -s 200
for i in $(seq 1 100); do
  [ -f "$WORK/raw.0" ] && "$BUILD/rawseq" "$WORK/raw.3" 2>/dev/null | grep -q 'last 100000 ' && break
  sleep 0.1
done
stop_capture
code=$?
check "raw capture stopped with 0" "$([ $code = 0 ] && echo 0 || echo 1)" "code $code" "$(cat "$WORK/raw.err")"
res=$("$BUILD/rawseq" "$WORK/raw.0" "$WORK/raw.1" "$WORK/raw.2" "$WORK/raw.3" 2>&1)
echo "$res" | grep -Eq '^records [0-9]+ first [0-9]+ last 100000 gaps 0 backward 0 partial 0'
check "generations hold an unbroken run to the newest record" $? "$res"
size=$(stat -c %s "$WORK/raw.2")
check "older generation reached the limit" "$([ "$size" -ge 131072 ] && echo 0 || echo 1)" "size $size"
check "no diagnostics" "$([ -s "$WORK/raw.err" ] && echo 1 || echo 0)" "$(cat "$WORK/raw.err")"
standin_stop

# The driver dies mid-capture: a diagnostic, code 1, and the raw file holds
# every whole record received, in order.
standin_start "$BUILD" --load 20000 || exit 1
capture dies -o "$WORK/dies" -s 200
sleep 1
kill -KILL "$STANDIN_PID"
wait "$STANDIN_PID" 2>/dev/null
STANDIN_PID=
for i in $(seq 1 30); do kill -0 "$CAP" 2>/dev/null || break; sleep 0.1; done
wait "$CAP"
code=$?
CAP=
check "lost driver ends with 1" "$([ $code = 1 ] && echo 0 || echo 1)" "code $code"
[ "$(cat "$WORK/dies.err")" = "Marlog: GetOverlappedResult() ==> 109" ]
check "lost driver diagnostic" $? "$(cat "$WORK/dies.err")"
res=$("$BUILD/rawseq" "$WORK/dies.3" 2>&1)
echo "$res" | grep -Eq '^records [1-9][0-9]+ first 1 last [0-9]+ gaps 0 backward 0 partial 0'
check "raw file holds every record received" $? "$res"
standin_stop

# Escape typed into a terminal ends the capture with 0 and restores it.
if command -v tmux >/dev/null; then
  standin_start "$BUILD" || exit 1
  TMUXSOCK=$WORK/tmux.sock
  tmux -S "$TMUXSOCK" new-session -d -x 80 -y 24 \
    "stty -a >'$WORK/stty.before'; MARLOG_DEVICE_DIR='$STANDIN_DIR' '$M' -p -s 200 2>'$WORK/esc.err'; echo \$? >'$WORK/esc.code'; stty -a >'$WORK/stty.after'; sleep 5"
  sleep 1
  tmux -S "$TMUXSOCK" send-keys Escape
  wait_for '.' 30 "$WORK/esc.code"
  check "Escape ends the capture with 0" "$([ "$(cat "$WORK/esc.code" 2>/dev/null)" = 0 ] && echo 0 || echo 1)" \
    "code $(cat "$WORK/esc.code" 2>/dev/null)" "$(cat "$WORK/esc.err" 2>/dev/null)"
  wait_for '.' 10 "$WORK/stty.after"
  diff -q "$WORK/stty.before" "$WORK/stty.after" >/dev/null
  check "terminal restored" $? "$(diff "$WORK/stty.before" "$WORK/stty.after" 2>&1 | head -4)"
  tmux -S "$TMUXSOCK" kill-server 2>/dev/null
  TMUXSOCK=
  standin_stop
else
  echo "skip Escape test: no tmux"
fi

[ $fails = 0 ] && echo "all passed"
exit $((fails > 0))
