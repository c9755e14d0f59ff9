#!/usr/bin/env bash
# Builds the source and binary RPM packages from the release tarball the way a
# distribution's build service does: rpmbuild -ba with the spec the tarball
# carries (packaging/rpm/paltsekhod.spec), in an rpmbuild tree of its own so
# that ~/rpmbuild and ~/.rpmmacros play no part. The results (.src.rpm and
# .<arch>.rpm) are copied to OUT_DIR.
# Usage: packaging/rpm/build.sh TARBALL OUT_DIR [rpmbuild options…]
#   e.g. --nodeps where rpm's database does not hold the build requirements
#   (Debian), --without check to build no tests, -D '_smp_mflags -j2'.
# Environment: PALTSEKHOD_RPM_BUILD_DIR, a folder to build in (default: a new
# temporary one, removed afterwards).
set -euo pipefail
# The modes of the files in the source package, and of the packages copied
# out, do not depend on the caller's umask.
umask 022
[ $# -ge 2 ] || { echo "usage: $0 TARBALL OUT_DIR [rpmbuild options…]" >&2; exit 2; }
tarball=$(realpath "$1") out=$(realpath -m "$2")
shift 2
name=$(basename "$tarball" .tar.xz)           # paltsekhod-1.0.2
[[ $name =~ ^paltsekhod-([0-9][0-9.]*)$ ]] || { echo "$0: $tarball is not paltsekhod-VERSION.tar.xz" >&2; exit 2; }
version=${BASH_REMATCH[1]}

if [ -n "${PALTSEKHOD_RPM_BUILD_DIR:-}" ]; then
    dir=$(realpath -m "$PALTSEKHOD_RPM_BUILD_DIR")
    rm -rf "$dir"
    mkdir -p "$dir"
else
    dir=$(mktemp -d)
    trap 'rm -rf "$dir"' EXIT
fi
mkdir -p "$dir"/{SOURCES,SPECS}
cp "$tarball" "$dir/SOURCES/"
spec=$dir/SPECS/paltsekhod.spec
tar -xJOf "$tarball" "$name/packaging/rpm/paltsekhod.spec" >"$spec" ||
    { echo "$0: $tarball holds no $name/packaging/rpm/paltsekhod.spec" >&2; exit 1; }
# The version in the spec must be the tarball's.
spec_version=$(rpmspec -q --srpm --qf '%{VERSION}' "$spec")
[ "$spec_version" = "$version" ] ||
    { echo "$0: the spec is at version $spec_version, the tarball at $version" >&2; exit 1; }

rpmbuild -ba --define "_topdir $dir" "$@" "$spec"

mkdir -p "$out"
cp "$dir"/SRPMS/*.src.rpm "$dir"/RPMS/*/*.rpm "$out/"
