#!/usr/bin/env bash
# Builds the skin generator and checks that it draws exactly the committed pictures: every file of
# res/bitmaps and res/icons (the program icon and the desktop icon theme's sizes), byte for byte. It draws into a scratch folder; the tree is not touched.
# Usage: bash scripts/check-skin.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-skin}"
cmake -S . -B "$build" -G Ninja -DHALCYRA_BUILD_SKIN_TOOLS=ON -DHALCYRA_BUILD_TESTS=OFF \
  -DHALCYRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target halcyra-skingen

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/res/bitmaps" "$scratch/res/icons" "$scratch/previews"

# The generator's own font configuration (the one the skin_pictures target uses): only the two
# fonts the pictures are drawn with take part, whatever else the machine has.
for dir in /usr/share/fonts/truetype/liberation /usr/share/fonts/truetype/wqy; do
  if [ ! -d "$dir" ]; then
    echo "check-skin: $dir is missing (fonts-liberation, fonts-wqy-microhei)" >&2
    exit 1
  fi
done

FONTCONFIG_FILE="$PWD/tools/skin/fonts.conf" "$build/bin/halcyra-skingen" "$scratch/res" \
  "$scratch/previews" >/dev/null

status=0
if ! diff -r -q res/bitmaps "$scratch/res/bitmaps"; then status=1; fi
if ! diff -r -q res/icons "$scratch/res/icons"; then status=1; fi
if [ "$status" -ne 0 ]; then
  echo "check-skin: the generator no longer draws the committed pictures; rebuild them with" >&2
  echo "  cmake --build <build> --target skin_pictures" >&2
  exit 1
fi
echo "check-skin: $(ls res/bitmaps | wc -l) bitmaps and $(find res/icons -type f | wc -l) icons reproduced"
