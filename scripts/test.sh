#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test:
#   build/       normal build, unit and golden tests
#   build-asan/  AddressSanitizer + UndefinedBehaviorSanitizer build, the same tests
#   build-fuzz/  clang libFuzzer build, each fuzz target for MARLOG_FUZZ_SECONDS (default 60)
# Runs every stage and exits non-zero if any failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
jobs=${MARLOG_JOBS:-$(nproc)}
fuzz_seconds=${MARLOG_FUZZ_SECONDS:-60}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
stage() {  # stage NAME COMMAND...
  local name=$1; shift
  echo "=== $name"
  if ! "$@"; then
    echo "=== $name FAILED"
    failed+=("$name")
    return 1
  fi
}

build_and_test() {  # build_and_test DIR CMAKE-ARGS...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" > /dev/null &&
    cmake --build "$dir" -j "$jobs" &&
    ctest --test-dir "$dir" -j "$jobs" --output-on-failure
}

fuzz() {
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DMARLOG_FUZZ=ON \
      -DMARLOG_TESTS=OFF > /dev/null &&
    cmake --build build-fuzz -j "$jobs" &&
    fuzz/run_fuzz.sh build-fuzz "$fuzz_seconds"
}

stage "normal build and tests" build_and_test build
stage "sanitizer build and tests" build_and_test build-asan -DMARLOG_SANITIZE=ON
stage "fuzzing" fuzz

if [ ${#failed[@]} -gt 0 ]; then
  echo "test: FAILED: ${failed[*]}"
  exit 1
fi
echo "test: all passed"
