#!/usr/bin/env bash
# Builds the Debian source and binary packages as Debian builds them: the
# release tarball (packaging/release-tarball) as the .orig.tar.xz, debian/ added,
# dpkg-buildpackage (packaging/deb/build.sh; the suite runs the tests itself,
# so nocheck). Checks them with lintian --pedantic (no error, no warning), their
# fields, dependencies and files; installs the binary package with apt-get,
# verifies it, starts the installed program under Xvfb, waits for its main
# window "Пальцеход", closes it and removes the package again - also when a
# step fails. Needs root and apt; exits 77 (skipped) without them.
# Usage: deb_install.sh VERSION APP_ID ICON WORK_DIR SOURCE_DIR
set -u
export LC_ALL=C.UTF-8
VERSION=$1 APP_ID=$2 ICON=$3 WORK=$(realpath -m "$4") SOURCE=$5

skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
for tool in apt-get dpkg dpkg-deb dpkg-buildpackage dh git lintian readelf file Xvfb xdotool xprop openbox; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup --test installs it)"
done

INSTALLED=0 XVFB_PID="" WM_PID="" TRAINER_PID=""
cleanup() {
    [ -n "$TRAINER_PID" ] && kill "$TRAINER_PID" 2>/dev/null
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    if [ $INSTALLED -eq 1 ]; then
        echo "removing the package"
        apt-get purge -y -qq -o DPkg::Lock::Timeout=120 paltsekhod >>"$WORK/apt.log" 2>&1 ||
            dpkg --purge paltsekhod >>"$WORK/apt.log" 2>&1
    fi
}
trap cleanup EXIT
trap "exit 1" INT TERM HUP
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK/out"

# The packages, built from the source release of this tree.
"$SOURCE/packaging/release-tarball" "$SOURCE" "$WORK" >/dev/null || fail "packaging/release-tarball"
DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" PALTSEKHOD_DEB_BUILD_DIR=$WORK/build \
    bash "$SOURCE/packaging/deb/build.sh" "$WORK/paltsekhod-$VERSION.tar.xz" "$SOURCE/debian" "$WORK/out" \
    >"$WORK/build.log" 2>&1 || { tail -60 "$WORK/build.log"; fail "packaging/deb/build.sh"; }
REVISION=$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)
[ "${REVISION%-*}" = "$VERSION" ] || fail "debian/changelog is at $REVISION, the project at $VERSION"
arch=$(dpkg --print-architecture)
DEB=$WORK/out/paltsekhod_${REVISION}_$arch.deb
for f in "$DEB" "$WORK/out/paltsekhod_$REVISION.dsc" "$WORK/out/paltsekhod_$VERSION.orig.tar.xz" \
         "$WORK/out/paltsekhod_$REVISION.debian.tar.xz" "$WORK/out/paltsekhod_${REVISION}_$arch.changes"; do
    [ -f "$f" ] || { ls "$WORK/out"; fail "dpkg-buildpackage made no ${f##*/}"; }
done
echo "[$SECONDS s] built $(cd "$WORK/out" && echo *)"

# The source package: the release unchanged as the upstream tarball, the
# packaging apart.
cmp -s "$WORK/paltsekhod-$VERSION.tar.xz" "$WORK/out/paltsekhod_$VERSION.orig.tar.xz" ||
    fail "the .orig.tar.xz is not the release tarball"
tar -tJf "$WORK/out/paltsekhod_$REVISION.debian.tar.xz" >"$WORK/debian.list"
for f in debian/control debian/rules debian/changelog debian/copyright debian/source/format debian/tests/control; do
    grep -qx "$f" "$WORK/debian.list" || fail "the .debian.tar.xz lacks $f"
done

# lintian, pedantic, on the source and the binary packages: no error and no
# warning. Info and pedantic tags are printed for the record.
lintian --pedantic --display-info --show-overrides --tag-display-limit 0 \
    "$WORK/out/paltsekhod_${REVISION}_$arch.changes" >"$WORK/lintian.log" 2>&1
