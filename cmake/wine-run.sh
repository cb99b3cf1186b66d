#!/bin/sh
# Runs a Windows program under Wine in the build tree's prefix of the given kind.
# Usage: wine-run.sh win32|win64 PROGRAM [ARGS...]
# win64 runs the 64-bit loader itself: /usr/bin/wine prefers the 32-bit one, which cannot start
# on a machine that runs 64-bit code only.
arch=$1
shift
: "${WINEPREFIX:=$(pwd)/wineprefix}"
export WINEPREFIX WINEARCH="$arch" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$arch" = win64 ]; then exec /usr/lib/wine/wine64 "$@"; fi
exec wine "$@"
