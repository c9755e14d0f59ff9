#!/usr/bin/env bash
# Makes the source release with CPack (cpack --config CPackSourceConfig.cmake)
# and checks it: one folder paltsekhod-VERSION holding exactly the files git
# tracks but for debian/ (the Debian packaging goes into the source package
# apart), the scripts still executable. That it builds once unpacked is
# checked by packaging.deb_install and packaging.rpm_package, which build
# their packages from it.
# Exits 77 (skipped) outside a git checkout.
# Usage: source_release.sh BUILD_DIR SOURCE_DIR VERSION WORK_DIR
set -u
export LC_ALL=C.UTF-8
BUILD=$1 SOURCE=$2 VERSION=$3 WORK=$(realpath -m "$4")

skip() { echo "SKIP: $*"; exit 77; }
for tool in cpack git tar xz file; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup --test installs it)"
done
git -C "$SOURCE" rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "$SOURCE is not a git checkout"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
stop() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK"
NAME=paltsekhod-$VERSION

cpack --config "$BUILD/CPackSourceConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; stop "cpack --config CPackSourceConfig.cmake"; }
TARBALL=$WORK/$NAME.tar.xz
[ -f "$TARBALL" ] || { ls "$WORK"; stop "no $NAME.tar.xz"; }
xz -t "$TARBALL" || fail "$NAME.tar.xz is not xz"
echo "[$SECONDS s] made $NAME.tar.xz, $(stat -c %s "$TARBALL") bytes"

# Exactly the tracked files (those present in the working tree) but for
# debian/, each under the one top folder.
tar -tJf "$TARBALL" >"$WORK/entries" || stop "tar cannot list $NAME.tar.xz"
grep -v "^$NAME/" "$WORK/entries" && fail "entries outside $NAME/"
tar -tvJf "$TARBALL" | awk '$1 !~ /^d/ { print $NF }' | sed "s|^$NAME/||" | sort >"$WORK/packed"
git -C "$SOURCE" -c core.quotePath=false ls-files --cached | while read -r f; do
    [ -e "$SOURCE/$f" ] && echo "$f"
done | grep -v '^debian/' | sort >"$WORK/tracked"
diff -u "$WORK/tracked" "$WORK/packed" >"$WORK/files.diff" || { cat "$WORK/files.diff"; fail "the tarball is not the tracked files"; }
for script in scripts/setup scripts/run scripts/test scripts/package; do
    tar -tvJf "$TARBALL" "$NAME/$script" 2>/dev/null | grep -q '^-rwx' || fail "$script is not executable in the tarball"
done
# The release carries the copyright file installed beside the program; the
# Debian package installs debian/copyright in its place: one text.
cmp -s "$SOURCE/packaging/copyright" "$SOURCE/debian/copyright" ||
    fail "packaging/copyright and debian/copyright differ"

[ $failures -eq 0 ] || exit 1
echo "source release OK"
