#!/usr/bin/env bash
# Builds the Debian source and binary packages from the release tarball the
# way Debian builds everything: the tarball becomes the .orig.tar.xz, the
# packaging (this project's debian/, which the release leaves out) is put into
# the unpacked tree, and dpkg-buildpackage builds there.
# The results (.dsc, .orig.tar.xz, .debian.tar.xz, .deb, -dbgsym .deb,
# .buildinfo, .changes) are copied to OUT_DIR.
# Usage: packaging/deb/build.sh TARBALL DEBIAN_DIR OUT_DIR [dpkg-buildpackage options…]
# Environment: PALTSEKHOD_DEB_BUILD_DIR, a folder to build in (default: a new
# temporary one, removed afterwards).
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 TARBALL DEBIAN_DIR OUT_DIR [dpkg-buildpackage options…]" >&2; exit 2; }
tarball=$(realpath "$1") debian=$(realpath "$2") out=$(realpath -m "$3")
shift 3
name=$(basename "$tarball" .tar.xz)           # paltsekhod-1.0.2
[[ $name =~ ^paltsekhod-([0-9][0-9.]*)$ ]] || { echo "$0: $tarball is not paltsekhod-VERSION.tar.xz" >&2; exit 2; }
version=${BASH_REMATCH[1]}

if [ -n "${PALTSEKHOD_DEB_BUILD_DIR:-}" ]; then
    dir=$PALTSEKHOD_DEB_BUILD_DIR
    rm -rf "$dir"
    mkdir -p "$dir"
else
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
fi
cp "$tarball" "$dir/paltsekhod_$version.orig.tar.xz"
tar -xJf "$tarball" -C "$dir"
[ ! -e "$dir/$name/debian" ] || { echo "$0: the tarball has a debian/ of its own" >&2; exit 1; }
cp -r "$debian" "$dir/$name/debian"
# The upstream version in debian/changelog must be the tarball's.
changelog_version=$(dpkg-parsechangelog -l "$dir/$name/debian/changelog" -S Version)
[ "${changelog_version%-*}" = "$version" ] ||
    { echo "$0: debian/changelog is at $changelog_version, the tarball at $version" >&2; exit 1; }

(cd "$dir/$name" && dpkg-buildpackage -us -uc "$@")

mkdir -p "$out"
for f in "$dir"/*; do
    case $f in
        *.dsc|*.orig.tar.xz|*.debian.tar.xz|*.deb|*.buildinfo|*.changes) cp "$f" "$out/" ;;
    esac
done
