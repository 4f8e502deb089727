#!/bin/bash
# The one-shot driver commands of marlog against the stand-in driver: list,
# debug masks, lookups by name, the single copy, raw output, and the faults
# (no driver, unregistered id, late replies, lost connection, bad raw files).
set -u
BUILD=$1
. "$(dirname "$0")/lib/standin.sh"
M=$BUILD/marlog
WORK=$(mktemp -d "${TMPDIR:-/tmp}/marlog-e2e.XXXXXX")
trap 'standin_stop; rm -rf "$WORK"' EXIT
fails=0
# run ARGS...: sets OUT, ERR, CODE
run() {
  "$M" "$@" >"$WORK/out" 2>"$WORK/err"
  CODE=$?
  OUT=$(cat "$WORK/out")
  ERR=$(cat "$WORK/err")
}
expect() {  # expect NAME CODE STDOUT-REGEX STDERR-EXACT
  local ok=1
  [ "$CODE" = "$2" ] || ok=0
  printf '%s\n' "$OUT" | grep -Eq -- "$3" || ok=0
  [ "$ERR" = "$4" ] || ok=0
  if [ $ok = 1 ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: code $CODE (want $2)"
    echo "     stdout: $(printf '%s' "$OUT" | head -5)"
    echo "     stderr: $ERR"
    echo "     wanted /$3/ and stderr '$4'"
    fails=$((fails + 1))
  fi
}

# Nothing serves the device.
export MARLOG_DEVICE_DIR=$WORK/nodev
mkdir -m 700 "$MARLOG_DEVICE_DIR"
run -l
expect "no driver running" 1 '^$' 'Marlog: CreateFile(\\.\Norwin_QVMAINT) ==> 2'

standin_start "$BUILD" --drivers QVADAPT:1:1,QVCAPI:4:2,QVWAN:5:3,CAPI20:7:2 || exit 1
run -l
expect "list" 0 '^[0-9:.]{12} F  7 CAPI20: stand-in driver' ''
[ "$(printf '%s\n' "$OUT" | wc -l)" = 4 ] || { echo "FAIL list: not 4 lines"; fails=$((fails + 1)); }
printf '%s\n' "$OUT" | grep -Eq '^[0-9:.]{12} E  5 QVWAN: ' || { echo "FAIL list QVWAN line"; fails=$((fails + 1)); }

run -d 7 -m 0x10
expect "set mask" 0 '^$' ''
run -d 7 -m
expect "get mask shows bits 0 and 1 added" 0 '^[0-9:.]{12} F  7 active debug flags 0x00000013$' ''
run -d 9 -m
expect "unregistered driver" 1 '^$' 'Marlog: driver <9> not registered'
run -d 9 -m 0x4
expect "unregistered driver, set" 1 '^$' 'Marlog: driver <9> not registered'
run -m 0x4
expect "mask without driver does nothing" 0 '^$' ''
run -capi -m
expect "-capi prefers CAPI20" 0 'F  7 active debug flags' ''
run -wmp -m
expect "-wmp finds QVWAN" 0 'E  5 active debug flags' ''
run -l -m -d 5
expect "list, then mask" 0 'E  5 active debug flags' ''

# Raw output: the list then the mask, one after the other in the file.
run -l -d 5 -m -o "$WORK/lm"
expect "list and mask to the raw file" 0 '^$' ''
run -i "$WORK/lm.3"
expect "raw file holds list and mask" 0 'E  5 active debug flags' ''
[ "$(printf '%s\n' "$OUT" | wc -l)" = 5 ] || { echo "FAIL raw list+mask: not 5 records"; fails=$((fails + 1)); }

run
expect "empty buffer" 1 '^$' 'Marlog: debug buffer empty !'
standin_stop

# The one-shot copy of a replayed sample, printed and stored.
standin_start "$BUILD" --replay "$BUILD/samples/sample.trace" --fast || exit 1
sleep 0.3
run -o "$WORK/copy"
expect "one-shot copy stored" 0 '^$' ''
run -i "$WORK/copy.3"
expect "stored copy interprets" 0 'Norwin ISDN adapter driver' ''
run
expect "the copy took the records out" 1 '^$' 'Marlog: debug buffer empty !'
standin_stop

standin_start "$BUILD" --replay "$BUILD/samples/sample.trace" --fast || exit 1
sleep 0.3
run -o "$WORK/no/such/dir/x"
expect "raw file cannot be created: copy printed" 0 'Norwin ISDN adapter driver' \
  "Marlog: CreateFile($WORK/no/such/dir/x.3) ==> 2
Marlog: printing debugs to stdout !"
long=$WORK/$(printf 'n%.0s' $(seq 1 260))
run -l -o "$long"
expect "raw file name too long" 0 'QVWAN: ' "Marlog: CreateFile($long.3) ==> 206
Marlog: printing debugs to stdout !"
standin_stop

standin_start "$BUILD" --delay-ms 800 || exit 1
run -l
expect "late reply" 1 '^$' 'Marlog: WaitForSO(,500) ==> TOUT'
standin_stop

standin_start "$BUILD" --drop-after 2 || exit 1
run -l
expect "connection lost" 1 '^$' 'Marlog: GetOverlappedResult() ==> 109'
standin_stop

[ $fails = 0 ] && echo "all passed"
exit $((fails > 0))
