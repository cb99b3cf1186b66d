#!/bin/sh
# Runs a Windows test program under Wine in a 32-bit prefix of the build tree.
: "${WINEPREFIX:=$(pwd)/wineprefix}"
export WINEPREFIX WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
