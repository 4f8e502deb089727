#!/usr/bin/env bash
# make_seeds.sh BUILD_DIR OUT_DIR: composes every golden case (and the sample
# session) into fuzz seeds, each once with flag byte 0 and once with 3.
set -euo pipefail
if [ $# -ne 2 ]; then echo "usage: $0 BUILD_DIR OUT_DIR" >&2; exit 2; fi
build=$1 out=$2
src=$(cd "$(dirname "$0")/.." && pwd)
compose=$build/compose
[ -x "$compose" ] || { echo "make_seeds: $compose is missing (build first)" >&2; exit 1; }
mkdir -p "$out"
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

seed() {  # seed NAME FILE
  printf '\000' | cat - "$2" > "$out/$1-0"
  printf '\003' | cat - "$2" > "$out/$1-3"
}

n=0
while IFS= read -r -d '' c; do
  rel=${c#"$src/tests/golden/"}
  name=$(printf '%s' "${rel%.case}" | tr '/' '_')
  if "$compose" -o "$tmp" "$c"; then
    seed "$name" "$tmp"
    n=$((n + 1))
  else
    echo "make_seeds: skipped $c" >&2
  fi
done < <(find "$src/tests/golden" -name '*.case' -print0 | sort -z)

mapfile -t sessions < <(find "$src/samples/session" -name '*.case' | sort)
if [ ${#sessions[@]} -gt 0 ] && "$compose" -o "$tmp" "${sessions[@]}"; then
  seed sample "$tmp"
  n=$((n + 1))
fi
echo "make_seeds: $((n * 2)) seeds in $out"
