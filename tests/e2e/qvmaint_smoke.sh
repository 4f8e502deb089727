#!/bin/bash
# The stand-in maintenance driver answers every request over its socket,
# honours its fault injections and cleans up on SIGTERM.
set -u
BUILD=$1
. "$(dirname "$0")/lib/standin.sh"
PROBE=$BUILD/qvprobe
fails=0
check() {  # check NAME EXPECTED-REGEX TEXT
  if printf '%s\n' "$3" | grep -Eq -- "$2"; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected /$2/ in:"
    printf '%s\n' "$3" | sed 's/^/     /'
    fails=$((fails + 1))
  fi
}

standin_start "$BUILD" --drivers QVWAN:5:1,CAPI20:7:2 --buffer 65536 || exit 1
mode=$(stat -c %a "$STANDIN_DIR/Norwin_QVMAINT")
check "socket mode" '^600$' "$mode"
out=$("$PROBE" list)
check "list status" '^status 0 bytes' "$out"
check "list QVWAN" 'seq=0 drv=5 type=0x0101 .*text="QVWAN: ' "$out"
check "list CAPI20" 'drv=7 type=0x0201 .*text="CAPI20: ' "$out"
check "bufsize" '^value 65536$' "$("$PROBE" bufsize)"
check "set mask" '^status 0' "$("$PROBE" set-mask 7 0x10)"
check "get mask" 'drv=7 type=0x0202 len=4 mask=0x00000013' "$("$PROBE" get-mask 7)"
check "get mask unknown" '^status 87 bytes 0$' "$("$PROBE" get-mask 6)"
check "unknown command" '^status 87' "$("$PROBE" raw 0x80011C0A 6 0 0 0 4096)"
check "unknown code" '^status 87' "$("$PROBE" raw 0x80010024 0 0 0 0 4096)"
check "empty copy" '^status 0 bytes 0$' "$("$PROBE" copy)"
"$PROBE" write "*** t *** first remark" >/dev/null
"$PROBE" write "*** t *** second remark" >/dev/null
out=$("$PROBE" copy)
check "remarks copied in order" 'text="\*\*\* t \*\*\* first remark"' "$(echo "$out" | sed -n 2p)"
check "second remark" 'drv=0 type=0x0101 .*second remark' "$(echo "$out" | sed -n 3p)"
check "buffer drained" '^status 0 bytes 0$' "$("$PROBE" copy)"
kill -TERM "$STANDIN_PID"
wait "$STANDIN_PID"
check "clean exit on SIGTERM" '^0$' "$?"
check "socket removed on SIGTERM" '^gone$' "$([ -e "$STANDIN_DIR/Norwin_QVMAINT" ] && echo there || echo gone)"
STANDIN_PID=
standin_stop

# Replay of a raw file (one current-form and one old-form record), fast.
raw=$(mktemp)
printf '\x10\x27\x00\x00\x00\x00\x00\x00\x04\x00\xff\xff\x09\x00\x04\x05\x64\x00\x00\x00\xde\xad\xbe\xef' >"$raw"
printf '\x09\x00\x04\x05\x65\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00\x11\x27\x00\x00\x00\x00\x00\x00\x01\x02\x00\x00' >>"$raw"
standin_start "$BUILD" --replay "$raw" --fast || exit 1
out=$("$PROBE" copy)
check "replay first" 'seq=1 drv=9 type=0x0504 len=4' "$(echo "$out" | sed -n 2p)"
check "replay old form" 'seq=2 drv=9 type=0x0504 len=2' "$(echo "$out" | sed -n 3p)"
check "replay registers DRV9" 'drv=9 .*text="DRV9: ' "$("$PROBE" list)"
standin_stop
rm -f "$raw"

# Synthetic load drained with waiting copies, nothing lost.
standin_start "$BUILD" --load 50000 --count 20000 --buffer 1048576 || exit 1
check "load drained without loss" 'records 20000 .*missing 0 backward 0' "$(timeout 20 "$PROBE" drain 20000 4096 100 2)"
standin_stop

# Fault injection.
standin_start "$BUILD" --delay-ms 700 || exit 1
start=$(date +%s%N)
"$PROBE" bufsize >/dev/null
ms=$((($(date +%s%N) - start) / 1000000))
check "delayed reply" '^yes$' "$([ "$ms" -ge 650 ] && echo yes || echo "no ($ms ms)")"
standin_stop
standin_start "$BUILD" --fail-nores=1 || exit 1
check "no resources once" '^status 1450' "$("$PROBE" copy)"
check "then normal" '^status 0' "$("$PROBE" copy)"
standin_stop
standin_start "$BUILD" --drop-after 1 || exit 1
check "dropped connection" '^closed$' "$("$PROBE" list)"
standin_stop

# A device directory open to others is refused.
bad=$(mktemp -d)
chmod 755 "$bad"
out=$("$BUILD/qvmaint" --dir "$bad" 2>&1)
check "open directory refused" 'closed to group and others' "$out"
rmdir "$bad"

[ "$fails" -eq 0 ] || { echo "$fails failed"; exit 1; }
echo "all passed"