status=$?
grep -v '^running with root privileges' "$WORK/lintian.log"
[ $status -eq 0 ] || fail "lintian ended with status $status"
grep -qE '^[EW]: ' "$WORK/lintian.log" && fail "lintian reports errors or warnings"
echo "[$SECONDS s] lintian passed"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = paltsekhod ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$REVISION" ] || fail "Version is '$(field Version)', not $REVISION"
depends=$(field Depends)
echo "Depends: $depends"
# What the executable links, found by dpkg-shlibdeps, and libpulse, which it
# opens at run time; all with versions. Debian's 64-bit time_t transition
# renamed some of these packages with a t64 suffix (Debian 13, Ubuntu 24.04):
# either name is the same library.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libpulse0; do
    [[ ", $depends" == *", $lib (>= "* || ", $depends" == *", ${lib}t64 (>= "* ]] ||
        fail "Depends lacks a versioned $lib"
done

# The files: exactly what the install rules install, under /usr, with the
# Debian changelog and the lintian notes beside them; the executable is
# stripped (its debugging symbols are in the -dbgsym package).
share=./usr/share
expected=(
    ./usr/bin/paltsekhod
    "$share/applications/$APP_ID.desktop"
    "$share/metainfo/$APP_ID.metainfo.xml"
    "$share/icons/hicolor/scalable/apps/$ICON.svg"
    "$share/man/man1/paltsekhod.1.gz"
    "$share/doc/paltsekhod/copyright"
    "$share/doc/paltsekhod/changelog.gz"
    "$share/doc/paltsekhod/changelog.Debian.gz"
    "$share/lintian/overrides/paltsekhod"
)
for size in 16 32 48 64 128 256; do expected+=("$share/icons/hicolor/${size}x$size/apps/$ICON.png"); done
dpkg-deb --fsys-tarfile "$DEB" | tar -t | grep -v '/$' | sort >"$WORK/files"
printf '%s\n' "${expected[@]}" | sort >"$WORK/expected"
diff -u "$WORK/expected" "$WORK/files" || fail "the package's files differ from the install rules"
mkdir -p "$WORK/unpacked"
dpkg-deb -x "$DEB" "$WORK/unpacked"
exe=$WORK/unpacked/usr/bin/paltsekhod
file -b "$exe" | grep -q ', stripped' || fail "the executable is $(file -b "$exe")"
readelf -S "$exe" | grep -qE '\.debug_|\.symtab' && fail "the executable has debug or symbol sections"

# Install it as a user would.
if dpkg-query -W -f='${Status}' paltsekhod 2>/dev/null | grep -q 'ok installed'; then
    echo "note: paltsekhod was installed already; it is replaced and removed at the end"
fi
INSTALLED=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=120 "$DEB" \
    >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get install"; }
[ "$(dpkg-query -W -f='${Version}' paltsekhod)" = "$REVISION" ] || fail "dpkg does not list paltsekhod $REVISION"
verify=$(dpkg --verify paltsekhod 2>&1) && [ -z "$verify" ] || fail "dpkg --verify: $verify"
[ "$(command -v paltsekhod)" = /usr/bin/paltsekhod ] || fail "paltsekhod is not /usr/bin/paltsekhod on the PATH"
echo "[$SECONDS s] installed"

# Start it on a display of its own, with a window manager to close it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
[ -s "$WORK/display" ] || fail "Xvfb did not start"
DISPLAY=:$(head -1 "$WORK/display")
export DISPLAY
openbox >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
# A window mapped while the window manager is still taking over the screen
# may never be shown: start the program once openbox has announced itself.
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "openbox did not start"

(cd / && exec env QT_QPA_PLATFORM=xcb paltsekhod) >"$WORK/trainer.log" 2>&1 &
TRAINER_PID=$!
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
WINDOW=""
for _ in $(seq 1 300); do
    WINDOW=$(window 'Пальцеход')
    [ -n "$WINDOW" ] && break
    kill -0 "$TRAINER_PID" 2>/dev/null || { cat "$WORK/trainer.log"; fail "the program ended before showing its window"; }
    sleep 0.1
