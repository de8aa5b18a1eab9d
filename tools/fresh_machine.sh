#!/usr/bin/env bash
# A new user's first session on a fresh Debian bookworm machine: a minimal bookworm root made
# with debootstrap, the package installed there with apt-get (which pulls everything it
# needs), then, under Xvfb inside that root: Plotari started from its desktop entry, the
# manual opened from the help menu, each of the four forms drawn through the input dialog, an
# edit undone with Ctrl+Z, and a saved document opened by its MIME type (gio open, xdg-open).
#   tools/fresh_machine.sh [DEB]     (build-pkg/plotari_*.deb by default: ./package.sh makes it)
# Needs root and the network (the mirrors of this machine's own apt sources, read from
# /etc/apt/sources.list and /etc/apt/sources.list.d). The root and the screenshots stay in
# FRESH_DIR (/tmp/plotari-fresh by default); the report is FRESH_DIR/root/report.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
DEB=${1:-$(ls build-pkg/plotari_*.deb 2>/dev/null | head -n 1)}
[ -f "$DEB" ] || { echo "no package: run ./package.sh first" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "needs root (debootstrap, chroot)" >&2; exit 2; }
DIR=${FRESH_DIR:-/tmp/plotari-fresh}
command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap

# The machine's own package sources, one "deb URI SUITE COMPONENTS" line each (both the
# one-line and the deb822 forms), so that this works wherever the machine's apt works.
apt_lines() {
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -n 's/^[[:space:]]*deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?/deb /p'
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN{RS=""; FS="\n"}
      /(^|\n)Types:[^\n]*deb([ \n]|$)/ && !/(^|\n)Enabled:[[:space:]]*no/ {
        uris=""; suites=""; comps=""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[[:space:]]*/, "", uris) }
          if ($i ~ /^Suites:/) { suites = $i; sub(/^Suites:[[:space:]]*/, "", suites) }
          if ($i ~ /^Components:/) { comps = $i; sub(/^Components:[[:space:]]*/, "", comps) }
        }
        n = split(uris, u, " "); m = split(suites, s, " ")
        for (a = 1; a <= n; a++) for (b = 1; b <= m; b++) print "deb " u[a] " " s[b] " " comps
      }' "$f"
  done
}
SOURCES=$(apt_lines | awk '$3 ~ /^bookworm/' | sort -u)
[ -n "$SOURCES" ] || { echo "no bookworm package source in this machine's apt sources" >&2; exit 2; }
MIRROR=$(echo "$SOURCES" | awk '$3 == "bookworm" {print $2; exit}')
[ -n "$MIRROR" ] || { echo "no bookworm main suite in this machine's apt sources" >&2; exit 2; }

