#!/usr/bin/env bash
# Makes the Wine prefix in $WINEPREFIX a Japanese system that shows windows on the X server in
# $DISPLAY, and leaves its wineserver ended:
#   tools/wine/japanese-prefix.sh [PROGRAM.exe...]
# The X11 driver with unmanaged windows (Managed=N), code page 932 (ja_JP.UTF-8), and the
# Japanese fonts the program asks for replaced by the IPA fonts Debian ships. Each PROGRAM.exe
# named runs as the edition it is made for (XP).
set -euo pipefail
: "${WINEPREFIX:?}" "${DISPLAY:?}"
here=$(cd "$(dirname "$0")" && pwd)
wine_ja() { LC_ALL=ja_JP.UTF-8 "$here/wine-run.sh" "$@"; }

wine_ja cmd /c exit </dev/null >/dev/null 2>&1
wineserver -w
settings=('HKCU\Software\Wine\X11 Driver|Managed|N'
          'HKCU\Software\Wine\Fonts\Replacements|MS UI Gothic|IPAPGothic'
          'HKCU\Software\Wine\Fonts\Replacements|MS PGothic|IPAPGothic'
          'HKCU\Software\Wine\Fonts\Replacements|MS Gothic|IPAGothic')
for program in "$@"; do settings+=("HKCU\\Software\\Wine\\AppDefaults\\$program|Version|winxp"); done
for setting in "${settings[@]}"; do
  IFS='|' read -r key name data <<<"$setting"
  wine_ja reg add "$key" /v "$name" /d "$data" /f </dev/null >/dev/null 2>&1
done
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for font in /usr/share/fonts/opentype/ipafont-gothic/*.ttf /usr/share/wine/fonts/*.ttf; do
  [ -f "$font" ] && ln -sf "$font" "$fonts/"
done
wineserver -w
