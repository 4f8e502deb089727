#!/bin/bash
# Capture throughput: the stand-in's synthetic load at rising rates against
# "marlog -p -o"; after each run the raw file must hold every sequence number
# once, in order, without a gap. Prints per rate the records, the rate the
# load achieved (records/s and MB/s over the records' own time stamps), how
# long after the end of the load the newest record was stored (lag), the
# capture's CPU use (of one core, over its run) and whether anything was
# lost. A rate counts as sustained when nothing is lost and the lag stays
# under a second. The stand-in's buffer is 16 MiB (about a second of the
# fastest load), so that the scheduling noise of a shared machine does not
# show as loss; the replies stay at most 4 MiB.
#   [MARLOG_ARGS="-t 1048576"] bench/capture_bench.sh BUILD [SECONDS] [RATE...]
set -u
BUILD=${1:?usage: capture_bench.sh BUILD [SECONDS] [RATE...]}
SECS=${2:-4}
shift $(($# >= 2 ? 2 : 1))
RATES=${*:-50000 100000 200000 300000 400000 600000}
. "$(dirname "$0")/../tests/e2e/lib/standin.sh"
M=$BUILD/marlog
WORK=$(mktemp -d "${TMPDIR:-/tmp}/marlog-bench.XXXXXX")
CAP=
trap '[ -n "$CAP" ] && kill "$CAP" 2>/dev/null; standin_stop; rm -rf "$WORK"' EXIT
TICK=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }

printf '%-9s %-9s %-10s %-7s %-7s %-6s %s\n' offered records "records/s" "MB/s" "lag_s" "cpu%" result
best=0
for rate in $RATES; do
  count=$((rate * SECS))
  rm -f "$WORK"/raw.*
  standin_start "$BUILD" --load "$rate" --count "$count" --buffer 16777216 --bufsize-reply 4194304 || exit 1
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  "$M" -p -o "$WORK/raw" -b 7 -s 200 ${MARLOG_ARGS:-} </dev/null >/dev/null 2>"$WORK/err" &
  CAP=$!
  # Done when the newest record has arrived, or the load is long over.
  for i in $(seq 1 $((SECS * 50 + 500))); do
    sleep 0.02
    tail -c 44 "$WORK/raw.3" 2>/dev/null | grep -aq "$(printf 'load record %010d' "$count")" && break
  done
  ticks=$(cpu_ticks "$CAP")
  end=$(date +%s.%N)
  lag=$(awk -v a="$start" -v b="$end" -v s="$SECS" 'BEGIN{printf "%.2f", b - a - s}')
  "$M" -stop
  wait "$CAP"
  CAP=
  standin_stop
  res=$("$BUILD/rawseq" "$WORK/raw.3" 2>/dev/null)
  records=0 first=0 last=0 gaps=0 back=0 part=0 bytes=0 span=0
  [ -n "$res" ] && read -r _ records _ first _ last _ gaps _ back _ part _ bytes _ span <<<"$res"
  lost=$((count - records))
  [ "$span" -gt 0 ] || span=1
  achieved=$((records * 1000 / span))
  mbs=$(awk -v b="$bytes" -v s="$span" 'BEGIN{printf "%.2f", b / 1048576 / (s / 1000)}')
  cpu=$(awk -v t="$ticks" -v hz="$TICK" -v a="$start" -v b="$end" 'BEGIN{printf "%.1f", 100 * t / hz / (b - a)}')
  if [ "$gaps" = 0 ] && [ "$back" = 0 ] && [ "$part" = 0 ] && [ "$first" = 1 ] && [ "$last" = "$count" ]; then
    result="no loss"
    if awk -v l="$lag" 'BEGIN{exit !(l < 1)}'; then
      [ "$achieved" -gt "$best" ] && best=$achieved
    else
      result="no loss, not sustained (lag)"
    fi
  else
    result="LOSS: $lost missing, gaps $gaps, first $first, last $last"
  fi
  printf '%-9s %-9s %-10s %-7s %-7s %-6s %s\n' "$rate" "$records" "$achieved" "$mbs" "$lag" "$cpu" "$result"
  [ -s "$WORK/err" ] && sed 's/^/          /' "$WORK/err"
done
echo "highest sustained rate without loss: $best records/s"
