#!/usr/bin/env bash
# Makes the release packages from built trees, into OUT:
#   wordkeg_<version>_amd64.deb     the command line, its web server, man page and completion
#   wordkeg-<version>-win64.zip     wordkeg32.exe, vlist32.dll, drvkeep.exe and a starter home:
#                                   wordkeg.ini, files/, lexicons/ with the British dictionary
#                                   (and its word list's licence), temp/, README.txt, LICENCE.txt
#   wordkeg-<version>-win32.zip     the same from the 32-bit build, for old 32-bit Windows
# Usage: scripts/dist.sh NATIVE-BUILD WIN32-BUILD WIN64-BUILD OUT   (./run dist builds them first)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
native=$(cd "$1" && pwd)
win32=$(cd "$2" && pwd)
win64=$(cd "$3" && pwd)
mkdir -p "$4"
out=$(cd "$4" && pwd)
version=$(sed -n 's/^project(wordkeg VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The Debian package.
(cd "$native" && cpack -B "$work/cpack" >/dev/null)
mv "$work"/cpack/wordkeg_"$version"_*.deb "$out/"

# The starter dictionary, made and selected by the command line in a home of long words.
"$native/bin/wordkeg" --home "$work/home" config long-words on >/dev/null 2>&1
"$native/bin/wordkeg" --home "$work/home" dict make /usr/share/dict/british-english-huge british \
  >/dev/null 2>&1
"$native/bin/wordkeg" --home "$work/home" dict select british >/dev/null 2>&1
crlf() { sed 's/$/\r/' "$@"; }

# A Windows zip: a folder that works where it is unzipped. Both kinds hold the same files under
# the same names; only the programs' machine code differs.
# Usage: windows_zip win32|win64 BUILD-TREE STRIP
windows_zip() {
  local kind=$1 tree=$2 strip=$3 name="wordkeg-$version-$1" bits=32
  [ "$kind" = win64 ] && bits=64
  local stage="$work/$name"
  mkdir -p "$stage/files" "$stage/lexicons" "$stage/temp"
  for program in wordkeg32.exe vlist32.dll drvkeep.exe; do
    "$strip" -o "$stage/$program" "$tree/bin/$program"
  done
  printf '[PATHS]\r\nFILES=.\\files\r\nDICTIONARIES=.\\lexicons\r\nTEMP_FILES=.\\temp\r\n[OPTIONS]\r\nLONG_WORDS=1\r\n' \
    >"$stage/wordkeg.ini"
  cp "$work/home/lexicons/british.lex" "$stage/lexicons/"
  crlf /usr/share/doc/wbritish-huge/copyright >"$stage/lexicons/british-LICENCE.txt"
  crlf "$root/LICENCE" >"$stage/LICENCE.txt"
  local which="This is the 64-bit build: take it for any current (64-bit) Windows. For an old 32-bit
Windows take wordkeg-$version-win32.zip instead."
  [ "$kind" = win32 ] && which="This is the 32-bit build, for old 32-bit Windows. For any current (64-bit) Windows
take wordkeg-$version-win64.zip instead."
  crlf >"$stage/README.txt" <<TEXT
Wordkeg $version for Windows ($bits-bit)

$which Both read and write the same files, so a
home can move between them.

wordkeg32.exe   the crossword and anagram solver: start it from this folder. It keeps its
                settings in wordkeg.ini, its dictionaries in lexicons\\, saved results in
                files\\ and working files in temp\\.
vlist32.dll     its result list
drvkeep.exe     Drive Keeper: a tray icon that warns while a fixed drive runs low on space
LICENCE.txt     the licence of these programs

The starter dictionary, lexicons\\british.lex, holds the British English word list of
Debian's wbritish-huge package (words of 1 to 20 letters; its licence is
lexicons\\british-LICENCE.txt). Make more from any word list, one word per line, with
Dictionaries > Create From File.

Patterns in FIND: ? is any letter, * any run of letters, a digit that many ?; letters in
FROM are the ones the words are made of. The programs' Properties (Details) name the version.
TEXT
  rm -f "$out/$name.zip"
  (cd "$work" && zip -qr "$out/$name.zip" "$name")
}
windows_zip win64 "$win64" x86_64-w64-mingw32-strip
windows_zip win32 "$win32" i686-w64-mingw32-strip
echo "made $out/wordkeg_${version}_amd64.deb, $out/wordkeg-$version-win64.zip and $out/wordkeg-$version-win32.zip"
