#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Halcyra need; with "ci", also
# what continuous integration checks besides (the format checker, the skin generator's libraries).
# Idempotent: when everything is already there it prints nothing and changes nothing.
# Usage: bash scripts/install-deps.sh [ci]
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config git
  # libraries the product links
  libhidapi-dev libx11-dev libxext-dev libfontconfig-dev libfreetype-dev libpng-dev
  # tests and benchmarks
  googletest libgtest-dev libbenchmark-dev libxtst-dev xvfb x11-utils x11-apps openbox
  # fonts: a metric-compatible Arial and a small CJK font
  fonts-liberation fonts-wqy-microhei
  # the Debian package and the checks of its launcher and software-centre entry
  dpkg-dev desktop-file-utils appstream
)
if [ "${1:-}" = ci ]; then
  packages+=(clang-format libcairo2-dev libpango1.0-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run this script as root" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
