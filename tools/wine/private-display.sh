# Sourced by the scripts that show Wine's windows: a private X server of the given size in
# DISPLAY, ended together with Wine's processes when the script exits, and the given folder
# (the throw-away prefix, or the folder holding it) removed then:
#   . tools/wine/private-display.sh; private_display 1024x768 FOLDER
private_display() {
  private_display_folder=$2
  DISPLAY=:$((50 + RANDOM % 400))
  export DISPLAY
  Xvfb "$DISPLAY" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  private_display_xvfb=$!
  trap 'wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true
        kill "$private_display_xvfb" 2>/dev/null || true; rm -rf "$private_display_folder"' EXIT
}
