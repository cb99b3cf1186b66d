#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the default data need and
# this machine lacks. Idempotent: a machine that has everything is left alone.
#   --all   also the cross compilers, Wine, the browser and the packaging tools of ./test
# 32-bit Wine (wine32:i386) is asked for only where this machine runs 32-bit code, and apart from
# the rest: when it cannot be installed (an i386 index missing while a mirror syncs leaves its
# libraries no version matching the installed 64-bit ones) the 32-bit Windows tests are skipped
# with a warning instead of nothing being installed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

native=(cmake g++ make pkg-config libgtest-dev libcli11-dev libcpp-httplib-dev nlohmann-json3-dev
        libssl-dev zlib1g-dev libbrotli-dev wbritish-huge wamerican-huge scowl time bc curl python3)
extra=(clang libclang-rt-14-dev g++-mingw-w64-i686-posix binutils-mingw-w64-i686
       g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
       fonts-wine fonts-liberation xvfb xauth imagemagick chromium-headless-shell python3-websocket
       unzip zip lintian)
wanted=("${native[@]}")
wanted32=()
if [ "${1:-}" = "--all" ]; then
  wanted+=("${extra[@]}")
  "$here/host-runs-32bit.sh" && wanted32=(wine32:i386)
fi

missing() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || echo "$pkg"
  done
}
mapfile -t need < <(missing "${wanted[@]}")
mapfile -t need32 < <(missing "${wanted32[@]}")
# A failed 32-bit Wine install is tried again a day later, not on every run.
stamp="${XDG_CACHE_HOME:-$HOME/.cache}/wordkeg/wine32-unavailable"
if [ ${#need32[@]} -gt 0 ] && [ -n "$(find "$stamp" -mtime -1 2>/dev/null)" ]; then
  echo "note: 32-bit Wine could not be installed today (see $stamp); its Windows tests are skipped" >&2
  need32=()
fi
[ ${#need[@]} -eq 0 ] && [ ${#need32[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
[ ${#need32[@]} -gt 0 ] && $SUDO dpkg --add-architecture i386
echo "Installing: ${need[*]}${need[*]:+ }${need32[*]}" >&2
# A mirror in mid-sync fails one index now and then: try once more, then go on with the lists
# there are; the install below says what is really missing.
if ! $SUDO apt-get update -q >/dev/null 2>&1 && ! $SUDO apt-get update -q >/dev/null 2>&1; then
  echo "warning: apt-get update failed twice (a mirror being synced?); using the package lists there are" >&2
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
install() { $SUDO apt-get install -y -q --no-install-recommends "$@" >"$log" 2>&1; }
if [ ${#need[@]} -gt 0 ] && ! install "${need[@]}"; then
  grep -E '^(E:| )' "$log" >&2 || cat "$log" >&2
  exit 1
fi
if [ ${#need32[@]} -gt 0 ] && ! install "${need32[@]}"; then
  why=$(grep -m1 '^E:' "$log" || echo 'apt failed')
  echo "warning: ${need32[*]} could not be installed ($why): the 32-bit Windows programs cannot run here, and their tests are skipped" >&2
  mkdir -p "$(dirname "$stamp")" && echo "$why" >"$stamp" || true
fi
exit 0
