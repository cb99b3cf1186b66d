# Sourced: wine_env BUILD_DIR win32|win64 [PREFIX] sets up the Wine variables of a prefix (the
# build tree's own unless PREFIX is given) and puts first on PATH a "wine" that starts the loader
# of that kind, so that scripts saying "wine prog.exe" work on a machine that runs 64-bit code only (where /usr/bin/wine would pick
# the 32-bit loader if it is installed, and fail). A symbolic link would not do: the loader
# looks at the name it was started by.
wine_env() {
  export WINEPREFIX="${3:-$1/wineprefix}" WINEARCH="$2" WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$2" = win64 ]; then
    mkdir -p "$1/winebin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$1/winebin/wine"
    chmod +x "$1/winebin/wine"
    case ":$PATH:" in *":$1/winebin:"*) ;; *) PATH="$1/winebin:$PATH" ;; esac
    export PATH
  fi
}