done
if [ -z "$WINDOW" ]; then
    cat "$WORK/trainer.log"
    for id in $(xdotool search --name . 2>/dev/null); do echo "window $id: $(xdotool getwindowname "$id")"; done
    fail "no window titled Пальцеход within 30 seconds"
fi
echo "[$SECONDS s] main window $WINDOW is up"

# The About box shows itself once as a splash and closes by itself after
# five and a half seconds. Watched for at once, before any slower check, so
# that it cannot come and go unseen; on a loaded machine it may take seconds
# to come up.
for _ in $(seq 1 300); do [ -n "$(window 'О программе')" ] && break; sleep 0.1; done
[ -n "$(window 'О программе')" ] || fail "the splash did not appear"
for _ in $(seq 1 300); do [ -z "$(window 'О программе')" ] && break; sleep 0.1; done
[ -z "$(window 'О программе')" ] || fail "the splash did not close"
echo "[$SECONDS s] the splash came and went"

# The desktop entry's StartupWMClass matches the window, so docks group it.
wm_class=$(xprop -id "$WINDOW" WM_CLASS)
wanted=$(sed -n 's/^StartupWMClass=//p' "/usr/share/applications/$APP_ID.desktop")
grep -q "\"$wanted\"" <<<"$wm_class" || fail "window $wm_class, desktop entry StartupWMClass=$wanted"

# The Qt plugins the program cannot do without - the platform plugin that
# opens the window (sound needs none: it goes to the server through libpulse)
# - come from packages the installed package depends on, directly or not. (Extra
# plugins Qt picks up when present, such as image formats, may come from
# anywhere.)
closure=$(apt-cache depends --installed --recurse --no-recommends --no-suggests --no-conflicts \
            --no-breaks --no-replaces --no-enhances paltsekhod 2>/dev/null | grep -v '^ ' | sort -u)
needed=0
while read -r plugin; do
    owner=$(dpkg -S "$plugin" 2>/dev/null || dpkg -S "$(readlink -f "$plugin")" 2>/dev/null)
    pkg=${owner%%:*}
    if [ -n "$pkg" ] && grep -qx "$pkg" <<<"$closure"; then
        case $plugin in */platforms/*|*/multimedia/*) needed=$((needed + 1)) ;; esac
        continue
    fi
    case $plugin in
        */platforms/*|*/multimedia/*) fail "$plugin (${pkg:-no package}) is not among the dependencies" ;;
        *) echo "note: optional plugin $plugin comes from ${pkg:-no package}" ;;
    esac
done < <(awk '$6 ~ /\/qt6\/plugins\/.*\.so$/ { print $6 }' "/proc/$TRAINER_PID/maps" | sort -u)
[ $needed -ge 1 ] || fail "no platform or multimedia plugin loaded"
echo "[$SECONDS s] plugins checked"

# The window manager closes the main window as a user would (Alt+F4).
for attempt in 1 2 3; do
    xdotool windowactivate --sync "$WINDOW" 2>/dev/null || xdotool windowfocus --sync "$WINDOW"
    xdotool key alt+F4
    for _ in $(seq 1 50); do kill -0 "$TRAINER_PID" 2>/dev/null || break 2; sleep 0.1; done
done
kill -0 "$TRAINER_PID" 2>/dev/null && fail "the program did not end when its window was closed"
wait "$TRAINER_PID"
status=$?
TRAINER_PID=""
[ $status -eq 0 ] || { cat "$WORK/trainer.log"; fail "the program ended with status $status"; }
echo "[$SECONDS s] closed, status 0"

# Remove it again and leave nothing behind.
INSTALLED=0
apt-get purge -y -qq -o DPkg::Lock::Timeout=120 paltsekhod >>"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt-get purge"; }
dpkg-query -W -f='${Status}' paltsekhod 2>/dev/null | grep -q 'ok installed' && fail "paltsekhod still installed"
[ ! -e /usr/bin/paltsekhod ] || fail "/usr/bin/paltsekhod left behind"
echo "[$SECONDS s] package installed, started, closed and removed"