if [ ! -x "$DIR/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$DIR" "$MIRROR" >"$DIR.log" 2>&1
fi
echo "$SOURCES" >"$DIR/etc/apt/sources.list"
cp /etc/resolv.conf "$DIR/etc/resolv.conf"
mountpoint -q "$DIR/proc" || mount -t proc proc "$DIR/proc"
trap 'umount "$DIR/proc" 2>/dev/null || true' EXIT
cp "$DEB" "$DIR/root/plotari.deb"
in_root() { chroot "$DIR" env DEBIAN_FRONTEND=noninteractive HOME=/root "$@"; }
in_root apt-get update -qq
echo "== apt-get install ./plotari.deb on a fresh bookworm"
in_root apt-get install -y -q /root/plotari.deb >"$DIR/root/install.log" 2>&1
grep -E "newly installed|^Need to get" "$DIR/root/install.log"
# The tools of this session only (not needed by the program).
in_root apt-get install -y -qq --no-install-recommends xvfb xauth xdotool imagemagick x11-utils \
  libglib2.0-bin >/dev/null

cat >"$DIR/root/session.sh" <<'EOF'
#!/bin/bash
set -u
cd /root
export DISPLAY=:60 XDG_RUNTIME_DIR=/tmp/xdg BROWSER=/root/record-url
mkdir -p /tmp/xdg && chmod 700 /tmp/xdg
printf '#!/bin/sh\necho "$@" >> /root/opened-urls.txt\n' >/root/record-url && chmod +x /root/record-url
rm -f /root/opened-urls.txt /root/*.png /root/report.txt
report() { echo "$*" | tee -a /root/report.txt; }
shot() { sleep 0.8; import -window root "/root/$1.png"; }
Xvfb :60 -screen 0 1400x1000x24 -nolisten tcp >/root/xvfb.log 2>&1 &
XVFB=$!
sleep 1
win() { for _ in $(seq 100); do w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1);
        [ -n "$w" ] && { echo "$w"; return 0; }; sleep 0.1; done; return 1; }
stop_plotari() { pkill -f '^(/usr/bin/)?plotari( |$)' || true; sleep 1; }

report "plotari-cli: $(plotari-cli --version)"
gio launch /usr/share/applications/plotari.desktop &
MAIN=$(win '^Plotari') && report "started from the desktop entry: window $MAIN" ||
  report "FAIL: no window after the desktop entry"
DLG=$(win '数式入力') && report "the input dialog is shown at start" || report "FAIL: no input dialog"
shot 1-started

# The manual from ヘルプ → 説明書を見る (the browser is a recorder here).
xdotool windowfocus --sync "$MAIN" 2>/dev/null; xdotool mousemove 200 300 click 1
xdotool key alt+h; sleep 0.5; shot 2-help-menu; xdotool key h; sleep 2
report "manual opened: $(cat /root/opened-urls.txt 2>/dev/null || echo none)"

# Each form through the input dialog (positions inside the dialog, which is moved to 892,240).
xdotool windowmove --sync "$DLG" 892 240 2>/dev/null; sleep 0.3
click() { xdotool mousemove $((892 + $1)) $((240 + $2)) click 1; sleep 0.3; }
draw() {  # RADIO_X RADIO_Y TEXT
  xdotool windowraise "$DLG"; xdotool windowfocus --sync "$DLG" 2>/dev/null
  click "$1" "$2"; click 140 180; xdotool key ctrl+a BackSpace
  xdotool type --delay 15 "$3"; sleep 0.2
  click 176 264; sleep 0.4; click 333 425; sleep 1.5
}
draw 44 37 'sin(x):x(-5,5)[200]'
draw 44 63 'x=cos(3*t):y=sin(2*t):t(0,6.28)[200]'
draw 165 37 '0=x^2+y^2-4:x(-3,3)[60]:y(-3,3)[60]'
draw 165 63 'r=1+cos(t):t(0,6.28)[100]'
shot 3-four-forms
xdotool windowfocus --sync "$MAIN" 2>/dev/null; xdotool key ctrl+z; sleep 1
shot 4-undone
changed=$(compare -metric AE /root/3-four-forms.png /root/4-undone.png null: 2>&1 || true)
report "Ctrl+Z changed $changed pixels of the screen (the polar curve and its legend line go)"
stop_plotari

plotari-cli --plot 'explicit:x^2/10-2:x(-6,6)[60]' --save /root/doc.dat >/dev/null
report "gio content type: $(gio info -a standard::content-type /root/doc.dat | tail -n 1 | tr -s ' ')"
gio open /root/doc.dat &
win '^Plotari' >/dev/null && sleep 2
report "gio open: $(pgrep -af '^(/usr/bin/)?plotari /root/doc.dat' | head -n 1)"
shot 5-gio-open
stop_plotari
xdg-open /root/doc.dat &
win '^Plotari' >/dev/null && sleep 2
report "xdg-open: $(pgrep -af '^(/usr/bin/)?plotari /root/doc.dat' | head -n 1)"
shot 6-xdg-open
stop_plotari
kill $XVFB
EOF
chmod +x "$DIR/root/session.sh"
echo "== first session under Xvfb"
in_root /root/session.sh 2>&1 | grep -v '^QStandardPaths' || true
echo "screenshots: $DIR/root/*.png"
