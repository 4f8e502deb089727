#!/usr/bin/env bash
# run_fuzz.sh BUILD_DIR SECONDS [target]: builds the seeds and runs each fuzz
# target (or the one named) for SECONDS with inputs up to 8192 bytes. The
# corpus grows in BUILD_DIR/fuzz-corpus/<target>; crashes are saved in
# BUILD_DIR/fuzz-artifacts/. Exits non-zero when a target fails.
set -uo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then echo "usage: $0 BUILD_DIR SECONDS [target]" >&2; exit 2; fi
build=$(cd "$1" && pwd) seconds=$2 only=${3:-}
src=$(cd "$(dirname "$0")/.." && pwd)

seeds=$build/fuzz-seeds
rm -rf "$seeds"
"$src/fuzz/make_seeds.sh" "$build" "$seeds" || exit 1
mkdir -p "$build/fuzz-artifacts"

targets=()
for f in "$src"/fuzz/*_fuzz.cpp; do
  t=$(basename "$f" .cpp)
  if [ -z "$only" ] || [ "$only" = "$t" ]; then targets+=("$t"); fi
done
if [ ${#targets[@]} -eq 0 ]; then echo "run_fuzz: no target ${only}" >&2; exit 2; fi

failed=()
for t in "${targets[@]}"; do
  bin=$build/fuzz/$t
  if [ ! -x "$bin" ]; then
    echo "run_fuzz: $bin is missing; configure with -DCMAKE_CXX_COMPILER=clang++ -DMARLOG_FUZZ=ON and build" >&2
    failed+=("$t")
    continue
  fi
  corpus=$build/fuzz-corpus/$t
  mkdir -p "$corpus"
  echo "run_fuzz: $t for ${seconds}s"
  # -close_fd_mask=2 silences the program's diagnostics; crash reports still show.
  if ! "$bin" -max_len=8192 -max_total_time="$seconds" -timeout=10 \
      -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$t-" \
      "$corpus" "$seeds"; then
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "run_fuzz: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "run_fuzz: all targets clean"
