#!/usr/bin/env bash
# Makes the source release with CPack (cpack --config CPackSourceConfig.cmake)
# and checks it: one folder paltsekhod-VERSION holding exactly the files git
# tracks, the scripts still executable; unpacked into a fresh folder it
# configures with the release preset and builds the program there (tests and
# benchmarks off, two jobs, so that the check stays short).
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

# Exactly the tracked files (those present in the working tree), each under
# the one top folder.
tar -tJf "$TARBALL" >"$WORK/entries" || stop "tar cannot list $NAME.tar.xz"
grep -v "^$NAME/" "$WORK/entries" && fail "entries outside $NAME/"
tar -tvJf "$TARBALL" | awk '$1 !~ /^d/ { print $NF }' | sed "s|^$NAME/||" | sort >"$WORK/packed"
git -C "$SOURCE" -c core.quotePath=false ls-files --cached | while read -r f; do
    [ -e "$SOURCE/$f" ] && echo "$f"
done | sort >"$WORK/tracked"
diff -u "$WORK/tracked" "$WORK/packed" >"$WORK/files.diff" || { cat "$WORK/files.diff"; fail "the tarball is not the tracked files"; }
for script in scripts/setup scripts/run scripts/test scripts/package; do
    tar -tvJf "$TARBALL" "$NAME/$script" 2>/dev/null | grep -q '^-rwx' || fail "$script is not executable in the tarball"
done

# Unpacked into a fresh folder it builds the program.
FRESH=$WORK/fresh
mkdir -p "$FRESH"
tar -xJf "$TARBALL" -C "$FRESH" || stop "tar -xJf"
cd "$FRESH/$NAME" || stop "no $NAME folder"
start=$SECONDS
cmake --preset release -DPALTSEKHOD_BUILD_TESTS=OFF -DPALTSEKHOD_BUILD_BENCH=OFF >"$WORK/configure.log" 2>&1 ||
    { cat "$WORK/configure.log"; stop "configuring the unpacked release"; }
cmake --build --preset release --target paltsekhod --parallel 2 >"$WORK/build.log" 2>&1 ||
    { tail -50 "$WORK/build.log"; stop "building the unpacked release"; }
[ -x build/bin/paltsekhod ] || stop "the unpacked release built no build/bin/paltsekhod"
file -b build/bin/paltsekhod | grep -q '^ELF' || fail "build/bin/paltsekhod is $(file -b build/bin/paltsekhod)"
echo "[$SECONDS s] the unpacked release built build/bin/paltsekhod in $((SECONDS - start)) s"

[ $failures -eq 0 ] || exit 1
echo "source release OK"
