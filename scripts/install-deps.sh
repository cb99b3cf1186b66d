#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the default data need and
# this machine lacks. Idempotent: a machine that has everything is left alone.
set -euo pipefail

native=(cmake g++ make pkg-config libgtest-dev libcli11-dev libcpp-httplib-dev nlohmann-json3-dev
        libssl-dev zlib1g-dev libbrotli-dev wbritish-huge wamerican-huge time bc curl python3)
extra=(clang libclang-rt-14-dev g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine wine32:i386
       fonts-wine fonts-liberation xvfb xauth imagemagick chromium-headless-shell python3-websocket
       unzip zip lintian)
wanted=("${native[@]}")
[ "${1:-}" = "--all" ] && wanted+=("${extra[@]}")

missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  $SUDO dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -q >/dev/null
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
