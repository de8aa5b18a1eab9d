#!/usr/bin/env bash
# The Debian package of this build, unpacked into a throw-away root (dpkg -x): it holds the
# programs, the manual, the desktop entry, the icons, the MIME type and the man pages, it
# depends on the libraries it links, and the unpacked programs run from there.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$tmp/out" >/dev/null) || fail "cpack failed"
deb=$(ls "$tmp"/out/plotari_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no plotari_*.deb"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libjpeg62-turbo libpng16-16 fonts-ipafont-gothic; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
# Without them a fresh machine shows Qt's buttons in English and cannot open a document by
# its type (gio finds no application without the desktop entries' cache).
recommends=$(dpkg-deb -f "$deb" Recommends)
for pkg in qt6-translations-l10n desktop-file-utils shared-mime-info; do
  grep -q "$pkg" <<<"$recommends" || fail "Recommends lacks $pkg: $recommends"
done

root=$tmp/root
dpkg -x "$deb" "$root"
for f in usr/bin/plotari usr/bin/plotari-cli usr/share/plotari/使用説明/PlotariVer.html \
         usr/share/plotari/使用説明/explicit.html usr/share/plotari/使用説明/manual.css \
         usr/share/plotari/使用説明/images/window.png \
         usr/share/applications/plotari.desktop usr/share/mime/packages/plotari.xml \
         usr/share/icons/hicolor/scalable/apps/plotari.svg \
         usr/share/icons/hicolor/16x16/apps/plotari.png usr/share/icons/hicolor/256x256/apps/plotari.png \
         usr/share/man/man1/plotari.1.gz usr/share/man/man1/plotari-cli.1.gz \
         usr/share/plotari/translations/plotari_qt_ja.qm; do
  [ -s "$root/$f" ] || fail "missing $f"
done
# The manual's pages and pictures come whole: every picture a page shows is in the package.
manual=$root/usr/share/plotari/使用説明
for page in "$manual"/*.html; do
  for picture in $(grep -o 'src="images/[^"]*"' "$page" | sed 's/^src="//; s/"$//'); do
    [ -s "$manual/$picture" ] || fail "$(basename "$page") shows $picture, which is not in the package"
  done
done
[ "$(head -c 4 "$manual/images/window.png" | tail -c 3)" = "PNG" ] || fail "window.png is no PNG"
file_size=$(head -c 24 "$root/usr/share/icons/hicolor/48x48/apps/plotari.png" | tail -c 8 | od -An -tu1 | tr -s ' ')
[ "$file_size" = " 0 0 0 48 0 0 0 48" ] || fail "the 48 px icon is not 48 x 48: $file_size"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/plotari.desktop" || fail "desktop entry"
fi
# One main category (Education), so that menus list it once.
grep -q '^Categories=Education;Math;$' "$root/usr/share/applications/plotari.desktop" \
  || fail "categories"
# The MIME database built from the package knows the document by its magic.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$root/usr/share/mime" >/dev/null
  grep -q 'Graph2DL' "$root/usr/share/mime/magic" || fail "no magic for the document"
  grep -q 'application/x-plotari-graph' "$root/usr/share/mime/types" || fail "no MIME type"
  # By the magic alone: no glob claims every *.dat file.
  ! grep -q 'plotari' "$root/usr/share/mime/globs2" || fail "a glob claims *.dat"
fi
zcat "$root/usr/share/man/man1/plotari-cli.1.gz" | grep -q '^\.TH PLOTARI-CLI 1' || fail "man page"

# What a distribution checks, with no error and no warning (the tools are installed by
# tools/install-deps.sh; a machine without them cannot pass this test).
for tool in lintian appstreamcli mandoc; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done
for page in plotari plotari-cli; do
  zcat "$root/usr/share/man/man1/$page.1.gz" > "$tmp/$page.1"
  # A full date from the release, not just a month.
  grep -Eq '^\.TH [A-Z-]+ 1 "[0-9]{4}-[0-9]{2}-[0-9]{2}"' "$tmp/$page.1" || fail "$page.1: no full date"
  mandoc -T lint -W style "$tmp/$page.1" || fail "mandoc -T lint: $page.1"
done
metainfo=$root/usr/share/metainfo/org.plotari_linux.Plotari.metainfo.xml
[ -s "$metainfo" ] || fail "no AppStream metainfo"
appstreamcli validate --no-net "$metainfo" > "$tmp/appstream.log" 2>&1 \
  || { cat "$tmp/appstream.log" >&2; fail "appstreamcli validate"; }
grep -Eq '^[EW]:' "$tmp/appstream.log" && { cat "$tmp/appstream.log" >&2; fail "appstream warnings"; }
[ -s "$root/usr/share/doc/plotari/copyright" ] || fail "no copyright file"
[ -s "$root/usr/share/doc/plotari/changelog.gz" ] || fail "no changelog"
# lintian as a distribution runs it: any error or warning fails the test (an override would
# carry its reason in the package).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" > "$tmp/lintian.log" 2>&1 \
  || { cat "$tmp/lintian.log" >&2; fail "lintian found errors or warnings"; }

# The unpacked programs run from the throw-away root.
export QT_QPA_PLATFORM=offscreen
[ "$("$root/usr/bin/plotari-cli" --version)" = "plotari-cli 2.2" ] || fail "plotari-cli --version"
[ "$("$root/usr/bin/plotari" --version)" = "plotari 2.2" ] || fail "plotari --version"
"$root/usr/bin/plotari-cli" --help | grep -q '^usage: plotari-cli' || fail "plotari-cli --help"
"$root/usr/bin/plotari" --help | grep -q '^usage: plotari' || fail "plotari --help"
"$root/usr/bin/plotari-cli" --plot 'explicit:sin(x):x(-5,5)[50]' --save "$tmp/a.dat" --png "$tmp/a.png" \
  || fail "plotting from the unpacked root"
[ "$(head -c 8 "$tmp/a.dat")" = "Graph2DL" ] || fail "the saved document"
[ "$(head -c 4 "$tmp/a.png" | tail -c 3)" = "PNG" ] || fail "the picture"
echo "package test: $(basename "$deb") ok"
