#!/usr/bin/env bash
# Makes the source release with packaging/release-tarball and checks it: one
# folder paltsekhod-VERSION holding exactly the files git tracks but for
# debian/ (the Debian packaging goes into the source package apart), the
# scripts still executable; owner 0, modes 755 and 644, every time the
# commit's; and made again from a clone elsewhere, under another umask, time
# zone and locale, the same bytes; with SOURCE_DATE_EPOCH, that time. That it
# builds once unpacked is checked by packaging.deb_install and
# packaging.rpm_package, which build their packages from it.
# The newest entries of debian/changelog and of paltsekhod.spec's %changelog
# must name the project's version and release date (YYYY-MM-DD), which the
# build takes from packaging/CMakeLists.txt.
# Exits 77 (skipped) outside a git checkout.
# Usage: source_release.sh SOURCE_DIR VERSION WORK_DIR RELEASE_DATE
set -u
export LC_ALL=C.UTF-8
SOURCE=$1 VERSION=$2 WORK=$(realpath -m "$3") RELEASE_DATE=${4:-}

skip() { echo "SKIP: $*"; exit 77; }
for tool in git tar xz; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup --test installs it)"
done
git -C "$SOURCE" rev-parse --is-inside-work-tree >/dev/null 2>&1 || skip "$SOURCE is not a git checkout"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
stop() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK"
NAME=paltsekhod-$VERSION
MAKE=$SOURCE/packaging/release-tarball

TARBALL=$("$MAKE" "$SOURCE" "$WORK") || stop "packaging/release-tarball failed"
[ "$TARBALL" = "$WORK/$NAME.tar.xz" ] && [ -f "$TARBALL" ] || { ls "$WORK"; stop "no $NAME.tar.xz, but '$TARBALL'"; }
xz -t "$TARBALL" || fail "$NAME.tar.xz is not xz"
echo "[$SECONDS s] made $NAME.tar.xz, $(stat -c %s "$TARBALL") bytes"

# The same bytes from another checkout of the same files, made elsewhere
# under another umask, time zone and locale; SOURCE_DATE_EPOCH sets the time.
# The clone takes the index and the tracked files of the working tree as they
# are, so that a change not yet committed is packed there too.
(
    umask 027
    git clone -q --no-hardlinks "$SOURCE" "$WORK/clone" || exit 1
    cp "$(git -C "$SOURCE" rev-parse --path-format=absolute --git-path index)" "$WORK/clone/.git/index" || exit 1
    git -C "$SOURCE" ls-files -z --cached | (cd "$SOURCE" && xargs -0 -r cp --parents -P -t "$WORK/clone" 2>/dev/null)
    TZ=Pacific/Kiritimati LC_ALL=C LANG=C "$MAKE" "$WORK/clone" "$WORK/again" >/dev/null 2>&1 || exit 1
    SOURCE_DATE_EPOCH=1700000000 "$MAKE" "$WORK/clone" "$WORK/epoch" >/dev/null 2>&1
) || stop "packaging/release-tarball failed in a clone"
cmp "$TARBALL" "$WORK/again/$NAME.tar.xz" || fail "made again elsewhere, the release differs"
epoch_times=$(tar --utc -tvJf "$WORK/epoch/$NAME.tar.xz" | awk '{ print $4, $5 }' | sort -u)
[ "$epoch_times" = "2023-11-14 22:13" ] || fail "with SOURCE_DATE_EPOCH=1700000000 the times are: $epoch_times"

# Owner 0, modes from the execute bit, one time: the last commit's.
commit_time=$(TZ=UTC git -C "$SOURCE" log -1 --date=format-local:'%Y-%m-%d %H:%M' --format=%cd)
tar --utc -tvJf "$TARBALL" | awk -v t="$commit_time" '
    $2 != "0/0" { print "owner " $2 ": " $NF; bad = 1 }
    $1 != "drwxr-xr-x" && $1 != "-rwxr-xr-x" && $1 != "-rw-r--r--" { print "mode " $1 ": " $NF; bad = 1 }
    $4 " " $5 != t { print "time " $4 " " $5 ": " $NF; bad = 1 }
    END { exit bad }' | head -5 | grep . && fail "entries with another owner, mode or time than 0/0, 755/644 and $commit_time"

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

# One version and one release date: the changelogs' newest entries.
[ -n "$RELEASE_DATE" ] || fail "no release date given"
deb_head=$(head -1 "$SOURCE/debian/changelog")
deb_version=$(sed -n '1s/^[^(]*(\([^)]*\)).*/\1/p' <<<"$deb_head")
deb_date=$(grep -m1 '^ -- ' "$SOURCE/debian/changelog" | sed 's/.*>  //')
[ "${deb_version%-*}" = "$VERSION" ] || fail "debian/changelog is at ${deb_version%-*}, the project at $VERSION"
[ "$(date -u -d "$deb_date" +%F 2>/dev/null)" = "$RELEASE_DATE" ] ||
    fail "debian/changelog is dated $deb_date, the release $RELEASE_DATE"
rpm_spec=$SOURCE/packaging/rpm/paltsekhod.spec
rpm_version=$(awk '$1 == "Version:" { print $2; exit }' "$rpm_spec")
rpm_entry=$(sed -n '/^%changelog/{n;p;q}' "$rpm_spec")
[ "$rpm_version" = "$VERSION" ] || fail "paltsekhod.spec is at $rpm_version, the project at $VERSION"
rpm_date=$(awk '{ print $2, $3, $4, $5 }' <<<"$rpm_entry")
[ "$(date -u -d "$rpm_date" +%F 2>/dev/null)" = "$RELEASE_DATE" ] ||
    fail "paltsekhod.spec's %changelog is dated $rpm_date, the release $RELEASE_DATE"
grep -q -- "- $VERSION-" <<<"$rpm_entry" || fail "paltsekhod.spec's newest %changelog entry is not for $VERSION: $rpm_entry"

[ $failures -eq 0 ] || exit 1
echo "source release OK"
