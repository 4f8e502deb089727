#!/usr/bin/env bash
# Sets up what is missing, builds marlog and interprets the bundled sample
# trace. Further arguments go to marlog (for example -c or -q).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja >&2
cmake --build build -j "${MARLOG_JOBS:-$(nproc)}" --target marlog sample_trace >&2
exec build/marlog -i build/samples/sample.trace "$@"
