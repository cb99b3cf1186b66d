#!/bin/sh
# Runs a Windows tree's tests under Wine inside Xvfb: a fresh prefix of the tree's kind (win32 or
# win64, as cmake wrote in BUILD_DIR/wine-arch) with a virtual desktop (no 2-second wait per
# closed window) and no crash dialog, a persistent wine server for the run, shut down afterwards;
# then the tests' BMP screenshots become PNGs.
# Usage: cmake/wine-gui-tests.sh BUILD_DIR [TEST_REGEX]
set -eu
build=$(cd "$1" && pwd)
filter="${2:-.}"
arch=$(cat "$build/wine-arch")
. "$(dirname "$0")/wine-env.sh"
wine_env "$build" "$arch"
rm -rf "$WINEPREFIX" "$build/screenshots"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  wine reg add "HKCU\\Software\\Wine\\Explorer" /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops" /v Default /d 1024x768 /f >/dev/null 2>&1
  wine reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -p
  status=0
  ctest --test-dir "$0" --output-on-failure -R "$1" || status=$?
  wineserver -k || true
  wineserver -w || true
  exit $status
' "$build" "$filter" || status=$?
# The pictures matter most when a test failed: convert them in any case.
for shot in "$build"/screenshots/*.bmp; do
  [ -e "$shot" ] || continue
  if /usr/bin/convert "$shot" "${shot%.bmp}.png"; then rm -f "$shot"; else echo "kept $shot: no PNG conversion"; fi
done
exit $status
