#!/usr/bin/env bash
# Installs what is needed, builds the programs and starts one (default: halcyra).
# Usage: bash scripts/run.sh [halcyra|halcyra-demo]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DHALCYRA_BUILD_TESTS=OFF -DHALCYRA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
program="${1:-halcyra}"
if [ ! -x "build/bin/$program" ]; then
  echo "run: build/bin/$program was not built" >&2
  exit 1
fi
exec "build/bin/$program"
