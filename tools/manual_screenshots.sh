#!/usr/bin/env bash
# The pictures of the user manual (resources/使用説明/images/*.png), taken from the real window
# program on a virtual X server (Xvfb) and driven with xdotool, as a user would: formulas typed
# into the input dialog, 登録 and OK pressed, menus and pop-up menus opened, dialogs shown.
#   tools/manual_screenshots.sh [SCENE...]      (every scene by default; --list names them)
# Environment (all optional):
#   PLOTARI=build/plotari       the window program
#   SHOT_DISPLAY=N              X display number (the first free one from 90 by default)
#   SHOT_DIR=/tmp/plotari-manual  work directory; emptied first, kept afterwards (logs, raw shots)
#   SHOT_OUT=resources/使用説明/images  where the pictures go
# Each scene starts the program afresh in SHOT_DIR/グラフ (HOME is SHOT_DIR/home, so the file
# and print dialogs show the same folders every time), with the main window at 1000 x 860 and
# the input dialog beside it, does its steps, waits for the windows it expects and for the
# screen to settle, crops what it shows and ends the program. Windows have no frames under
# Xvfb (no window manager runs); a dialog's picture gets a plain caption bar with the window's
# real title. Pictures are written as 8-bit palette PNG.
# Needs xvfb, xdotool, x11-utils and imagemagick; missing ones are installed with apt-get.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
PLOTARI=${PLOTARI:-$ROOT/build/plotari}
[[ "$PLOTARI" = /* ]] || PLOTARI=$ROOT/$PLOTARI
OUT=${SHOT_OUT:-$ROOT/resources/使用説明/images}
[[ "$OUT" = /* ]] || OUT=$ROOT/$OUT
WORK=${SHOT_DIR:-/tmp/plotari-manual}

SCENES=(start explicit forms ranges variables evaluate progress elements edit files export
        print zoom readout documents menus messages)
if [ "${1:-}" = --list ]; then printf '%s\n' "${SCENES[@]}"; exit 0; fi
for scene in "$@"; do
  [[ " ${SCENES[*]} " == *" $scene "* ]] || { echo "unknown scene: $scene (--list)" >&2; exit 2; }
done
[ $# -gt 0 ] && SCENES=("$@")
[ -x "$PLOTARI" ] || { echo "no program at $PLOTARI" >&2; exit 2; }

# shellcheck source=tools/xwindows.sh
. "$ROOT/tools/xwindows.sh"
Install_XTools || exit 2
# The caption bars are written in the interface font.
FONT=$(fc-match 'IPAPGothic' -f '%{file}' 2>/dev/null)
[ -f "$FONT" ] || FONT=$(fc-match 'sans:lang=ja' -f '%{file}' 2>/dev/null)

rm -rf "$WORK"
mkdir -p "$WORK/グラフ" "$WORK/home" "$WORK/raw" "$OUT" || exit 2
DOCS=$WORK/グラフ
LOG=$WORK/shots.log
: >"$LOG"
log() { echo "$(date +%T) $*" >>"$LOG"; }
fail() {  # the screen as it was is kept as raw/failure.png
  echo "manual_screenshots: $*" >&2
  log "FAILED: $*"
  [ -n "${DISPLAY:-}" ] && import -window root "$WORK/raw/failure.png" 2>/dev/null
  exit 1
}

SCREEN_W=1520 SCREEN_H=880
XVFB= DNUM=
PID=
cleanup() {
  [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null && kill "$PID" 2>/dev/null
  # Waited for: a server still going away would remove the next one's socket.
  [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null && wait "$XVFB" 2>/dev/null
}
trap cleanup EXIT
free_display() {  # a display number with neither a lock nor a socket
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return 0; }
  done
  return 1
}
# The server answers a client (its socket file can vanish while it runs).
x_alive() { [ -n "$XVFB" ] && kill -0 "$XVFB" 2>/dev/null && xdpyinfo -display ":$DNUM" >/dev/null 2>&1; }
start_xvfb() {  # [NUMBER]
  [ -n "$XVFB" ] && { kill "$XVFB" 2>/dev/null; wait "$XVFB" 2>/dev/null; }
  DNUM=${1:-$(free_display)} || fail "no free X display"
  if [ -e "/tmp/.X$DNUM-lock" ] || [ -e "/tmp/.X11-unix/X$DNUM" ]; then
    fail "display :$DNUM is in use (set SHOT_DISPLAY)"
  fi
  Xvfb ":$DNUM" -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp >>"$WORK/xvfb.log" 2>&1 &
  XVFB=$!
  for _ in $(seq 50); do x_alive && break; sleep 0.2; done
  x_alive || fail "Xvfb did not start on :$DNUM"
  export DISPLAY=:$DNUM
  log "Xvfb on :$DNUM (pid $XVFB)"
}
start_xvfb "${SHOT_DISPLAY:-}"
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 HOME=$WORK/home
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# ---- windows ---------------------------------------------------------------------------------
wait_gone() {  # TITLE [TENTHS]
  local i
  for ((i = 0; i < ${2:-50}; i++)); do
    [ -z "$(win "$1")" ] && return 0
    sleep 0.1
  done
  log "window '$1' did not go"
  return 1
}
geometry() {  # ID: sets X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
}
# The first shown pop-up menu of the program (an override-redirect window): "X Y W H".
popup_geometry() {
  local id
  while read -r id; do
    local info
    info=$(xwininfo -id "$id" 2>/dev/null)
    grep -q 'IsViewable' <<<"$info" || continue
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
         /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}' <<<"$info"
    return 0
  done < <(xwininfo -root -children 2>/dev/null | awk '/"plotari": \("plotari" "plotari"\)/ {print $1}')
  return 1
}
wait_popup() {  # sets PX PY PW PH
  local i g
  for ((i = 0; i < 30; i++)); do
    if g=$(popup_geometry); then read -r PX PY PW PH <<<"$g"; sleep 0.2; return 0; fi
    sleep 0.1
  done
  log "no pop-up menu"
  return 1
}
# The screen has settled when two grabs a fifth of a second apart are the same.
settle() {
  local a b i
  a=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum)
  for ((i = 0; i < 25; i++)); do
    sleep 0.2
    b=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum)
    [ "$a" = "$b" ] && return 0
    a=$b
  done
  log "the screen did not settle"
}

# ---- pictures --------------------------------------------------------------------------------
grab_now() { import -window root "$WORK/raw/root.png" 2>/dev/null || fail "import failed"; }
grab() { settle; import -window root "$WORK/raw/root.png" 2>/dev/null || fail "import failed"; }
save_png() {  # SOURCE NAME: an 8-bit palette PNG in OUT
  convert "$1" -strip -dither None -colors 255 -define png:compression-level=9 \
    "PNG8:$OUT/$2.png" || fail "convert failed for $2"
  log "picture $2.png $(identify -format '%wx%h' "$OUT/$2.png") $(stat -c %s "$OUT/$2.png") bytes"
}
captioned() {  # FILE TITLE: a caption bar above the picture, with a thin border round both
  local w
  w=$(identify -format '%w' "$1")
  convert \( -size "${w}x24" xc:'#46536b' -font "$FONT" -pointsize 13 -fill white \
               -gravity west -annotate +8+0 "$2" \) "$1" -append \
          -bordercolor '#46536b' -border 1 "$1"
}
crop() {  # X Y W H NAME [CAPTION]: a part of the last grab
  convert "$WORK/raw/root.png" -crop "${3}x${4}+${1}+${2}" +repage "$WORK/raw/$5.png"
  [ -n "${6:-}" ] && captioned "$WORK/raw/$5.png" "$6"
  save_png "$WORK/raw/$5.png" "$5"
}
windows() {  # NAME: the main window and the input dialog, each with its caption, on a plain desk
  geometry "$DLG"
  convert "$WORK/raw/root.png" -crop "${MAIN_W}x${MAIN_H}+0+0" +repage "$WORK/raw/main.png"
  convert "$WORK/raw/root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$WORK/raw/dialog.png"
  captioned "$WORK/raw/main.png" "$(xdotool getwindowname "$MAIN")"
  captioned "$WORK/raw/dialog.png" 数式入力
  convert -size "$((X + WIDTH + 12))x$((MAIN_H + 26))" xc:'#c9ced6' \
    "$WORK/raw/main.png" -geometry +0+0 -composite \
    "$WORK/raw/dialog.png" -geometry "+$((X + 2))+$((Y + 8))" -composite "$WORK/raw/$1.png"
  save_png "$WORK/raw/$1.png" "$1"
}
shot_window() {  # TITLE NAME [nocaption]: the window, as it is on the screen
  local w
  w=$(wait_win "$1") || fail "no window '$1' for $2"
  grab
  geometry "$w"
  if [ "${3:-}" = nocaption ]; then crop "$X" "$Y" "$WIDTH" "$HEIGHT" "$2"
  else crop "$X" "$Y" "$WIDTH" "$HEIGHT" "$2" "$1"; fi
}

# ---- the program -----------------------------------------------------------------------------
MAIN= DLG=
MAIN_W=1000 MAIN_H=860
DLG_X=1008 DLG_Y=40   # beside the main window, where the program puts it on a wide screen
start_program() {  # [FILE]: a fresh program, its windows in place
  stop_program
  # Nothing kept from an earlier scene: the window's size, zoom and recent documents.
  rm -rf "$HOME/.config/plotari" "$HOME/.local/share/recently-used.xbel"
  (cd "$DOCS" && exec "$PLOTARI" "$@" >>"$WORK/program.out" 2>>"$WORK/program.err") &
  PID=$!
  MAIN=$(wait_main 300) || fail "the main window did not show"
  DLG=$(wait_win 数式入力 100) || fail "the input dialog did not show"
  xdotool windowsize --sync "$MAIN" $MAIN_W $MAIN_H 2>/dev/null || xdotool windowsize "$MAIN" $MAIN_W $MAIN_H
  place_dialog $DLG_X $DLG_Y
  focus "$MAIN"
  settle
  log "program started ($*), pid $PID"
}
stop_program() {
  [ -n "$PID" ] || return 0
  kill "$PID" 2>/dev/null
  wait "$PID" 2>/dev/null
  PID=
}
place_dialog() {  # X Y
  local i
  for ((i = 0; i < 20; i++)); do
    geometry "$DLG"
    [ "$X" = "$1" ] && [ "$Y" = "$2" ] && { DX=$1 DY=$2; return 0; }
    xdotool windowmove --sync "$DLG" "$1" "$2" 2>/dev/null || xdotool windowmove "$DLG" "$1" "$2"
    sleep 0.1
  done
  fail "the input dialog cannot be placed at $1,$2"
}
focus_main() { focus "$MAIN"; }
focus_dialog() { xdotool windowraise "$DLG" 2>/dev/null; focus "$DLG"; }

# Control centres in the input dialog (dialog units x 7/4, y 15/8, from its top-left corner).
RADIO_EXPLICIT="44 37" RADIO_PARAM="44 63" RADIO_IMPLICIT="165 37" RADIO_POLAR="165 63"
FORMULA_BOX="140 180" REGISTER="176 264" OK_BUTTON="333 425" DELETE="313 125" COPY="380 125"
DIVISIONS="450 125" LIST_ROW0="330 35"
VALUE_X=318 ROW0_Y=177 ROW_H=18     # the value column of the variable list view
dlg_click() { xdotool mousemove $((DX + $1)) $((DY + $2)) click 1; sleep 0.2; }
dlg_double_click() { xdotool mousemove $((DX + $1)) $((DY + $2)) click --repeat 2 --delay 80 1; sleep 0.3; }
type_formula() {  # FORM TEXT: the form's radio button, then the text over the formula box
  local radio
  case $1 in
    explicit) radio=$RADIO_EXPLICIT ;; param) radio=$RADIO_PARAM ;;
    implicit) radio=$RADIO_IMPLICIT ;; polar) radio=$RADIO_POLAR ;;
    *) fail "unknown form $1" ;;
  esac
  focus_dialog
  dlg_click $radio
  dlg_click $FORMULA_BOX
  xdotool key ctrl+a BackSpace
  xdotool type --delay 8 "$2"
  sleep 0.2
}
press_register() { dlg_click $REGISTER; sleep 0.3; }
press_ok() { dlg_click $OK_BUTTON; sleep 0.5; settle; }
draw() {  # FORM TEXT: typed, 登録, OK
  type_formula "$1" "$2"
  press_register
  press_ok
  log "drew ($1) $2"
}
set_value() {  # ROW VALUE: types VALUE over the value of a row of the variable list view
  focus_dialog
  dlg_double_click $VALUE_X $((ROW0_Y + ROW_H * $1))
  xdotool key ctrl+a
  xdotool type --delay 8 "$2"
  xdotool key Return
  sleep 0.3
}
menu() {  # LETTER DOWNS: a menu of the menu bar from the keyboard, its item DOWNS below the first
  focus_main
  xdotool key "alt+$1"
  # Keys before the menu is up would go to the menu bar.
  wait_popup || fail "the menu alt+$1 did not open"
  sleep 0.3
  [ "$2" -gt 0 ] && xdotool key --delay 60 $(printf 'Down %.0s' $(seq "$2"))
  sleep 0.2
}
answer() {  # TITLE KEY: a message box or question, answered from the keyboard
  local w
  w=$(wait_win "$1" 30) || return 1
  focus "$w"
  xdotool key "$2"
  wait_gone "$1" 30
}
save_as() {  # NAME: 名前をつけて保存 in the folder the dialog starts in (the program's own)
  local w
  menu f 0; xdotool key a   # 名前をつけて保存(&A)
  w=$(wait_win 保存ファイルを指定) || fail "no save dialog"
  focus "$w"
  xdotool type --delay 5 "$1"; xdotool key Return
  wait_gone 保存ファイルを指定
  for _ in $(seq 30); do [ -s "$DOCS/$1" ] && return 0; sleep 0.1; done
  fail "could not save $DOCS/$1"
}

# Element positions on the paper at 100 %, window coordinates, for the graph of the sine
# below (its layout depends only on the graph).
SINE='sin(x):x(-5,5)[200]'
TITLE="556 187" TITLE_LOW="522 194" LEGEND_LINE="765 220" LEGEND_LINE_LOW="745 224" LEGEND_NAME="820 220" LEFT_TICKS="268 430" LEFT_TICKS_LOW="268 640"
LEFT_NUMBERS="231 500" LEFT_TITLE="197 452" BOTTOM_NUMBERS="556 711"
PAPER_CROP="150 160 745 600"   # the graph with its titles
right_click() { xdotool mousemove "$1" "$2" click 3; sleep 0.3; }
left_click() { xdotool mousemove "$1" "$2" click 1; sleep 0.2; }
empty_paper() { left_click 60 60; }
drag() {  # X Y DX DY [keep]: a drag with the left button; "keep" leaves the button down
  local x=$1 y=$2 i steps=6
  xdotool mousemove "$x" "$y"; sleep 0.1
  xdotool mousedown 1; sleep 0.1
  for ((i = 1; i <= steps; i++)); do
    xdotool mousemove $((x + $3 * i / steps)) $((y + $4 * i / steps)); sleep 0.05
  done
  [ "${5:-}" = keep ] && return 0
  xdotool mouseup 1; sleep 0.3
}
popup_item() {  # X Y DOWNS: the element's pop-up menu, item DOWNS (1 is the first)
  right_click "$1" "$2"
  wait_popup || fail "no pop-up menu at $1,$2"
  xdotool key --delay 60 $(printf 'Down %.0s' $(seq "$3")) Return
}
sine_document() {  # the sine, drawn once and saved, as the start of the element scenes
  [ -s "$DOCS/正弦.dat" ] && return 0
  start_program
  draw explicit "$SINE"
  # Typed in ASCII (xdotool types other characters through a changing key map), then renamed.
  save_as sine.dat
  mv "$DOCS/sine.dat" "$DOCS/正弦.dat"
  touch -d '2026-04-01 10:00:00' "$DOCS/正弦.dat"   # the file dialogs show the same date each time
}

# ---- scenes ----------------------------------------------------------------------------------
scene_start() {  # the program as it starts: the paper and the input dialog
  start_program
  grab
  windows start
}

scene_explicit() {  # a first formula typed and registered, then drawn; a second one added
  start_program
  type_formula explicit "$SINE"
  press_register
  shot_window 数式入力 input-dialog
  press_ok
  grab
  windows window
  draw explicit 'x^2/10-2:x(-6,6)[60]'
  empty_paper
  grab
  crop $PAPER_CROP explicit
}

scene_forms() {  # one graph of each other form, with the top of the dialog that made it
  local form text name scene_form
  for scene_form in 'param|x=cos(3*t):y=sin(2*t):t(0,6.28)[400]|parametric' \
              'implicit|0=x^3-y^2-x:x(-1.5,2)[200]:y(-2,2)[200]|implicit' \
              'polar|r=1+cos(t):t(0,6.28)[100]|polar'; do
    IFS='|' read -r form text name <<<"$scene_form"
    start_program
    type_formula "$form" "$text"
    press_register
    grab
    crop "$DX" "$DY" 507 280 "$name-input" 数式入力
    press_ok
    [ "$name" = polar ] && draw polar 'r=sin(3*t):t(0,3.14)[300]'
    empty_paper
    grab
    crop $PAPER_CROP "$name"
  done
}

scene_ranges() {  # the division-count dialog of an implicit formula
  start_program
  type_formula implicit '0=x^2+y^2-1:x(-1,1):y(-1,1)'
  press_register
  dlg_click $DIVISIONS
  shot_window 変数の分割数 divisions
  answer 変数の分割数 Escape
}

scene_variables() {  # values typed into the variable list, then drawn with them
  start_program
  type_formula explicit 'a*sin(b*x):x(-5,5)[200]'
  press_register
  set_value 0 2
  set_value 1 3
  grab
  crop $((DX + 276)) "$DY" 231 466 variables 数式入力
  press_ok
  empty_paper
  grab
  crop $PAPER_CROP variables-graph
}

scene_evaluate() {  # a formula without a range: OK writes its value into the formula box
  start_program
  type_formula explicit 'x+1'
  press_register
  set_value 0 4
  press_ok
  grab
  crop "$DX" "$DY" 507 280 evaluate 数式入力
}

scene_progress() {  # a long drawing: the progress dialog, then 中止
  local w
  start_program
  type_formula explicit 'sigma[n(1,200),sin(n*x)/n]:x(-3.14,3.14)[1000000]'
  press_register
  dlg_click $OK_BUTTON
  w=$(wait_win 描画中 200) || fail "no progress dialog"
  sleep 1
  grab_now   # the bar moves: no waiting for the screen to settle
  geometry "$w"
  crop "$X" "$Y" "$WIDTH" "$HEIGHT" progress 描画中
  focus "$w"
  xdotool key Escape
  wait_gone 描画中 100
}

scene_elements() {  # the parts of a graph, named; the pop-up menus and dialogs of each part
  local x y
  sine_document
  start_program "$DOCS/正弦.dat"
  grab
  # The whole paper in view, each part named beside it.
  convert "$WORK/raw/root.png" -crop 1000x790+0+20 +repage \
    -stroke '#c03030' -strokewidth 1.5 -fill none \
    -draw 'line 470,85 536,158' -draw 'line 790,85 790,192' -draw 'line 110,330 188,418' \
    -draw 'line 110,560 208,578' -draw 'line 120,652 266,652' -draw 'line 885,420 825,370' \
    -draw 'line 700,770 596,716' -draw 'line 380,770 470,694' \
    -stroke none -fill '#c03030' -font "$FONT" -pointsize 15 \
    -annotate +380+80 'グラフのタイトル' -annotate +700+80 '凡例（線操作ボックス）' \
    -annotate +20+325 '軸のタイトル' -annotate +20+555 '数値フレーム' \
    -annotate +20+657 '目盛りフレーム' -annotate +880+435 'プロット領域' \
    -annotate +650+784 '軸のタイトル' -annotate +300+784 '目盛りと数値' \
    "$WORK/raw/elements.png"
  save_png "$WORK/raw/elements.png" elements
  # The title selected and its pop-up menu.
  read -r x y <<<"$TITLE_LOW"
  right_click "$x" "$y"
  wait_popup || fail "no title pop-up"
  grab
  crop 400 160 $((PX + PW - 400 + 20)) $((PY + PH - 160 + 16)) popup-title
  xdotool key Down Return
  shot_window フォントの設定 font-dialog
  geometry "$(win フォントの設定)"
  xdotool mousemove $((X + WIDTH - 56)) $((Y + HEIGHT - 25)) click 1   # キャンセル
  wait_gone フォントの設定 || fail "the font dialog stayed"
  popup_item $TITLE 2
  shot_window 文字の入力 text-dialog
  answer 文字の入力 Escape
  # The left axis: its ticks and its numbers.
  read -r x y <<<"$LEFT_TICKS_LOW"
  right_click "$x" "$y"
  wait_popup || fail "no tick pop-up"
  grab
  crop 170 $((y - 150)) $((PX + PW - 170 + 20)) $((PY + PH - y + 150 + 16)) popup-axis
  xdotool key Down Return
  shot_window 数値軸の設定 tick-dialog
  answer 数値軸の設定 Escape
  popup_item $LEFT_NUMBERS 2
  shot_window 数値の表示桁数と形式 numstyle-dialog
  answer 数値の表示桁数と形式 Escape
  # A series in the legend: its line sample, its pop-up menu, its dialogs.
  read -r x y <<<"$LEGEND_LINE_LOW"
  right_click "$x" "$y"
  wait_popup || fail "no line pop-up"
  grab
  crop 640 170 $((PX + PW - 640 + 20)) $((PY + PH - 170 + 16)) popup-line
  xdotool key Down Down Down Return
  shot_window グラフの属性 lineprop-dialog
  answer グラフの属性 Escape
  popup_item $LEGEND_LINE 1
  shot_window 線の色 color-dialog
  answer 線の色 Escape
  # The graph menu with the title selected.
  left_click $TITLE
  menu g 0
  xdotool key Right
  sleep 0.4
  grab
  crop 0 0 580 240 menu-graph
  xdotool key Escape Escape
  # The legend on its way: the dotted band follows the mouse.
  empty_paper
  read -r x y <<<"$LEGEND_NAME"
  drag "$x" "$y" -240 150 keep
  sleep 0.3
  grab
  crop 440 170 440 240 drag-legend
  xdotool mouseup 1
  sleep 0.3
}

scene_edit() {  # the same graph after a few changes: title, grid, line, markers, legend
  local w x y
  sine_document
  start_program "$DOCS/正弦.dat"
  popup_item $TITLE 2
  w=$(wait_win 文字の入力) || fail "no text dialog"
  focus "$w"; xdotool key ctrl+a; xdotool type --delay 20 '正弦曲線 y = sin(x)'; xdotool key Return
  wait_gone 文字の入力
  popup_item $LEFT_TICKS 2    # グリッド線表示切替
  sleep 0.3
  read -r x y <<<"$BOTTOM_NUMBERS"
  popup_item "$x" $((y - 17)) 2   # the bottom axis's ticks
  sleep 0.3
  popup_item $LEGEND_LINE 3
  w=$(wait_win グラフの属性) || fail "no line property dialog"
  geometry "$w"
  focus "$w"
  xdotool key ctrl+a; xdotool type 2
  xdotool mousemove $((X + 168)) $((Y + 184)) click 1   # マーカーを選択
  sleep 0.2
  xdotool key Return
  wait_gone グラフの属性
  popup_item $LEGEND_LINE 1
  w=$(wait_win 線の色) || fail "no colour dialog"
  focus "$w"; xdotool key alt+h; sleep 0.2; xdotool key ctrl+a; xdotool type '#1f4fb4'
  xdotool key Return
  wait_gone 線の色
  read -r x y <<<"$LEGEND_NAME"
  drag "$x" "$y" 100 230   # out of the plot area, to its right
  empty_paper
  grab
  crop 150 160 830 600 edited
  # 編集 with a change to take back.
  menu e 0
  grab
  crop 0 0 320 120 menu-edit
  xdotool key Escape
}

scene_files() {  # 名前をつけて保存, and the question before a changed graph is replaced
  local w
  sine_document
  start_program "$DOCS/正弦.dat"
  drag $TITLE 0 -40   # a change (the title moved): an unchanged graph is not saved
  menu f 0; xdotool key a
  shot_window 保存ファイルを指定 save-dialog
  answer 保存ファイルを指定 Escape
  focus_main
  xdotool key ctrl+o
  shot_window "Do you save data?" save-question
  answer "Do you save data?" alt+n   # いいえ: キャンセル would stop the opening
  shot_window データを読むファイルを指定 open-dialog
  answer データを読むファイルを指定 Escape
  menu f 0
  grab
  crop 0 0 300 290 menu-file
  xdotool key Escape
}

scene_export() {  # 図を保存 with its list of picture types open, then its resolutions
  local w
  sine_document
  start_program "$DOCS/正弦.dat"
  menu f 5; xdotool key Return   # 図を保存 (after 新規作成 and 最近使ったファイル)
  w=$(wait_win 保存ファイルを指定) || fail "no picture save dialog"
  geometry "$w"
  local x=$X y=$Y width=$WIDTH height=$HEIGHT
  xdotool mousemove $((x + 420)) $((y + height - 53)) click 1   # ファイルの種類
  wait_popup || fail "no list of picture types"
  grab
  crop "$x" "$y" "$width" $((PY + PH - y + 8)) picture-types 保存ファイルを指定
  xdotool key Escape
  sleep 0.3
  xdotool mousemove $((x + 420)) $((y + height - 23)) click 1   # 解像度, the last row
  wait_popup || fail "no list of resolutions"
  grab
  crop "$x" "$y" "$width" $((PY + PH - y + 8)) picture-resolution 保存ファイルを指定
  xdotool key Escape
  answer 保存ファイルを指定 Escape
}

scene_print() {  # the print dialog, its options shown
  local w
  sine_document
  start_program "$DOCS/正弦.dat"
  focus_main
  xdotool key ctrl+p
  w=$(wait_win 印刷) || fail "no print dialog"
  geometry "$w"
  focus "$w"
  xdotool mousemove $((X + 75)) $((Y + HEIGHT - 25)) click 1   # オプション >>
  sleep 0.8
  shot_window 印刷 print-dialog
  answer 印刷 Escape
}

scene_zoom() {  # 倍率変更, グラフのサイズ変更, マーカー初期値設定, and the paper at 50 %
  local w
  sine_document
  start_program "$DOCS/正弦.dat"
  menu v 0; xdotool key Return
  shot_window 倍率変更 zoom-dialog
  w=$(win 倍率変更); focus "$w"
  xdotool key ctrl+a; xdotool type 50; xdotool key Return
  wait_gone 倍率変更
  empty_paper
  grab
  crop 0 0 $MAIN_W 470 zoom-50 "$(xdotool getwindowname "$MAIN")"
  menu g 6; xdotool key Return
  shot_window 移動先入力 size-dialog
  answer 移動先入力 Escape
  menu g 7; xdotool key Return
  shot_window マーカー初期値設定 marker-dialog
  answer マーカー初期値設定 Escape
}

scene_readout() {  # a selected line's nearest point in the status bar; Shift + drag zooms in
  local x y
  sine_document
  start_program "$DOCS/正弦.dat"
  left_click $LEGEND_LINE          # the line is selected
  xdotool mousemove 392 600        # near the sine's lowest point, x = -π/2
  sleep 0.3
  grab
  convert "$WORK/raw/root.png" -crop "${MAIN_W}x${MAIN_H}+0+0" +repage "$WORK/raw/main.png"
  convert "$WORK/raw/main.png" -crop 560x300+150+420 +repage "$WORK/raw/cross.png"
  convert "$WORK/raw/main.png" -crop "${MAIN_W}x26+0+$((MAIN_H - 26))" +repage "$WORK/raw/bar.png"
  convert "$WORK/raw/cross.png" "$WORK/raw/bar.png" -background white -gravity west -append \
    "$WORK/raw/readout-point.png"
  save_png "$WORK/raw/readout-point.png" readout-point
  empty_paper
  # Shift + drag over the sine's right hump, shot before the button is let go.
  read -r x y <<<"440 260"
  xdotool keydown shift
  drag "$x" "$y" 230 200 keep
  sleep 0.3
  grab_now
  crop $PAPER_CROP zoom-band
  xdotool mouseup 1
  xdotool keyup shift
  sleep 0.5
  empty_paper
  grab
  crop $PAPER_CROP zoom-done
}

scene_documents() {  # the document's name in the title bar; 最近使ったファイル
  local name
  sine_document
  start_program "$DOCS/正弦.dat"
  drag $TITLE 0 -40   # a change: the title bar marks it
  empty_paper
  name=$(xdotool getwindowname "$MAIN")
  grab
  convert "$WORK/raw/root.png" -crop 640x150+0+0 +repage "$WORK/raw/title-modified.png"
  captioned "$WORK/raw/title-modified.png" "$name"
  save_png "$WORK/raw/title-modified.png" title-modified
  menu f 2; xdotool key Right   # 最近使ったファイル(&R)
  sleep 0.4
  grab
  crop 0 0 560 200 menu-recent
  xdotool key Escape Escape
}

scene_menus() {  # the view and help menus
  start_program
  menu v 0
  grab
  crop 0 0 380 170 menu-view
  xdotool key Escape
  menu h 0
  grab
  crop 0 0 540 100 menu-help
  xdotool key Escape
}

scene_messages() {  # a formula the program cannot read: the message that says where
  start_program
  type_formula explicit 'x^2+*3:x(-1,1)'
  press_register
  shot_window 式解析失敗 message-syntax
  answer 式解析失敗 Return
}

# ---- the session -----------------------------------------------------------------------------
# Each scene runs in a subshell that ends its program. When the X server went away under it
# (another session on this machine may clear /tmp/.X11-unix), a new one is started and the
# scene runs once more.
run_scene() {
  ( trap stop_program EXIT
    "scene_$1"
    kill -0 "$PID" 2>/dev/null || fail "the program ended during scene $1" )
}
START=$(date +%s)
log "program $PLOTARI, pictures to $OUT"
for scene in "${SCENES[@]}"; do
  log "scene $scene"
  x_alive || { log "the X server went away"; start_xvfb; }
  if ! run_scene "$scene"; then
    x_alive && exit 1
    log "the X server went away during scene $scene: once more"
    start_xvfb
    run_scene "$scene" || exit 1
  fi
done
TOTAL=$(du -cb "$OUT"/*.png | tail -n 1 | cut -f1)
echo "manual_screenshots: $(grep -c ' picture ' "$LOG") pictures in $OUT" \
     "($((TOTAL / 1024)) KiB in all), $(( $(date +%s) - START )) s; log: $LOG"
