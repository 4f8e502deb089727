#!/usr/bin/env bash
# crashdump_bench.sh BUILD_DIR: builds a synthetic crash dump (default 2304 MiB,
# 200,000 records scattered in it, 5% of them twice, out of order), then
# reports, from the page cache, a plain sequential read of the file and
# `marlog -a` (raw output with -o, and printed to /dev/null): GB/s, and peak
# memory. The dump is deleted at the end.
set -euo pipefail
if [ $# -ne 1 ]; then echo "usage: $0 BUILD_DIR" >&2; exit 2; fi
build=$(cd "$1" && pwd)
mib=${CRASH_BENCH_MIB:-2304}
records=${CRASH_BENCH_RECORDS:-200000}
runs=${BENCH_RUNS:-3}
for f in marlog gen_dump; do
  [ -x "$build/$f" ] || { echo "crashdump_bench: $build/$f is missing (build first)" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "crashdump_bench: /usr/bin/time is missing" >&2; exit 1; }
dir=$(mktemp -d "${TMPDIR:-/tmp}/crashbench.XXXXXX")
trap 'rm -rf "$dir"' EXIT
dump=$dir/memory.dmp

read -r _ nrec _ ncopies _ unique_bytes < <("$build/gen_dump" "$dump" "$mib" "$records" 5)
bytes=$(stat -c %s "$dump")
echo "dump: $bytes bytes, $nrec records, $ncopies copies, $unique_bytes bytes of distinct records"
cat "$dump" >/dev/null  # into the page cache

best() {  # best NAME COMMAND...: fastest of $runs runs; sets SECONDS_BEST and PEAK_KB
  SECONDS_BEST= PEAK_KB=
  local i line s kb
  for i in $(seq 1 "$runs"); do
    line=$( { /usr/bin/time -f "%e %M" "$@" >/dev/null; } 2>&1 | tail -1)
    read -r s kb <<<"$line"
    if [ -z "$SECONDS_BEST" ] || awk -v a="$s" -v b="$SECONDS_BEST" 'BEGIN{exit !(a<b)}'; then
      SECONDS_BEST=$s PEAK_KB=$kb
    fi
  done
}
rate() { awk -v b="$bytes" -v s="$1" 'BEGIN{ if (s <= 0) s = 0.01; printf "%.2f", b / s / 1e9 }'; }

best dd if="$dump" of=/dev/null bs=8M
plain_s=$SECONDS_BEST plain_kb=$PEAK_KB
best "$build/marlog" -a "$dump" -o "$dir/out"
raw_s=$SECONDS_BEST raw_kb=$PEAK_KB
out_bytes=$(stat -c %s "$dir/out.3")
best "$build/marlog" -a "$dump"
print_s=$SECONDS_BEST print_kb=$PEAK_KB

printf '%-28s %8s s %7s GB/s %9s KiB peak\n' "plain read (dd bs=8M)" "$plain_s" "$(rate "$plain_s")" "$plain_kb"
printf '%-28s %8s s %7s GB/s %9s KiB peak\n' "marlog -a -o (raw)" "$raw_s" "$(rate "$raw_s")" "$raw_kb"
printf '%-28s %8s s %7s GB/s %9s KiB peak\n' "marlog -a > /dev/null" "$print_s" "$(rate "$print_s")" "$print_kb"
echo "raw output: $out_bytes bytes (distinct records: $unique_bytes)"
awk -v p="$plain_s" -v r="$raw_s" 'BEGIN{ printf "scan / plain read: %.2f (target >= 0.5)\n", (r > 0 ? p / r : 0) }'
[ "$out_bytes" -eq "$unique_bytes" ] || { echo "crashdump_bench: raw output does not hold every distinct record once" >&2; exit 1; }
