#!/bin/sh
# Runs a program of the Windows build under Wine: the cross build's CMAKE_CROSSCOMPILING_EMULATOR,
# so ctest runs every .exe test through it. The prefix (WINEPREFIX) and a running wineserver are
# the caller's: tools/wine/test-windows-build.sh makes a throw-away one.

# The PE machine of a program file: 014c for 32-bit x86, 8664 for x86-64.
pe_machine() {
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$offset" ] && od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

if [ -f "${1:-}" ] && [ "$(pe_machine "$1")" = 014c ]; then
  wine=wine  # 32-bit Wine's loader where it is installed (Debian's wine chooses it)
elif command -v wine64 >/dev/null 2>&1; then
  wine=wine64
elif [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64  # Debian 12 keeps it off PATH
else
  wine=wine
fi
export WINEDEBUG="${WINEDEBUG:--all}"

# Wine takes the system's code page from the locale (LC_ALL=ja_JP.UTF-8 gives code page 932)
# and names files in the locale's character set, so a UTF-8 locale this system lacks would
# leave it unable to make files with Japanese names: such a locale is compiled once, into a
# folder of the prefix.
if [ -n "${LC_ALL:-}" ] && [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  case "$LC_ALL" in
    *.UTF-8 | *.utf8)
      locales="${WINEPREFIX:-$HOME/.wine}/locales"
      if [ ! -d "$locales/$LC_ALL" ]; then
        mkdir -p "$locales"
        made=$(mktemp -d "$locales/.new.XXXXXX")
        localedef -i "${LC_ALL%%.*}" -f UTF-8 "$made/$LC_ALL" >/dev/null 2>&1 &&
          mv -T "$made/$LC_ALL" "$locales/$LC_ALL" 2>/dev/null
        rm -rf "$made"
      fi
      export LOCPATH="$locales"
      ;;
  esac
fi
exec "$wine" "$@"
