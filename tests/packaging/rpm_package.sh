#!/usr/bin/env bash
# Builds the RPM packages the way a distribution does: the release tarball
# (packaging/release-tarball) goes through rpmbuild -ba with the spec it carries
# (packaging/rpm/build.sh, without the tests: the suite runs them itself).
# Signs both packages with a scratch key, as a distribution's build service
# would, and checks them: rpmlint finds no error in the spec, the source
# package or the binary one; the source package holds exactly the spec and
# the tarball; the binary package's name, version, licence and Russian and
# English texts; it holds exactly the files the install rules put in place;
# it requires the Qt 6 libraries the executable links, by soname, and
# libpulse, which it opens at run time; the executable is stripped; its time
# stamps come from the changelog, not from the clock. Then it installs it into
# a scratch RPM database and root (rpm --root --initdb, rpm -i --nodeps),
# checks the signature, verifies and erases it there. Exits 77 (skipped)
# without rpmbuild, rpmlint or gpg.
# Usage: rpm_package.sh VERSION APP_ID ICON WORK_DIR RPMLINTRC SOURCE_DIR
#   SOURCE_DIR: the source tree, for the release, the spec and
#   packaging/rpm/build.sh.
set -u
export LC_ALL=C.UTF-8
VERSION=$1 APP_ID=$2 ICON=$3 WORK=$(realpath -m "$4") RPMLINTRC=$5 SOURCE=$6
SPEC=$SOURCE/packaging/rpm/paltsekhod.spec

skip() { echo "SKIP: $*"; exit 77; }
for tool in git ninja tar xz rpm rpmbuild rpmspec rpmsign rpmlint rpm2cpio cpio readelf file gpg gpgconf; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup --test installs it)"
done
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
stop() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK"
export GNUPGHOME=$WORK/gnupg
trap 'gpgconf --kill gpg-agent 2>/dev/null' EXIT

# The spec names this version, and its latest changelog entry is this
# version's: rpmbuild takes the packages' time stamps from that entry.
[ "$(rpmspec -q --srpm --qf '%{VERSION}' "$SPEC" 2>/dev/null)" = "$VERSION" ] ||
    fail "the spec's Version is not $VERSION"
[[ "$(rpmspec -q --srpm --qf '%{CHANGELOGNAME}' "$SPEC" 2>/dev/null)" == *" - $VERSION-"* ]] ||
    fail "the spec's latest changelog entry is not for $VERSION"
# The tests' build requirements go with the check switch: --without check
# builds, and needs, no test.
buildrequires=$(rpmspec -q --buildrequires "$SPEC" 2>/dev/null)
buildrequires_nocheck=$(rpmspec -q --buildrequires --without check "$SPEC" 2>/dev/null)
for req in 'cmake(Qt6Core)' 'cmake(Qt6Widgets)' 'cmake(Qt6Svg)' 'pkgconfig(libpulse)' 'pkgconfig(fontconfig)'; do
    grep -qF "$req" <<<"$buildrequires_nocheck" || fail "BuildRequires lacks $req"
done
for req in 'cmake(Qt6Test)' 'pkgconfig(gtest)' 'pkgconfig(gmock)'; do
    grep -qF "$req" <<<"$buildrequires" || fail "BuildRequires lacks $req"
    grep -qF "$req" <<<"$buildrequires_nocheck" && fail "BuildRequires holds $req --without check"
done

# The release tarball, with the spec as it is in the source tree.
TARBALL=$WORK/paltsekhod-$VERSION.tar.xz
"$SOURCE/packaging/release-tarball" "$SOURCE" "$WORK" >/dev/null || stop "packaging/release-tarball"
[ -f "$TARBALL" ] || stop "packaging/release-tarball made no ${TARBALL##*/}"
tar -xJOf "$TARBALL" "paltsekhod-$VERSION/packaging/rpm/paltsekhod.spec" 2>/dev/null | cmp -s - "$SPEC" ||
    stop "the tarball does not hold $SPEC as it is (is it tracked by git?)"

# The packages, from the tarball alone.
OUT=$WORK/out
PALTSEKHOD_RPM_BUILD_DIR=$WORK/rpmbuild bash "$SOURCE/packaging/rpm/build.sh" "$TARBALL" "$OUT" \
    --nodeps --without check -D '_smp_mflags -j2' >"$WORK/rpmbuild.log" 2>&1 ||
    { tail -n 60 "$WORK/rpmbuild.log"; stop "packaging/rpm/build.sh (rpmbuild -ba)"; }
