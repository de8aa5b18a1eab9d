# Finding and focusing the program's windows under Xvfb with xdotool; sourced by the scripts
# that drive the window program (soak_window.sh, manual_screenshots.sh). A `log` function of
# the sourcing script, when there is one, hears of windows that did not show.

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi; }

# Xvfb, xdotool, xwininfo and ImageMagick, installed with apt-get when missing.
Install_XTools() {
  local need=()
  command -v Xvfb >/dev/null || need+=(xvfb)
  command -v xdotool >/dev/null || need+=(xdotool)
  command -v xwininfo >/dev/null || need+=(x11-utils)
  command -v import >/dev/null && command -v convert >/dev/null || need+=(imagemagick)
  [ ${#need[@]} -eq 0 ] && return 0
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" ||
    { as_root apt-get update -qq && as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${need[@]}"; }
}

win() {  # the shown window of this exact title
  local pattern
  pattern=$(printf '%s' "$1" | sed 's/[][\\.*^$?+(){}|]/\\&/g')
  xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -n 1
}
main_win() {  # the shown main window: its title ends in the program's name
  xdotool search --onlyvisible --name 'Plotari Ver\.2\.2$' 2>/dev/null | head -n 1
}
wait_main() {  # [TENTHS]: the main window's id once it is shown, whatever document it names
  local w i
  for ((i = 0; i < ${1:-50}; i++)); do
    w=$(main_win)
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  declare -F log >/dev/null && log "the main window did not show"
  return 1
}
wait_win() {  # TITLE [TENTHS]: the window's id once it is shown
  local w i
  for ((i = 0; i < ${2:-50}; i++)); do
    w=$(win "$1")
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  declare -F log >/dev/null && log "window '$1' did not show"
  return 1
}
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null; sleep 0.1; }
