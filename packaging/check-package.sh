#!/usr/bin/env bash
# Builds the Debian package in a configured build folder and checks what a person installing it
# gets. Usage: bash packaging/check-package.sh [build-dir] [--install]
#
# Always: the launcher and the software-centre entry validate; the package is
# halcyra_VERSION_ARCH.deb, its library dependencies were worked out from the binaries, and it holds
# every file of <build>/package-files.txt.
# With --install (CI, as root, on a machine it may change): installs the package with apt as a
# person would, starts each program as an unprivileged user on a virtual display and waits for its
# window (halcyractl: asks its version and a dry run), then purges the package and checks that
# nothing it installed is left.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
install=false
[ "${2:-}" = --install ] && install=true

fail() {
  echo "check-package: $*" >&2
  exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
[ -f "$build/package-files.txt" ] || fail "$build is not a configured build folder"

echo "check-package: building the package"
rm -f "$build"/halcyra_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/halcyra_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "expected $deb; cpack made: $(cd "$build" && ls ./*.deb 2>/dev/null)"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
dpkg-deb -e "$deb" "$scratch/control"

echo "check-package: checking its contents"
missing=0
while read -r path; do
  [ -z "$path" ] && continue
  if [ ! -e "$scratch/root/$path" ]; then
    echo "check-package: the package lacks /$path" >&2
    missing=1
  fi
done <"$build/package-files.txt"
[ "$missing" = 0 ] || fail "files are missing"
for program in halcyra halcyra-demo; do
  grep -qx "usr/bin/$program" "$build/package-files.txt" || fail "the file list lacks usr/bin/$program"
done
depends=$(sed -n 's/^Depends: //p' "$scratch/control/control")
# The product drives the real controller through hidapi.
libraries="libc6 libstdc++6 libx11-6 libhidapi-hidraw0"
for library in $libraries; do
  grep -q "\\b$library\\b" <<<"$depends" || fail "Depends lacks $library (no shlibdeps?): $depends"
done
for script in postinst postrm; do
  [ -x "$scratch/control/$script" ] || fail "the package has no executable $script"
done

echo "check-package: validating the launcher and the software-centre entry"
desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net --explain "$scratch"/root/usr/share/metainfo/*.metainfo.xml

if ! $install; then
  echo "check-package: $deb is good"
  exit 0
fi

[ "$(id -u)" = 0 ] || fail "--install needs root"
if dpkg-query -W -f='${Status}' halcyra 2>/dev/null | grep -q "install ok installed"; then
  fail "halcyra is installed on this machine already; not touching it"
fi

echo "check-package: installing it"
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq -o DPkg::Lock::Timeout=300 --no-install-recommends "./$deb" >/dev/null
dpkg -L halcyra >"$scratch/installed.txt"
while read -r path; do
  [ -z "$path" ] && continue
  grep -qx "/$path" "$scratch/installed.txt" || fail "dpkg does not list /$path as installed"
done <"$build/package-files.txt"

# Each program, as a person without privileges starts it from the menu, shows its window.
display=""
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || fail "no free X display number"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
program_pid=""
cleanup_run() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap 'cleanup_run; rm -rf "$scratch"' EXIT
for _ in $(seq 50); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.1
done
while read -r path; do
  # halcyractl shows no window; it is run on its own below.
  case "$path" in usr/bin/halcyractl) continue ;; usr/bin/*) ;; *) continue ;; esac
  program=$(basename "$path")
  echo "check-package: starting $program as nobody"
  DISPLAY="$display" HOME=/nonexistent setpriv --reuid=nobody --regid=nogroup --clear-groups \
    "/$path" >"$scratch/$program.out" 2>&1 &
  program_pid=$!
  shown=false
  for _ in $(seq 100); do
    if xwininfo -display "$display" -root -tree 2>/dev/null | grep -q "(\"$program\" "; then
      shown=true
      break
    fi
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  $shown || fail "$program showed no window: $(cat "$scratch/$program.out")"
done <"$build/package-files.txt"
cleanup_run
trap 'rm -rf "$scratch"' EXIT

echo "check-package: running halcyractl as nobody"
as_nobody() { HOME=/nonexistent setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
said=$(as_nobody /usr/bin/halcyractl --version) || fail "halcyractl --version failed"
[ "$said" = "halcyractl $version" ] || fail "halcyractl --version says: $said"
report=$(as_nobody /usr/bin/halcyractl --dry-run lights 8) || fail "halcyractl --dry-run failed"
case "$report" in "00 80 0D 02 08 03 00 "*) ;; *) fail "halcyractl --dry-run lights 8 says: $report" ;; esac

echo "check-package: removing it"
apt-get purge -y -qq -o DPkg::Lock::Timeout=300 halcyra >/dev/null
left=0
while read -r path; do
  if [ -L "$path" ] || [ -f "$path" ]; then
    echo "check-package: left behind: $path" >&2
    left=1
  elif [ -d "$path" ] && [ -z "$(ls -A "$path")" ] && ! dpkg -S "$path" >/dev/null 2>&1; then
    echo "check-package: left behind, empty: $path" >&2
    left=1
  fi
done <"$scratch/installed.txt"
[ "$left" = 0 ] || fail "removing the package left files behind"
echo "check-package: $deb builds, installs, runs as a normal user and removes cleanly"