grep -q '^Executing(%check)' "$WORK/rpmbuild.log" && fail "rpmbuild ran %check --without check"
release=$(rpmspec -q --srpm --qf '%{RELEASE}' "$SPEC" 2>/dev/null)
[[ $release == 1 || $release == 1.* ]] || fail "Release is '$release', not 1"
arch=$(rpm --eval '%{_arch}')
RPM=$OUT/paltsekhod-$VERSION-$release.$arch.rpm
SRPM=$OUT/paltsekhod-$VERSION-$release.src.rpm
{ [ -f "$RPM" ] && [ -f "$SRPM" ]; } || { ls -l "$OUT"; stop "rpmbuild made no ${RPM##*/} and ${SRPM##*/}"; }
[ "$(find "$OUT" -name '*.rpm' | wc -l)" -eq 2 ] || fail "more packages than two: $(ls "$OUT")"
echo "[$SECONDS s] built ${SRPM##*/} and ${RPM##*/}"

# The source package: the spec and the tarball, unaltered, and nothing else.
rpm -qpl "$SRPM" 2>/dev/null | sort >"$WORK/srpm-files"
printf '%s\n' "paltsekhod-$VERSION.tar.xz" paltsekhod.spec | diff -u - "$WORK/srpm-files" ||
    fail "the source package holds other files"
mkdir -p "$WORK/srpm"
(cd "$WORK/srpm" && rpm2cpio "$SRPM" | cpio -id --quiet) || fail "rpm2cpio | cpio of the source package"
cmp -s "$WORK/srpm/paltsekhod.spec" "$SPEC" || fail "the source package's spec differs from $SPEC"
cmp -s "$WORK/srpm/paltsekhod-$VERSION.tar.xz" "$TARBALL" || fail "the source package's tarball differs"
[ "$(rpm -qp --qf '%{SOURCERPM}' "$RPM" 2>/dev/null)" = "${SRPM##*/}" ] ||
    fail "the binary package names its source package '$(rpm -qp --qf '%{SOURCERPM}' "$RPM")'"

# Both signed with a key of their own, made for this run.
mkdir -m 700 "$GNUPGHOME"
SIGNER="Paltsekhod test signer <test@paltsekhod.invalid>"
gpg --batch --quiet --passphrase '' --quick-gen-key "$SIGNER" ed25519 sign never >"$WORK/gpg.log" 2>&1 ||
    { cat "$WORK/gpg.log"; stop "gpg --quick-gen-key"; }
gpg --batch --armor --export "$SIGNER" >"$WORK/signer.asc"
rpmsign --addsign --define "_gpg_name $SIGNER" --define "__gpg $(command -v gpg)" "$RPM" "$SRPM" >"$WORK/sign.log" 2>&1 ||
    { cat "$WORK/sign.log"; stop "rpmsign --addsign"; }

# rpmlint on the spec and both packages: no errors; the warnings are printed
# for the record. Its signature check (rpm -K) trusts the scratch key through
# a key database of its own, named in the ~/.rpmmacros of a home made for it.
mkdir -p "$WORK/home"
echo "%_dbpath $WORK/keys" >"$WORK/home/.rpmmacros"
{ rpm --dbpath "$WORK/keys" --initdb && rpm --dbpath "$WORK/keys" --import "$WORK/signer.asc"; } ||
    stop "a key database for rpmlint"
