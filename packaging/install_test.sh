#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The install and the Debian package, checked as a user's machine would see
# them: a staged `cmake --install` (DESTDIR) with the desktop files validated
# and the staged program finding its tutorial page on its own, then
# `cpack -G DEB` and the package's list of files.
#   install_test.sh BUILD_DIR TUTORIAL_PROBE APP_ID CMAKE CPACK
set -euo pipefail
build=$1 probe=$2 id=$3 cmake=$4 cpack=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FALHOU: $*" >&2; exit 1; }

# --- staged install -------------------------------------------------------
stage=$work/stage
DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >/dev/null
u=$stage/usr
[ -L "$u/bin/tarvel" ] || fail "bin/tarvel is not a link"
[ "$(readlink "$u/bin/tarvel")" = ../lib/tarvel/tarvel ] || fail "bin/tarvel -> $(readlink "$u/bin/tarvel")"
[ -x "$u/lib/tarvel/tarvel" ] && [ ! -L "$u/lib/tarvel/tarvel" ] || fail "lib/tarvel/tarvel"
[ -f "$u/lib/tarvel/principal.htm" ] || fail "no tutorial page beside the program"
[ -x "$u/bin/tarvel-calc" ] || fail "bin/tarvel-calc"

desktop=$u/share/applications/$id.desktop
metainfo=$u/share/metainfo/$id.metainfo.xml
mime=$u/share/mime/packages/$id.xml
icon=$u/share/icons/hicolor/scalable/apps/$id.svg
man=$u/share/man/man1/tarvel-calc.1
copyright=$u/share/doc/tarvel/copyright
for f in "$desktop" "$metainfo" "$mime" "$icon" "$man" "$copyright"; do [ -s "$f" ] || fail "missing $f"; done

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$stage" >/dev/null || fail "appstreamcli validate-tree"
xmllint --noout "$icon" "$mime" || fail "malformed XML"
grep -qx "Name=Projeto Tarvel 98" "$desktop" || fail "desktop entry name"
grep -qx "Icon=$id" "$desktop" || fail "desktop entry icon"
grep -qx "Exec=tarvel %F" "$desktop" || fail "desktop entry does not hand over the files opened"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" || fail "AppStream licence"

# The licence in Debian's machine-readable copyright format: the whole
# program under GPL-3+, with the licence's own terms.
head -1 "$copyright" | grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
  fail "copyright format"
awk '/^Files: \*$/ { files = 1 } files && /^License: GPL-3\+$/ { ok = 1 } END { exit !ok }' "$copyright" ||
  fail "copyright: Files: * is not under GPL-3+"
grep -q '^ On Debian systems, the complete text of the GNU General Public License$' "$copyright" || fail "copyright text"
grep -qF '"/usr/share/common-licenses/GPL-3"' "$copyright" || fail "copyright: where the licence's text is"

# The file types, as the desktop's database reads them: one per project
# extension, and the entry claims each of them.
mkdir -p "$work/mime/packages" && cp "$mime" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null || fail "update-mime-database"
extensions="acs ams apa asa bfl bfs cpc cpw cxl cxs mcs mmc mst psa psc slt sst stl stn stp"
for e in $extensions; do
  grep -qx "40:application/x-tarvel-$e:\*\.$e" "$work/mime/globs2" || fail "no file type for .$e"
  grep -q "^MimeType=.*application/x-tarvel-$e;" "$desktop" || fail "the entry does not claim .$e"
done
[ "$(grep -c ':application/x-tarvel-' "$work/mime/globs2")" -eq 20 ] || fail "file type count"

# The manual page formats without warnings and carries every form of use.
page=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$man" 2>"$work/man.err")
[ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man page warnings"; }
"$u/bin/tarvel-calc" --help | grep '^  tarvel-calc ' | sed 's/^ *//' | while read -r form; do
  grep -qF -- "$form" <<<"$page" || fail "man page lacks: $form"
done
[ "$("$u/bin/tarvel-calc" list | wc -l)" -eq 21 ] || fail "staged tarvel-calc list"

# The staged program, started through its link from another directory and
# through a further link elsewhere, opens its tutorial on the page beside
# its real file. A copy of the program without the page shows the notice.
tutorial() {
  (cd "$work" && LD_PRELOAD=$probe timeout 30 "$1" 2>"$work/probe.err") ||
    { cat "$work/probe.err" >&2; fail "the staged program did not open its tutorial ($1)"; }
}
mkdir -p "$work/elsewhere" && ln -s "$u/bin/tarvel" "$work/elsewhere/tarvel"
real_page=$(realpath "$u/lib/tarvel/principal.htm")
for start in "$u/bin/tarvel" "$work/elsewhere/tarvel"; do
  out=$(tutorial "$start")
  grep -qx "title=Tutorial do Tarvel" <<<"$out" || fail "tutorial title: $out"
  grep -qx "source=$real_page" <<<"$out" || fail "tutorial source: $out"
  grep -q "^text=Tutorial do Tarvel" <<<"$out" || fail "tutorial text: $out"
done
mkdir -p "$work/bare" && cp "$u/lib/tarvel/tarvel" "$work/bare/"
out=$(tutorial "$work/bare/tarvel")
grep -q "^text=Tutorial não encontrado" <<<"$out" || fail "a program without its page: $out"

# --- Debian package -------------------------------------------------------
(cd "$build" && "$cpack" -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/pkg/tarvel_*.deb)
dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' | grep -v '/$' | sort >"$work/listed"
sort >"$work/expected" <<EOF
./usr/bin/tarvel -> ../lib/tarvel/tarvel
./usr/bin/tarvel-calc
./usr/lib/tarvel/principal.htm
./usr/lib/tarvel/tarvel
./usr/share/applications/$id.desktop
./usr/share/doc/tarvel/copyright
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/man/man1/tarvel-calc.1
./usr/share/metainfo/$id.metainfo.xml
./usr/share/mime/packages/$id.xml
EOF
diff -u "$work/expected" "$work/listed" || fail "dpkg-deb -c lists other files"
fields=$(dpkg-deb -f "$deb" Package Version Architecture Depends)
for want in "Package: tarvel" "Version: 1.0" "libqt6widgets6" "libqt6printsupport6" "qt6-qpa-plugins" "libqt6svg6"; do
  grep -qF "$want" <<<"$fields" || fail "package control lacks $want: $fields"
done
# The packed program is the staged one, stripped: it still runs.
mkdir -p "$work/unpacked" && dpkg-deb -x "$deb" "$work/unpacked"
[ "$("$work/unpacked/usr/bin/tarvel-calc" list | wc -l)" -eq 21 ] || fail "packed tarvel-calc"
out=$(tutorial "$work/unpacked/usr/bin/tarvel")
grep -qx "source=$(realpath "$work/unpacked/usr/lib/tarvel/principal.htm")" <<<"$out" || fail "packed tutorial: $out"
echo "ok: $(basename "$deb")"
