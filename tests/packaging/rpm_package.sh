#!/usr/bin/env bash
# Builds the RPM package with CPack, signs it with a scratch key as a
# distribution's build service would, and checks it: rpmlint finds no error;
# its name, version, licence and Russian and English texts; it holds exactly
# the files the install rules put in place; it requires the Qt 6 libraries the
# executable links, by soname, and nothing named by hand; the executable is
# stripped. Then it installs it into a scratch RPM database and root
# (rpm --root --initdb, rpm -i --nodeps), checks the signature, verifies and
# erases it there. Exits 77 (skipped) without rpmbuild, rpmlint or gpg.
# Usage: rpm_package.sh BUILD_DIR VERSION APP_ID ICON WORK_DIR RPMLINTRC
set -u
export LC_ALL=C.UTF-8
BUILD=$1 VERSION=$2 APP_ID=$3 ICON=$4 WORK=$(realpath -m "$5") RPMLINTRC=$6

skip() { echo "SKIP: $*"; exit 77; }
for tool in cpack rpm rpmbuild rpmsign rpmlint rpm2cpio cpio readelf file gpg gpgconf; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup --test installs it)"
done
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
stop() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK"
export GNUPGHOME=$WORK/gnupg
trap 'gpgconf --kill gpg-agent 2>/dev/null' EXIT

cpack -G RPM --config "$BUILD/CPackConfig.cmake" -B "$WORK" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; stop "cpack"; }
rpms=("$WORK"/paltsekhod-*.rpm)
{ [ ${#rpms[@]} -eq 1 ] && [ -f "${rpms[0]}" ]; } || stop "cpack made ${rpms[*]}"
RPM=${rpms[0]}
arch=$(rpm --eval '%{_arch}')
[ "${RPM##*/}" = "paltsekhod-$VERSION-1.$arch.rpm" ] || fail "the package is ${RPM##*/}"
echo "[$SECONDS s] built ${RPM##*/}"

# Signed with a key of its own, made for this run.
mkdir -m 700 "$GNUPGHOME"
SIGNER="Paltsekhod test signer <test@paltsekhod.invalid>"
gpg --batch --quiet --passphrase '' --quick-gen-key "$SIGNER" ed25519 sign never >"$WORK/gpg.log" 2>&1 ||
    { cat "$WORK/gpg.log"; stop "gpg --quick-gen-key"; }
gpg --batch --armor --export "$SIGNER" >"$WORK/signer.asc"
rpmsign --addsign --define "_gpg_name $SIGNER" --define "__gpg $(command -v gpg)" "$RPM" >"$WORK/sign.log" 2>&1 ||
    { cat "$WORK/sign.log"; stop "rpmsign --addsign"; }

# rpmlint: no errors; the warnings are printed for the record. Its
# signature check (rpm -K) trusts the scratch key through a key database of
# its own, named in the ~/.rpmmacros of a home made for it.
mkdir -p "$WORK/home"
echo "%_dbpath $WORK/keys" >"$WORK/home/.rpmmacros"
{ rpm --dbpath "$WORK/keys" --initdb && rpm --dbpath "$WORK/keys" --import "$WORK/signer.asc"; } ||
    stop "a key database for rpmlint"
HOME=$WORK/home rpmlint -r "$RPMLINTRC" --ignore-unused-rpmlintrc "$RPM" >"$WORK/rpmlint.log" 2>&1
status=$?
cat "$WORK/rpmlint.log"
{ [ $status -eq 0 ] && ! grep -q ': E: ' "$WORK/rpmlint.log"; } || fail "rpmlint reports errors (status $status)"

# The header.
tag() { rpm -qp --qf "%{$1}" "$RPM" 2>/dev/null; }
[ "$(tag NAME)" = paltsekhod ] || fail "Name is '$(tag NAME)'"
[ "$(tag VERSION)" = "$VERSION" ] || fail "Version is '$(tag VERSION)', not $VERSION"
[[ "$(tag LICENSE)" == GPL-3.0-or-later* ]] || fail "License is '$(tag LICENSE)'"
[ "$(tag URL)" != "(none)" ] || fail "no URL"
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
# The documentation is marked as such, so that --excludedocs leaves it out.
docs=$(rpm -qpd "$RPM" 2>/dev/null)
for f in "$share/man/man1/paltsekhod.1.gz" "$share/doc/paltsekhod/copyright"; do
    grep -qx "$f" <<<"$docs" || fail "$f is not marked as documentation"
done

# The requirements: rpmbuild's, from what the executable links, and the sound
# server's client library, which the program opens at run time. Every libQt6
# soname the built executable needs is required by soname, the three the
# program cannot run without among them; nothing else is named by hand.
requires=$(rpm -qpR "$RPM" 2>/dev/null)
echo "Requires:"; sed 's/^/  /' <<<"$requires"
suffix=""
[ "$(rpm --eval '%{__isa_bits}')" = 64 ] && suffix="(64bit)"
needed=$(readelf -d "$BUILD/bin/paltsekhod" | sed -n 's/.*(NEEDED).*\[\(libQt6[^]]*\)\]/\1/p')
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

# The executable carries no debug information and no symbol table.
mkdir -p "$WORK/unpacked"
(cd "$WORK/unpacked" && rpm2cpio "$RPM" | cpio -id --quiet) || fail "rpm2cpio | cpio"
exe=$WORK/unpacked/usr/bin/paltsekhod
file -b "$exe" | grep -q ', stripped' || fail "the executable is $(file -b "$exe")"
readelf -S "$exe" | grep -qE '\.debug_|\.symtab' && fail "the executable has debug or symbol sections"

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
check=$(rpm --root "$ROOT" -K "$RPM" 2>&1)
grep -q 'signatures OK' <<<"$check" || fail "rpm -K: $check"
for f in "${expected[@]}"; do [ -e "$ROOT$f" ] || fail "$f was not installed"; done
[ -x "$ROOT/usr/bin/paltsekhod" ] || fail "/usr/bin/paltsekhod is not executable"
cmp -s "$ROOT/usr/bin/paltsekhod" "$exe" || fail "the installed executable differs from the packaged one"
verify=$(rpm --root "$ROOT" -V --nodeps paltsekhod 2>&1) || fail "rpm -V: $verify"
echo "[$SECONDS s] installed into $ROOT"
rpm -e --nodeps "${force[@]}" --root "$ROOT" paltsekhod >>"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "rpm -e"; }
[ -e "$ROOT/usr/bin/paltsekhod" ] && fail "/usr/bin/paltsekhod left behind by rpm -e"

[ $failures -eq 0 ] || exit 1
echo "[$SECONDS s] RPM package OK"
