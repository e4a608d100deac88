#!/usr/bin/env bash
# Makes the README's pictures of the main window, in English and in Chinese, with halcyra-headless
# itself: each run takes a screenshot of the virtual screen, and the window is then cut out of it at
# the rectangle the program reports for it, the desktop around its rounded corners made transparent.
# Text is drawn with the fonts the end-to-end tests use, so the pictures do not depend on the fonts
# a machine happens to have. Needs python3 for the cutting; without it the whole screen is kept.
# Usage: bash scripts/screenshots.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
out=docs/screenshots

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target halcyra-headless >/dev/null

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
sed "s|@HALCYRA_E2E_FONT_CACHE@|$scratch/font-cache|" tests/e2e/fonts.conf.in >"$scratch/fonts.conf"
export FONTCONFIG_FILE="$scratch/fonts.conf"
mkdir -p "$out"

# A controller that reports the colour the colour wheel starts on and 30 LEDs.
setup='device color 61 69 255
device qty 30
start'
# The pointer rests off the window, so that no button shows its hover picture.
shoot() {
  local name="$1" actions="$2"
  printf '%s\n%s\nmove 5 5\nwindows\nscreenshot %s\n' "$setup" "$actions" "$scratch/$name.png" |
    "$build/bin/halcyra-headless" >"$scratch/$name.out"
  local rect
  rect="$(sed -n 's/^window visible #32770 \([0-9]* [0-9]* [0-9]* [0-9]*\) "".*/\1/p' "$scratch/$name.out" |
    head -n 1)"
  if [ -z "$rect" ]; then
    echo "screenshots: the main window is not on the screen in $name" >&2
    exit 1
  fi
  if command -v python3 >/dev/null; then
    # shellcheck disable=SC2086
    python3 - "$scratch/$name.png" "$out/$name.png" $rect <<'PY'
# Cuts a rectangle out of an 8-bit RGB PNG and writes it as RGBA, the desktop colour that touches
# the rectangle's edges made transparent (what shows around a shaped window).
import struct, sys, zlib

src, dst, left, top, width, height = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:7])
DESKTOP = (0x3A, 0x6E, 0xA5)

data = open(src, "rb").read()
chunks, pos = {}, 8
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    chunks.setdefault(kind, []).append(data[pos + 8:pos + 8 + length])
    pos += 12 + length
w, h, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"][0])
assert depth == 8 and color == 2 and interlace == 0, "an 8-bit RGB PNG without interlacing"
raw = zlib.decompress(b"".join(chunks[b"IDAT"]))
stride, rows, prev = w * 3, [], bytearray(w * 3)
for y in range(h):
    kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - 3] if i >= 3 else 0
        b = prev[i]
        c = prev[i - 3] if i >= 3 else 0
        if kind == 1: line[i] = (line[i] + a) & 0xFF
        elif kind == 2: line[i] = (line[i] + b) & 0xFF
        elif kind == 3: line[i] = (line[i] + (a + b) // 2) & 0xFF
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
    rows.append(line)
    prev = line

def pixel(x, y):
    row = rows[top + y]
    return tuple(row[(left + x) * 3:(left + x) * 3 + 3])

clear = set()
todo = [(x, y) for x in range(width) for y in (0, height - 1)] + \
       [(x, y) for y in range(height) for x in (0, width - 1)]
while todo:
    x, y = todo.pop()
    if (x, y) in clear or not (0 <= x < width and 0 <= y < height) or pixel(x, y) != DESKTOP:
        continue
    clear.add((x, y))
    todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]

out = bytearray()
for y in range(height):
    out.append(0)
    for x in range(width):
        out += bytes(pixel(x, y)) + (b"\0" if (x, y) in clear else b"\xff")

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

with open(dst, "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n")
    f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
    f.write(chunk(b"IDAT", zlib.compress(bytes(out), 9)))
    f.write(chunk(b"IEND", b""))
PY
  else
    cp "$scratch/$name.png" "$out/$name.png"
  fi
  echo "screenshots: $out/$name.png"
}

shoot main-english ''
# The arrow beside "ENGLISH" switches the window to Chinese.
shoot main-chinese 'click 1079 240'
