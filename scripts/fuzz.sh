#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, under AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-fuzz/, and runs each for a bounded time from its seeds
# (fuzz/corpus/<target>/, which also holds every input a fuzzer once found). Fails at the first
# target that finds a crash, a leak, undefined behaviour or a broken property; the input that did
# it is kept in build-fuzz/artifacts/<target>/.
# Usage: bash scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
build=build-fuzz

bash scripts/install-deps.sh
fuzz_packages=(clang-14 libclang-rt-14-dev llvm-14)
missing=()
for p in "${fuzz_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "fuzz: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DHALCYRA_FUZZ=ON -DHALCYRA_BUILD_TESTS=OFF -DHALCYRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target halcyra_fuzzers

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
  export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi

# Each run grows a corpus of its own, so the checked-in seeds stay as they are.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for binary in "$build"/bin/*_fuzzer; do
  target=$(basename "$binary" _fuzzer)
  dict=fuzz/${target%%_*}.dict  # one dictionary per format: dialog.dict, script.dict
  options=(-max_total_time="$seconds" -timeout=20 -print_final_stats=1
           -artifact_prefix="$build/artifacts/$target/")
  [ -f "$dict" ] && options+=(-dict="$dict")
  mkdir -p "$work/$target" "$build/artifacts/$target"
  log="$build/artifacts/$target.log"
  if "$binary" "${options[@]}" "$work/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(grep -a 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz: $target: ${runs:-?} runs in ${seconds} s, nothing found"
  else
    echo "fuzz: $target: FOUND SOMETHING (log: $log)"
    tail -n 40 "$log"
    failed=1
  fi
done
exit "$failed"
