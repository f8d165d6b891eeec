#!/usr/bin/env bash
# Takes a picture of Hastelyn.exe's main window as a Japanese system shows it, in a throw-away
# Wine prefix on a private X server:
#   tools/wine/screenshot-window.sh build/win32 OUT.png [WIDTHxHEIGHT [PAGE]]
# PAGE (0 to 7) is the page shown, chosen by a click on its menu button; the first by default.
# With OPTIONS_PAGE=0 to 3 in the environment, the options window is opened instead (a click on
# the main window's options button) on that page: the wheel turns to it, and the hidden page is
# revealed from the version page's keyboard. SETTINGS=FILE in the environment starts the program
# with that settings file (Hastelyn.ini, in the system's code page).
# The X11 driver with unmanaged windows (Managed=N), code page 932 (ja_JP.UTF-8), and the
# Japanese fonts the program asks for replaced by the IPA fonts Debian ships. The program runs
# from a copy in the prefix, as the edition it is made for (XP), and is ended afterwards.
# SHOT_CLICKS, when set, holds clicks made after that, in order, each "TITLE:X,Y": a point of
# the window of that title (a side window the clicks before opened), or "key:KEY", a key (as
# xdotool names it) to the window that has the focus, e.g.
#   SHOT_CLICKS='Hastelyn:74,391 保存と復元:130,43'  (the save-and-restore window, its second page)
# HASTELYN_SHOT_SHOW=compact shows the compact window in the main window's place (a double-click
# on the title strip) before the picture; =performance opens its panel too (its button).
set -euo pipefail
build=${1:?usage: $0 BUILD_DIR OUT.png [WIDTHxHEIGHT [PAGE]]}
out=$(realpath -m "$2")
screen=${3:-1024x768}
page=${4:-0}
# The menu buttons' tops in the window (their rows in ui/model/MainControls.h), page by page.
menu_tops=(76 111 146 181 216 259 294 329)
[[ "$page" =~ ^[0-7]$ ]] || { echo "PAGE is 0 to 7" >&2; exit 2; }
options_page=${OPTIONS_PAGE:-}
[[ -z "$options_page" || "$options_page" =~ ^[0-3]$ ]] || { echo "OPTIONS_PAGE is 0 to 3" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
run="$here/wine-run.sh"
wine_ja() { LC_ALL=ja_JP.UTF-8 "$run" "$@"; }

WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/hastelyn-shot.XXXXXX")
export WINEPREFIX WINEDEBUG=-all
. "$here/private-display.sh"
private_display "$screen" "$WINEPREFIX"

"$here/japanese-prefix.sh" Hastelyn.exe

folder="$WINEPREFIX/drive_c/Program Files/Hastelyn"
mkdir -p "$folder"
cp "$build/app/Hastelyn.exe" "$folder/"
if [ -n "${SETTINGS:-}" ]; then cp "$SETTINGS" "$folder/Hastelyn.ini"; fi
wine_ja "$folder/Hastelyn.exe" </dev/null >/dev/null 2>&1 &
# The window is mapped when xdotool finds it by its title.
for _ in $(seq 1 120); do
  xdotool search --name '^Hastelyn$' >/dev/null 2>&1 && break
  sleep 0.5
done
window=$(xdotool search --sync --onlyvisible --name '^Hastelyn$' | head -n 1)
if [ "$page" != 0 ]; then
  # The middle of the page's menu button, inside the window's one-pixel border.
  xdotool mousemove --window "$window" 73 $((menu_tops[page] + 1 + 18)) click 1
fi
for click in ${SHOT_CLICKS:-}; do
  title=${click%%:*}
  point=${click#*:}
  if [ "$title" = key ]; then
    xdotool key "$point"
  else
    target=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
    xdotool mousemove --window "$target" "${point%%,*}" "${point#*,}" click 1
  fi
  sleep 0.5
done
case "${HASTELYN_SHOT_SHOW:-}" in
  compact | performance)
    xdotool mousemove --window "$window" 300 30 click --repeat 2 --delay 80 1
    sleep 1
    compact=$(xdotool search --onlyvisible --name '^Hastelyn$' | head -n 1)
    if [ "$HASTELYN_SHOT_SHOW" = performance ]; then
      # The performance button (its row: 96, 0, 23 x 22) inside the window's frame.
      border=$(( ($(xdotool getwindowgeometry "$compact" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p') - 127) / 2 ))
      xdotool mousemove --window "$compact" $((border + 107)) $((border + 11)) click 1
      # An error box of the meters (Wine's performance data has no processors) is answered.
      sleep 1
      for box in $(xdotool search --onlyvisible --name '^エラー$' 2>/dev/null); do
        xdotool mousemove --window "$box" 10 10 click 1 key Return
      done
    fi
    ;;
esac
if [ -n "$options_page" ]; then
  # The options button (BtnOption in ui/model/MainControls.h, 407 to 443 down the layout). On
  # a small screen the window scrolls its layout: down to the end first, by its scroll bar's
  # lower arrow (16 pixels a click), then the button sits 121 pixels above the window's bottom.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  button_y=$((407 + 1 + 9))
  if [ "$HEIGHT" -lt 500 ]; then
    for _ in $(seq 1 12); do xdotool mousemove --window "$window" $((WIDTH - 12)) $((HEIGHT - 32)) click 1; done
    button_y=$((HEIGHT - 121))
  fi
  xdotool mousemove --window "$window" 76 "$button_y" click 1
  options=$(xdotool search --sync --onlyvisible --name '^Hastelyn .' | head -n 1)
  turns=$(( options_page == 3 ? 2 : options_page ))
  for _ in $(seq 1 "$turns"); do xdotool mousemove --window "$options" 300 200 click 5; sleep 0.3; done
  if [ "$options_page" = 3 ]; then
    # From the page control: the two links, then the reveal button.
    xdotool key Tab Tab Tab space
  fi
fi
sleep 1  # the last of the painting
import -display "$DISPLAY" -window root "$out"
echo "$out"
