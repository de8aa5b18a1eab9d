#!/usr/bin/env bash
# Soak test of the real window program: a scripted session under Xvfb, driven with xdotool.
#   tools/soak_window.sh [MINUTES]          (60 by default)
# Environment (all optional):
#   PLOTARI=build-san/plotari   the program to run (the sanitizer build by default)
#   SOAK_DIR=/tmp/...           work directory (a new one under /tmp by default; it is kept)
#   SOAK_DISPLAY=77             X display number for Xvfb
#   SOAK_SEED=N                 seed of the random variations
#   SOAK_SHOT_MINUTES=3         minutes between liveness checks / screenshots
# The program runs in SOAK_DIR (with a copy of build/使用説明). Each loop iteration draws formulas
# of the four forms through the input dialog (sometimes a malformed one, a registered one from
# the list, the division-count dialog), drags the title, legend, axis label and plot area on the
# paper, uses the pop-up menus (title text, line colour, line deletion), changes the zoom through
# its dialog and scrolls, saves with 名前をつけて保存 and opens the file again, and answers the
# message boxes that come up. Every few iterations the document is reset to a baseline file so
# that element positions stay known and the graph does not grow without bound.
# At the end the program is closed through ファイル → 終了 (the questions answered with the
# keyboard); the report (SOAK_DIR/report.txt) gives the counts, the exit status, the peak memory
# (VmHWM) and the sanitizer logs. Exit status 0 only when the program survived, exited with 0 and
# left no sanitizer error.
# Needs xvfb, xdotool, x11-utils and imagemagick; missing ones are installed with apt-get.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
MINUTES=${1:-60}
[[ "$MINUTES" =~ ^[0-9]+$ ]] || { echo "usage: $0 [MINUTES]" >&2; exit 2; }
PLOTARI=${PLOTARI:-$ROOT/build-san/plotari}
[[ "$PLOTARI" = /* ]] || PLOTARI=$ROOT/$PLOTARI
[ -x "$PLOTARI" ] || { echo "no program at $PLOTARI" >&2; exit 2; }
DNUM=${SOAK_DISPLAY:-77}
SHOT_EVERY=$(( ${SOAK_SHOT_MINUTES:-3} * 60 ))
RANDOM=${SOAK_SEED:-$$}

# shellcheck source=tools/xwindows.sh
. "$ROOT/tools/xwindows.sh"
Install_XTools || exit 2

WORK=${SOAK_DIR:-$(mktemp -d /tmp/plotari-soak.XXXXXX)}
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
[ -d "$ROOT/build/使用説明" ] && [ ! -e "$WORK/使用説明" ] && cp -r "$ROOT/build/使用説明" "$WORK/"
rm -f "$WORK"/asan* "$WORK"/ubsan*
LOG=$WORK/soak.log
: >"$LOG"
log() { echo "$(date +%T) $*" >>"$LOG"; }

if [ -e "/tmp/.X$DNUM-lock" ] || [ -e "/tmp/.X11-unix/X$DNUM" ]; then
  echo "display :$DNUM is in use (set SOAK_DISPLAY)" >&2; exit 2
fi
Xvfb ":$DNUM" -screen 0 1400x1000x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB=$!
PID=
cleanup() {
  [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null && kill "$PID" 2>/dev/null
  kill "$XVFB" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$DNUM" ] && break; sleep 0.2; done
export DISPLAY=:$DNUM QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
export ASAN_OPTIONS="abort_on_error=0:detect_leaks=1:log_path=$WORK/asan"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$WORK/ubsan"
export LSAN_OPTIONS="suppressions=$ROOT/tools/lsan.supp"

declare -A COUNT=()
count() { COUNT[$1]=$(( ${COUNT[$1]:-0} + 1 )); }
pick() { local a=("$@"); echo "${a[RANDOM % ${#a[@]}]}"; }
alive() { kill -0 "$PID" 2>/dev/null; }
HWM=0
sample_memory() {
  local kb
  kb=$(awk '/^VmHWM:/{print $2}' "/proc/$PID/status" 2>/dev/null) || return
  [ -n "$kb" ] && [ "$kb" -gt "$HWM" ] && HWM=$kb
  log "memory: $(grep -E '^Vm(HWM|RSS):' "/proc/$PID/status" 2>/dev/null | tr -s ' \t' ' ' | tr '\n' ' ')"
}

MAIN=
DLG=
focus_main() { focus "$MAIN"; }

# Mapped pop-up menus (override-redirect windows of the program): "WxH" of the first one.
popup_size() {
  local id size
  while read -r id size; do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && { echo "$size"; return 0; }
  done < <(xwininfo -root -children 2>/dev/null |
           awk '/"plotari": \("plotari" "plotari"\)/ {split($5, g, "+"); print $1, g[1]}')
  return 1
}

# Windows other than the main window and the input dialog: message boxes get Return (their
# default button), "Do you save data?" gets Escape (No), dialogs left open get Escape.
DIALOGS='|倍率変更|保存ファイルを指定|データを読むファイルを指定|線の色|マーカーの色|文字の入力|変数の分割数|グラフの属性|数値軸の設定|数値の表示桁数と形式|移動先入力|マーカー初期値設定|Select Font|'
is_dialog() { [[ "$DIALOGS" == *"|$1|"* ]] || [[ "$1" == *フォント* ]]; }
handle_boxes() {
  local round id w name handled=0
  for round in 1 2 3 4 5 6; do
    # A message box first: a dialog behind it does not take keys until it is answered.
    w= name=
    while read -r id; do
      [ "$id" = "$MAIN" ] || [ "$id" = "$DLG" ] && continue
      local n
      n=$(xdotool getwindowname "$id" 2>/dev/null)
      if [ -z "$w" ] || { is_dialog "$name" && ! is_dialog "$n"; }; then w=$id name=$n; fi
    done < <(xdotool search --onlyvisible --name . 2>/dev/null)
    [ -z "$w" ] && break
    focus "$w"
    if [ "$name" = "Do you save data?" ]; then
      xdotool key Escape; count "box: Do you save data? (Escape = No)"
    elif is_dialog "$name"; then
      xdotool key Escape; count "left-over dialog closed: $name"
    else
      xdotool key Return; count "box: ${name:-?} (Return)"
    fi
    log "answered window '$name'"
    handled=1
    sleep 0.5
  done
  # A pop-up menu still open.
  if popup_size >/dev/null; then xdotool key Escape; count "stray pop-up closed"; sleep 0.3; fi
  return $((1 - handled))
}

DX=0 DY=0
ensure_dialog() {
  DLG=$(win 数式入力)
  if [ -z "$DLG" ]; then
    focus_main
    xdotool key alt+v; sleep 0.5; xdotool key Down Return
    DLG=$(wait_win 数式入力 30) || { log "input dialog did not show"; count "input dialog missing"; return 1; }
    count "input dialog shown (表示 → 数式入力)"
  fi
  eval "$(xdotool getwindowgeometry --shell "$DLG" | grep -E '^[XY]=')"
  if [ "$X" != 892 ] || [ "$Y" != 240 ]; then
    xdotool windowmove --sync "$DLG" 892 240 2>/dev/null; sleep 0.3
  fi
  DX=892 DY=240
  return 0
}
dlg_click() { xdotool mousemove $((DX + $1)) $((DY + $2)) click 1; sleep 0.2; }

# Control centres in the input dialog (dialog units × 7/4, × 15/8).
RADIO_EXPLICIT="44 37" RADIO_PARAM="44 63" RADIO_IMPLICIT="165 37" RADIO_POLAR="165 63"
FORMULA_BOX="140 180" REGISTER="176 264" OK_BUTTON="333 425" DELETE="313 125" COPY="380 125"
DIVISIONS="450 125"

formula_of() {
  local a b n m
  a=$(pick -6 -5 -4 -3) b=$(pick 3 4 5 6) n=$(pick 40 100 200 400) m=$(pick 20 30 40 60)
  case $1 in
    explicit) echo "$(pick 'sin(x)' 'cos(x)*2' 'x^2/4-1' 'sin(x)*exp(-x/5)' 'x^3/5-x' 'abs(x)-2' \
                           'sqrt(x+7)' 'ln(x+7)'):x($a,$b)[$n]" ;;
    param) echo "$(pick 'x=cos(t):y=sin(2*t)' 'x=cos(3*t):y=sin(2*t)' 'x=t*cos(t)/6:y=t*sin(t)/6'):t(0,6.28)[$n]" ;;
    polar) echo "$(pick 'r=1+cos(t)' 'r=sin(3*t)' 'r=2*cos(2*t)' 'r=t/3'):t(0,$(pick 3.14 6.28))$(pick '' "[$n]")" ;;
    implicit) echo "$(pick '0=x^2+y^2-1' '0=x^2/2+y^2-1' '0=x^3-y^2-x' '0=x*y-0.5'):x(-1.5,1.5)[$m]:y(-1.5,1.5)[$m]" ;;
    bad) pick 'sin(x:x(-5,5)[200]' 'x^2:x(5,-5)[0]' '0=x+:x(0,1)[10]:y(0,1)[10]' 'r=:t(0,1)' 'x=cos(t):t(0,1)' \
              '1/0:x(1,2)[10]' ;;
  esac
}
LINES_DRAWN=0
draw() {  # FORM
  local form=$1 radio text
  ensure_dialog || return
  case $form in
    explicit) radio=$RADIO_EXPLICIT ;; param) radio=$RADIO_PARAM ;;
    polar) radio=$RADIO_POLAR ;; implicit) radio=$RADIO_IMPLICIT ;;
    bad) radio=$(pick "$RADIO_EXPLICIT" "$RADIO_PARAM" "$RADIO_IMPLICIT" "$RADIO_POLAR") ;;
  esac
  text=$(formula_of "$form")
  xdotool windowraise "$DLG" 2>/dev/null
  focus "$DLG"
  dlg_click $radio
  dlg_click $FORMULA_BOX
  xdotool key ctrl+a BackSpace
  xdotool type --delay 12 "$text"
  sleep 0.2
  dlg_click $REGISTER
  sleep 0.3
  handle_boxes && count "message after 登録"
  dlg_click $OK_BUTTON
  sleep 1.2
  handle_boxes && count "message after OK"
  count "draw $form"
  log "drew ($form) $text"
  [ "$form" != bad ] && LINES_DRAWN=$((LINES_DRAWN + 1))
}
draw_from_list() {  # a registered formula picked from the list, copied back with 式設定, drawn
  ensure_dialog || return
  focus "$DLG"
  dlg_click 330 $((35 + 14 * (RANDOM % 4)))
  handle_boxes
  if ((RANDOM % 2)); then
    dlg_click $COPY
    dlg_click $REGISTER
    count "list: 式設定 + 登録"
  fi
  dlg_click $OK_BUTTON
  sleep 1.2
  handle_boxes && count "message after OK"
  count "draw registered formula from the list"
  LINES_DRAWN=$((LINES_DRAWN + 1))
}
delete_registered() {
  ensure_dialog || return
  focus "$DLG"
  dlg_click 330 $((35 + 14 * (RANDOM % 4)))
  dlg_click $DELETE
  handle_boxes
  count "list: 消去"
}
divisions() {
  ensure_dialog || return
  focus "$DLG"
  dlg_click 330 35
  dlg_click $DIVISIONS
  local w
  if w=$(wait_win 変数の分割数 30); then
    focus "$w"
    xdotool key ctrl+a; xdotool type "$(pick 50 120 300 0 abc)"; xdotool key Return
    sleep 0.5
    handle_boxes && count "message in 分割数"
    count "分割数 dialog"
  else
    handle_boxes
    count "分割数 dialog did not show"
  fi
}

# Mouse work on the paper. Positions are those of the baseline layout at 100 %.
TITLE="556 187" LEGEND_NAME="835 220" AXIS_LABEL="197 452" NUMBERS="231 433"
drag() {  # X Y DX DY [shift]
  local x=$1 y=$2 dx=$3 dy=$4 i steps=5
  xdotool mousemove "$x" "$y"; sleep 0.1
  [ "${5:-}" = shift ] && xdotool keydown shift
  xdotool mousedown 1; sleep 0.1
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove $((x + dx * i / steps)) $((y + dy * i / steps)); sleep 0.05
  done
  xdotool mouseup 1
  [ "${5:-}" = shift ] && xdotool keyup shift
  sleep 0.2
}
drag_there_and_back() {  # NAME X Y
  local name=$1 x=$2 y=$3 dx dy mod=
  dx=$(( RANDOM % 121 - 60 )) dy=$(( RANDOM % 81 - 40 ))
  ((RANDOM % 4 == 0)) && mod=shift
  drag "$x" "$y" "$dx" "$dy" $mod
  drag $((x + dx)) $((y + dy)) $((-dx)) $((-dy))
  handle_boxes
  count "drag $name (there and back)"
}
click_paper() {  # a click on an element or the empty paper
  xdotool mousemove "$1" "$2" click 1; sleep 0.2
  count "click $3"
}

# The legend's first line sample: the longest dark run on the legend's first row.
legend_sample_x() {
  import -window root "$WORK/.row.png" 2>/dev/null || return 1
  convert "$WORK/.row.png" -crop 420x1+440+220 -threshold 90% -depth 8 txt:- 2>/dev/null |
    awk -F'[,: ]+' 'NR > 1 { x = $1 + 440; dark = ($0 ~ /#FFFFFF|white/) ? 0 : 1;
                      if (dark) { if (run == 0) start = x; run++; if (run > best) { best = run; bs = start } }
                      else run = 0 }
                    END { if (best >= 25) print bs + int(best / 2); else exit 1 }'
}
popup_line() {  # right-click the first legend line: delete it or change its colour
  local x size w
  x=$(legend_sample_x) || { count "line pop-up: no line sample found"; return; }
  xdotool mousemove "$x" 220 click 3; sleep 0.6
  size=$(popup_size) || { count "line pop-up: no menu"; return; }
  if [ "${size#*x}" -lt 80 ]; then  # not the 4-item line menu
    xdotool key Escape; count "line pop-up: other menu ($size) closed"; sleep 0.3; return
  fi
  if ((RANDOM % 2)) && ((LINES_DRAWN > 1)); then
    xdotool key Up Return; sleep 0.8  # 線を消去, after the save question
    handle_boxes
    count "pop-up 線を消去"
    LINES_DRAWN=$((LINES_DRAWN - 1))
  else
    xdotool key Down Return  # 線の色を変更
    if w=$(wait_win 線の色 30); then
      focus "$w"
      xdotool key alt+h; sleep 0.2; xdotool key ctrl+a
      xdotool type "$(printf '#%02x%02x%02x' $((RANDOM % 256)) $((RANDOM % 256)) $((RANDOM % 256)))"
      xdotool key Return; sleep 0.6
      count "pop-up 線の色を変更 (colour dialog)"
    else
      count "colour dialog did not show"
    fi
    handle_boxes
  fi
}
popup_title() {  # right-click the title: 文字内容の変更
  local size w x y
  read -r x y <<<"$TITLE"
  xdotool mousemove "$x" "$y" click 3; sleep 0.6
  size=$(popup_size) || { count "title pop-up: no menu"; return; }
  xdotool key Up Return
  if w=$(wait_win 文字の入力 30); then
    focus "$w"
    xdotool key ctrl+a; xdotool type "Soak title $ITER"; xdotool key Return; sleep 0.5
    count "pop-up 文字内容の変更 (title text)"
  else
    count "title text dialog did not show"
  fi
  handle_boxes
}

ZOOM=100
set_zoom() {  # VALUE
  local w
  focus_main
  xdotool key alt+v; sleep 0.5; xdotool key Return
  if w=$(wait_win 倍率変更 30); then
    focus "$w"
    xdotool key ctrl+a; xdotool type "$1"; xdotool key Return; sleep 0.8
    if handle_boxes; then count "message in 倍率変更"; fi
    count "zoom dialog ($1)"
    [ "$1" -gt 10 ] && [ "$1" -le 10000 ] && ZOOM=$1
  else
    handle_boxes
    count "zoom dialog did not show"
  fi
}
scroll_home() {
  click_paper 40 60 "empty paper" >/dev/null
  xdotool key --delay 20 --repeat 8 Prior; xdotool key --delay 20 --repeat 30 Left
}
zoom_round() {
  set_zoom "$(pick 25 50 75 120 150 200 300 99999 5)"
  if [ "$ZOOM" != 100 ]; then
    click_paper 40 60 "empty paper"
    xdotool key --delay 40 $(pick Down Next Right "Down Down Right" Next)
    count "scroll keys"
    sleep 0.5
  fi
  set_zoom 100
  scroll_home
}

FILE_N=0
save_as_and_open() {
  local w path
  FILE_N=$(( (FILE_N + 1) % 3 ))
  path=$WORK/soak-$FILE_N.dat
  rm -f "$path"
  focus_main
  xdotool key alt+f; sleep 0.5; xdotool key a
  if w=$(wait_win 保存ファイルを指定 30); then
    focus "$w"
    xdotool type --delay 5 "$path"; sleep 0.3; xdotool key Return; sleep 1
    handle_boxes
    if [ -s "$path" ]; then count "save as (名前をつけて保存)"; else count "save as: no file written"; fi
  else
    handle_boxes && count "save as: message instead of the file dialog"
    return
  fi
  [ -s "$path" ] || return
  if ((RANDOM % 3 == 0)); then  # 保存 again: nothing changed, "no new date"
    focus_main; xdotool key ctrl+s; sleep 0.8; handle_boxes; count "save (Ctrl+S)"
  fi
  open_file "$path" && count "open the saved file"
}
open_file() {  # PATH
  local w q i
  focus_main
  xdotool key ctrl+o
  # A modified document is first asked about ("Do you save data?" → No); then the file dialog.
  for ((i = 0; i < 60; i++)); do
    w=$(win データを読むファイルを指定)
    [ -n "$w" ] && break
    q=$(win "Do you save data?")
    if [ -n "$q" ]; then
      focus "$q"; xdotool key Escape; count "box: Do you save data? (Escape = No)"; sleep 0.3
    fi
    sleep 0.1
  done
  if [ -n "$w" ]; then
    focus "$w"
    xdotool type --delay 5 "$1"; sleep 0.3; xdotool key Return; sleep 1.2
    handle_boxes && count "message after open"
    return 0
  fi
  handle_boxes
  count "open: no file dialog"
  return 1
}
reset_to_baseline() {
  open_file "$WORK/baseline.dat" && { count "reset: open baseline.dat"; LINES_DRAWN=1; }
  scroll_home
}

checkpoint() {
  alive || return 1
  SHOTS=$((SHOTS + 1))
  local shot
  shot=$(printf '%s/shot-%03d.png' "$WORK" "$SHOTS")
  import -window root "$shot" 2>/dev/null
  sample_memory
  log "checkpoint $SHOTS: alive (pid $PID), iteration $ITER, screenshot $(basename "$shot")"
}

# ---- the session -------------------------------------------------------------------------
cd "$WORK"
"$PLOTARI" >"$WORK/program.out" 2>"$WORK/program.err" &
PID=$!
cd "$ROOT"
log "started $PLOTARI as pid $PID in $WORK, $MINUTES minutes, seed ${SOAK_SEED:-$$}"
MAIN=$(wait_main 300) || { echo "the main window did not show" >&2; exit 1; }
sleep 1
ensure_dialog || { echo "the input dialog did not show" >&2; exit 1; }

# The baseline document: one explicit graph at 100 %.
ITER=0 SHOTS=0
ensure_dialog; focus "$DLG"; dlg_click $RADIO_EXPLICIT; dlg_click $FORMULA_BOX
xdotool key ctrl+a BackSpace; xdotool type --delay 12 'sin(x):x(-5,5)[200]'
dlg_click $REGISTER; dlg_click $OK_BUTTON; sleep 1.5; handle_boxes
focus_main; xdotool key alt+f; sleep 0.5; xdotool key a
if w=$(wait_win 保存ファイルを指定 30); then
  focus "$w"; xdotool type --delay 5 "$WORK/baseline.dat"; xdotool key Return; sleep 1
fi
handle_boxes
[ -s "$WORK/baseline.dat" ] || { echo "could not save the baseline document" >&2; exit 1; }
LINES_DRAWN=1
checkpoint

START=$(date +%s)
END=$((START + MINUTES * 60))
NEXT_SHOT=$((START + SHOT_EVERY))
while alive && [ "$(date +%s)" -lt "$END" ]; do
  ITER=$((ITER + 1))
  log "iteration $ITER"
  [ "$ZOOM" != 100 ] && { set_zoom 100; scroll_home; }
  if ((ITER % 4 == 0)) || ((LINES_DRAWN > 8)); then reset_to_baseline; fi
  for ((k = 0; k < 1 + RANDOM % 3; k++)); do
    draw "$(pick explicit param polar implicit explicit param polar implicit bad)"
  done
  ((RANDOM % 4 == 0)) && draw_from_list
  ((RANDOM % 6 == 0)) && divisions
  ((RANDOM % 5 == 0)) && delete_registered
  alive || break
  # The paper: element positions hold for the layout of the baseline (reset every 4 rounds).
  drag_there_and_back title $TITLE
  drag_there_and_back legend $LEGEND_NAME
  ((RANDOM % 2)) && drag_there_and_back "axis label" $AXIS_LABEL
  ((RANDOM % 2)) && drag_there_and_back "plot area" $((300 + RANDOM % 400)) $((560 + RANDOM % 80))
  ((RANDOM % 2)) && click_paper $NUMBERS "number frame"
  click_paper 40 60 "empty paper"
  ((RANDOM % 3 == 0)) && popup_line
  ((RANDOM % 5 == 0)) && popup_title
  alive || break
  ((RANDOM % 2)) && zoom_round
  ((RANDOM % 2 == 0 || ITER % 3 == 0)) && save_as_and_open
  handle_boxes
  ensure_dialog >/dev/null
  if [ "$(date +%s)" -ge "$NEXT_SHOT" ]; then
    checkpoint
    NEXT_SHOT=$((NEXT_SHOT + SHOT_EVERY))
  fi
done
ELAPSED=$(( $(date +%s) - START ))

# ---- closing -------------------------------------------------------------------------------
SURVIVED=no
if alive; then
  SURVIVED=yes
  checkpoint
  handle_boxes
  [ "$ZOOM" != 100 ] && set_zoom 100
  drag "${TITLE% *}" "${TITLE#* }" 20 0  # a change, so that closing asks about saving
  focus_main
  xdotool key alt+f; sleep 0.5; xdotool key x
  log "closing: ファイル → 終了"
  for ((i = 0; i < 100; i++)); do  # 終了していいですか？ → Return (Yes); the save question → Escape (No)
    alive || break
    w=$(win "Closed message")
    if [ -n "$w" ] && [ -z "${asked:-}" ]; then
      focus "$w"; xdotool key Return; asked=1; sleep 1
      count "close: 終了していいですか？ (Return = Yes)"; log "closing: answered Closed message"
    fi
    w=$(win "Do you save data?")
    if [ -n "$w" ]; then
      focus "$w"; xdotool key Escape
      count "close: Do you save data? (Escape = No)"; log "closing: answered Do you save data?"; break
    fi
    sleep 0.2
  done
  for _ in $(seq 300); do alive || break; sleep 0.5; done
fi
if alive; then
  CLOSED="did not exit within 150 s of the close; killed"
  kill "$PID"; wait "$PID"; STATUS=$?
else
  wait "$PID"; STATUS=$?
  CLOSED="exited"
fi
PID=

SAN_LOGS=() ERRORS=0
for f in "$WORK"/asan* "$WORK"/ubsan*; do
  [ -e "$f" ] || continue
  SAN_LOGS+=("$f")
  grep -qE 'ERROR: |runtime error|SUMMARY: ' "$f" && ERRORS=1
done
{
  echo "Plotari window soak: $PLOTARI"
  echo "work directory: $WORK"
  echo "duration: ${ELAPSED}s of session loop (asked: ${MINUTES} min), seed ${SOAK_SEED:-$$}"
  echo "loop iterations: $ITER"
  echo "process survived the session: $SURVIVED; at close: $CLOSED; exit status $STATUS"
  echo "peak memory (VmHWM, sampled at checkpoints and before closing): ${HWM} kB"
  echo "screenshots: $SHOTS (shot-*.png)"
  echo "actions:"
  for key in "${!COUNT[@]}"; do printf '  %6d  %s\n' "${COUNT[$key]}" "$key"; done | sort -k2
  echo "sanitizer logs:"
  for f in "${SAN_LOGS[@]}"; do echo "--- $(basename "$f")"; cat "$f"; done
  if [ ${#SAN_LOGS[@]} -eq 0 ]; then
    echo "  none (clean)"
  elif [ $ERRORS = 0 ]; then
    echo "  (no error reports: only what is shown above)"
  else
    echo "  ERRORS REPORTED"
  fi
} | tee "$WORK/report.txt"

[ "$SURVIVED" = yes ] && [ "$STATUS" -eq 0 ] && [ "$ERRORS" -eq 0 ]