for target in "$SPEC" "$SRPM" "$RPM"; do
    log=$WORK/rpmlint-${target##*/}.log
    HOME=$WORK/home rpmlint -r "$RPMLINTRC" --ignore-unused-rpmlintrc "$target" >"$log" 2>&1
    status=$?
    grep -E ': [EW]: ' "$log"
    errors=$(grep ': E: ' "$log")
    # rpmlint 2.8 cannot read rpm 6's signature line and calls a signed
    # package unsigned; rpm itself, with the same keys, is the judge of that.
    if grep -q ': E: no-signature$' <<<"$errors" &&
        rpm --dbpath "$WORK/keys" -K "$target" 2>&1 | grep -q 'signatures OK'; then
        echo "rpmlint's no-signature set aside: rpm -K finds ${target##*/} signed"
        errors=$(grep -v ': E: no-signature$' <<<"$errors")
        [ -n "$errors" ] || status=0
    fi
    { [ $status -eq 0 ] && [ -z "$errors" ]; } || { cat "$log"; fail "rpmlint reports errors in ${target##*/} (status $status)"; }
done

# The header.
tag() { rpm -qp --qf "%{$1}" "$RPM" 2>/dev/null; }
[ "$(tag NAME)" = paltsekhod ] || fail "Name is '$(tag NAME)'"
[ "$(tag VERSION)" = "$VERSION" ] || fail "Version is '$(tag VERSION)', not $VERSION"
[[ "$(tag LICENSE)" == GPL-3.0-or-later* ]] || fail "License is '$(tag LICENSE)'"
[ "$(tag GROUP)" = Education ] || fail "Group is '$(tag GROUP)'"
[ "$(tag URL)" != "(none)" ] || fail "no URL"
[[ "$(tag PACKAGER)" == *"<paltsekhod@users.noreply.github.com>" ]] || fail "Packager is '$(tag PACKAGER)'"
[ "$(tag PREFIXES)" = "(none)" ] || fail "relocatable, prefix $(tag PREFIXES)"
grep -q '^Touch-typing trainer' <<<"$(tag SUMMARY)" || fail "English summary is '$(tag SUMMARY)'"
grep -q 'teaches children to type' <<<"$(tag DESCRIPTION)" || fail "no English description"
# The Russian texts, as rpm shows them to a Russian user.
summary_ru=$(LANGUAGE=ru rpm -qp --qf '%{SUMMARY}' "$RPM" 2>/dev/null)
description_ru=$(LANGUAGE=ru rpm -qp --qf '%{DESCRIPTION}' "$RPM" 2>/dev/null)
[ "$summary_ru" = "Клавиатурный тренажёр слепой печати для детей" ] || fail "Russian summary is '$summary_ru'"
grep -q '^«Пальцеход» учит детей печатать вслепую' <<<"$description_ru" || fail "Russian description is '$description_ru'"
grep -q '%description' <<<"$(tag DESCRIPTION)$description_ru" && fail "a description holds an RPM section header"
[ -n "$(tag CHANGELOGTEXT)" ] && [ "$(tag CHANGELOGTEXT)" != "(none)" ] || fail "no changelog"
grep -q 'Eric Noulard' <<<"$(tag CHANGELOGNAME)" && fail "the changelog is CPack's placeholder"

# Rebuilt, the package comes out the same: its build time and every file's
# time stamp are the day of the latest changelog entry at the latest, and it
# does not name the machine it was built on.
buildtime=$(tag BUILDTIME) changelogtime=$(tag CHANGELOGTIME)
[ $((buildtime > changelogtime ? buildtime - changelogtime : changelogtime - buildtime)) -lt 86400 ] ||
    fail "build time $(date -ud "@$buildtime"), not the changelog's $(date -ud "@$changelogtime")"
for mtime in $(rpm -qp --qf '[%{FILEMTIMES}\n]' "$RPM" 2>/dev/null); do
    [ "$mtime" -le "$buildtime" ] || { fail "a file's time stamp $(date -ud "@$mtime") is after the build time"; break; }
done
[ "$(tag BUILDHOST)" != "$(uname -n)" ] || fail "the package names the build host $(uname -n)"

# The files: exactly what the install rules install, under /usr; the package
# owns its documentation folder but none of the shared ones.
share=/usr/share
expected=(
    /usr/bin/paltsekhod
    "$share/applications/$APP_ID.desktop"
    "$share/metainfo/$APP_ID.metainfo.xml"
    "$share/icons/hicolor/scalable/apps/$ICON.svg"
    "$share/man/man1/paltsekhod.1.gz"
    "$share/doc/paltsekhod"
    "$share/doc/paltsekhod/copyright"
    "$share/doc/paltsekhod/changelog.gz"
)
for size in 16 32 48 64 128 256; do expected+=("$share/icons/hicolor/${size}x$size/apps/$ICON.png"); done
rpm -qpl "$RPM" 2>/dev/null | sort >"$WORK/files"
printf '%s\n' "${expected[@]}" | sort >"$WORK/expected"
diff -u "$WORK/expected" "$WORK/files" >"$WORK/files.diff" || { cat "$WORK/files.diff"; fail "rpm -qpl differs from the install rules"; }
# The documentation is marked as such, so that --excludedocs leaves it out,
# and the copyright file as the licence.
docs=$(rpm -qpd "$RPM" 2>/dev/null)
for f in "$share/man/man1/paltsekhod.1.gz" "$share/doc/paltsekhod/changelog.gz" "$share/doc/paltsekhod/copyright"; do
    grep -qx "$f" <<<"$docs" || fail "$f is not marked as documentation"
done
rpm -qpL "$RPM" 2>/dev/null | grep -qx "$share/doc/paltsekhod/copyright" || fail "the copyright file is not marked as the licence"

# The executable carries no debug information and no symbol table.
mkdir -p "$WORK/unpacked"
(cd "$WORK/unpacked" && rpm2cpio "$RPM" | cpio -id --quiet) || fail "rpm2cpio | cpio"
exe=$WORK/unpacked/usr/bin/paltsekhod
file -b "$exe" | grep -q ', stripped' || fail "the executable is $(file -b "$exe")"
readelf -S "$exe" | grep -qE '\.debug_|\.symtab' && fail "the executable has debug or symbol sections"

# The requirements: rpmbuild's, from what the executable links, and the sound
# server's client library, which the program opens at run time. Every libQt6
# soname the executable needs is required by soname, the three the program
# cannot run without among them; nothing else is named by hand.
requires=$(rpm -qpR "$RPM" 2>/dev/null)
echo "Requires:"; sed 's/^/  /' <<<"$requires"
suffix=""
[ "$(rpm --eval '%{__isa_bits}')" = 64 ] && suffix="(64bit)"
needed=$(readelf -d "$exe" | sed -n 's/.*(NEEDED).*\[\(libQt6[^]]*\)\]/\1/p')
for lib in libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6; do
    grep -qx "$lib" <<<"$needed" || fail "the executable does not link $lib"
done
grep -qxF "libpulse.so.0()$suffix" <<<"$requires" || fail "Requires lacks libpulse.so.0()$suffix"
for lib in $needed; do
    grep -qxF "$lib()$suffix" <<<"$requires" || fail "Requires lacks $lib()$suffix"
done
while read -r req; do
    case $req in
        lib*.so*|ld-linux*.so*|rpmlib\(*|rtld\(*) ;;
        *) fail "a requirement not found by rpmbuild: '$req'" ;;
    esac
done <<<"$requires"
recommends=$(rpm -qp --recommends "$RPM" 2>/dev/null)
grep -qx "libQt6WaylandClient.so.6()$suffix" <<<"$recommends" || fail "Recommends is '$recommends'"

# Install into a scratch root with its own database, check, erase.
ROOT=$WORK/root
mkdir -p "$ROOT"
# Debian's rpm refuses to install into the system's own root unless told to;
# a scratch root is what --force-debian is for, where the option exists.
force=()
rpm --help 2>&1 | grep -q -- --force-debian && force=(--force-debian)
rpm --root "$ROOT" --initdb || stop "rpm --initdb"
rpm -i --nodeps "${force[@]}" --root "$ROOT" "$RPM" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; stop "rpm -i --nodeps --root"; }
[ "$(rpm --root "$ROOT" -q --qf '%{VERSION}' paltsekhod)" = "$VERSION" ] || fail "the scratch database does not list paltsekhod $VERSION"
rpm --root "$ROOT" --import "$WORK/signer.asc" || fail "rpm --import"
for package in "$RPM" "$SRPM"; do
    check=$(rpm --root "$ROOT" -K "$package" 2>&1)
    grep -q 'signatures OK' <<<"$check" || fail "rpm -K: $check"
done
for f in "${expected[@]}"; do [ -e "$ROOT$f" ] || fail "$f was not installed"; done
[ -x "$ROOT/usr/bin/paltsekhod" ] || fail "/usr/bin/paltsekhod is not executable"
cmp -s "$ROOT/usr/bin/paltsekhod" "$exe" || fail "the installed executable differs from the packaged one"
verify=$(rpm --root "$ROOT" -V --nodeps paltsekhod 2>&1) || fail "rpm -V: $verify"
echo "[$SECONDS s] installed into $ROOT"
rpm -e --nodeps "${force[@]}" --root "$ROOT" paltsekhod >>"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "rpm -e"; }
[ -e "$ROOT/usr/bin/paltsekhod" ] && fail "/usr/bin/paltsekhod left behind by rpm -e"

[ $failures -eq 0 ] || exit 1
echo "[$SECONDS s] RPM packages OK"
