#!/usr/bin/env bash
# Installs the Debian packages that building and testing marlog need, when
# any is missing: as root directly, otherwise through sudo; where neither is
# possible it names the packages to install.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev googletest
          libbenchmark-dev tmux time python3)

if ! command -v dpkg-query > /dev/null; then
  echo "setup: not a Debian system; install the equivalents of: ${packages[*]}" >&2
  exit 1
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=(env DEBIAN_FRONTEND=noninteractive)
elif command -v sudo > /dev/null; then
  run=(sudo env DEBIAN_FRONTEND=noninteractive)
else
  echo "setup: these packages are missing and I can neither act as root nor use sudo:" >&2
  echo "    apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
"${run[@]}" apt-get update
"${run[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
