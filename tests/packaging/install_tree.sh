#!/usr/bin/env bash
# Installs the build into a scratch prefix with `cmake --install` and checks
# what lands there: the executable, the desktop entry and the AppStream
# metadata (validated by their own tools), the icon at every size (the very
# pictures the program shows as its window icon, and their SVG source), the
# manual page, the changelog and the copyright file.
# Usage: install_tree.sh BUILD_DIR APP_ID ICON VERSION ICON_PNG_DIR ICON_SVG FONT_DIR
# (FONT_DIR: the copies of the fonts the executable embeds)
set -u
export LC_ALL=C.UTF-8
BUILD=$1 APP_ID=$2 ICON=$3 VERSION=$4 PNG_DIR=$5 SVG=$6 FONT_DIR=$7

for tool in desktop-file-validate appstreamcli file gzip; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup installs it)"; exit 77; }
done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
PREFIX=$WORK/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; echo "FAIL: cmake --install"; exit 1; }
share=$PREFIX/share
desktop=$share/applications/$APP_ID.desktop
metainfo=$share/metainfo/$APP_ID.metainfo.xml

# Every file in its place.
[ -x "$PREFIX/bin/paltsekhod" ] || fail "bin/paltsekhod is not installed"
for f in "$desktop" "$metainfo" "$share/icons/hicolor/scalable/apps/$ICON.svg" \
         "$share/man/man1/paltsekhod.1.gz" "$share/doc/paltsekhod/copyright" "$share/doc/paltsekhod/changelog.gz"; do
    [ -f "$f" ] || fail "${f#"$PREFIX"/} is not installed"
done

# The desktop entry: valid, and naming what was installed.
if [ -f "$desktop" ]; then
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
    grep -E ': (error|warning):' <<<"$report" && fail "desktop-file-validate complains"
    key() { sed -n "s/^$1=//p" "$desktop"; }
    [ "$(key Name)" = "Пальцеход" ] || fail "Name is '$(key Name)'"
    grep -qP '\p{Cyrillic}' <<<"$(key Comment)" || fail "Comment is not Russian: '$(key Comment)'"
    [ "$(key Icon)" = "$ICON" ] || fail "Icon is '$(key Icon)', the icon is installed as $ICON"
    [ -x "$PREFIX/bin/$(key Exec | cut -d' ' -f1)" ] || fail "Exec '$(key Exec)' is not an installed program"
    for category in Education Game KidsGame; do
        grep -q "^Categories=\(.*;\)\?$category;" "$desktop" || fail "Categories lack $category"
    done
fi

# The AppStream metadata: valid on its own and together with the tree.
if [ -f "$metainfo" ]; then
    report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
    report=$(appstreamcli validate-tree --no-net "$PREFIX" 2>&1) || fail "appstreamcli validate-tree: $report"
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" || fail "the launchable is not $APP_ID.desktop"
    grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "no release $VERSION in the metainfo"
    grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "no OARS content rating"
    grep -q '<screenshot type="default">' "$metainfo" || fail "no default screenshot"
fi

# The icon: at each size the PNG compiled into the program, sized as its
# folder says; scalable, the SVG source of those pictures.
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$ICON.png
    if [ ! -f "$png" ]; then fail "no $size-pixel icon"; continue; fi
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$size-pixel icon is $(file -b "$png")"
    cmp -s "$png" "$PNG_DIR/icon-$size.png" || fail "$size-pixel icon differs from the program's own $PNG_DIR/icon-$size.png"
done
cmp -s "$share/icons/hicolor/scalable/apps/$ICON.svg" "$SVG" || fail "the scalable icon is not $SVG"

# Manual page and changelog: compressed without time stamp, well formed,
# of this version.
for gz in "$share/man/man1/paltsekhod.1.gz" "$share/doc/paltsekhod/changelog.gz"; do
    [ -f "$gz" ] || continue
    gzip -t "$gz" || fail "${gz##*/} is not gzip"
    file -b "$gz" | grep -q 'last modified' && fail "${gz##*/} carries a time stamp"
done
if command -v man >/dev/null && [ -f "$share/man/man1/paltsekhod.1.gz" ]; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man1/paltsekhod.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
fi
zcat "$share/doc/paltsekhod/changelog.gz" >"$WORK/changelog" 2>/dev/null
changelog=$(cat "$WORK/changelog")
head -1 <<<"$changelog" | grep -q "^paltsekhod ($VERSION) " || fail "the changelog starts '$(head -1 <<<"$changelog")'"
if command -v dpkg-parsechangelog >/dev/null; then
    dpkg-parsechangelog -l "$WORK/changelog" >/dev/null || fail "dpkg-parsechangelog rejects the changelog"
fi
# The release day is the same in the changelog and the AppStream release.
stamp=$(sed -n 's/^ -- .*>  //p' <<<"$changelog" | head -1)
released=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$metainfo" | head -1)
[ "$(date -u -d "$stamp" +%F 2>/dev/null)" = "$released" ] || fail "changelog date '$stamp' is not the AppStream release date '$released'"

# The copyright file names the licence of the fonts the build embeds, with
# its text: the fonts are no file of the source, so it is told beside the
# program's own licence.
copyright=$share/doc/paltsekhod/copyright
grep -q '^License: GPL-3.0-or-later$' "$copyright" || fail "copyright lacks the program's GPL-3.0-or-later"
font_notice=$(strings "$FONT_DIR/LiberationMono-Regular.ttf" | grep -i -m1 'licen[cs]e')
case $font_notice in
    *"Liberation Fonts license"*) want="LIBERATION FONTS LICENSE" ;;
    *"Open Font License"*) want="SIL OPEN FONT LICENSE Version 1.1" ;;
    *) want=""; fail "cannot tell the licence of $FONT_DIR/LiberationMono-Regular.ttf: '$font_notice'" ;;
esac
[ -z "$want" ] || grep -qi "^ *$want" "$copyright" || fail "the embedded fonts are under the $want, copyright does not hold it"
grep -q 'Red Hat, Inc. with Reserved Font Name Liberation' "$copyright" || fail "copyright lacks the fonts' copyright holder"

[ $failures -eq 0 ] || exit 1
echo "install tree OK"
