#!/usr/bin/env bash
# run_bench.sh BUILD_DIR: generates a mixed trace (the sample's records
# replayed) and a text-only trace, each BENCH_SIZE bytes (default 256M), plus a
# small text trace to show that peak memory does not grow with the input, and
# reports `marlog -i FILE > /dev/null` throughput (best of 3) and peak memory.
set -euo pipefail
if [ $# -ne 1 ]; then echo "usage: $0 BUILD_DIR" >&2; exit 2; fi
build=$(cd "$1" && pwd)
size=${BENCH_SIZE:-256M}
runs=${BENCH_RUNS:-3}
dir=$build/bench
mkdir -p "$dir"
for f in marlog gen_trace samples/sample.trace; do
  [ -e "$build/$f" ] || { echo "run_bench: $build/$f is missing (build first)" >&2; exit 1; }
done
if [ ! -x /usr/bin/time ]; then
  echo "run_bench: /usr/bin/time is missing (Debian package 'time'; scripts/setup.sh installs it)" >&2
  exit 1
fi

declare -A records
declare -A size_of=([mix]=$size [text]=$size [text-small]=16M)
gen() {  # gen NAME ARGS...
  local name=$1; shift
  local line
  line=$("$build/gen_trace" "$@" "$dir/$name.trace" --size "${size_of[$name]}")
  records[$name]=$(awk '{print $2}' <<< "$line")
}
gen mix --mix "$build/samples/sample.trace"
gen text --text
gen text-small --text

printf '%-11s %10s %12s %9s %10s %14s %12s\n' trace MB records seconds MB/s records/s "peak RSS KB"
status=0
for name in mix text text-small; do
  file=$dir/$name.trace
  bytes=$(stat -c %s "$file")
  best= peak=0
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    if ! /usr/bin/time -f '%M' -o "$dir/time.out" "$build/marlog" -i "$file" > /dev/null 2> "$dir/stderr.out"; then
      echo "run_bench: marlog failed on $file:" >&2
      head -5 "$dir/stderr.out" >&2
      status=1
      break
    fi
    end=$(date +%s%N)
    ns=$((end - start))
    if [ -z "$best" ] || [ "$ns" -lt "$best" ]; then best=$ns; fi
    rss=$(tail -1 "$dir/time.out")
    [ "$rss" -gt "$peak" ] && peak=$rss
  done
  [ -n "$best" ] || continue
  awk -v b="$bytes" -v r="${records[$name]}" -v ns="$best" -v p="$peak" -v n="$name" 'BEGIN {
    s = ns / 1e9
    printf "%-11s %10.1f %12d %9.3f %10.1f %14.0f %12d\n", n, b / 1048576, r, s, b / 1048576 / s, r / s, p
  }'
done
echo "(MB = 2^20 bytes; best of $runs runs; output to /dev/null)"
rm -f "$dir"/*.trace "$dir/time.out" "$dir/stderr.out"
exit $status
