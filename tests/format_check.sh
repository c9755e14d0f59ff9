#!/usr/bin/env bash
# The C++ sources keep the style of .clang-format: clang-format would change
# nothing in them. Prints the first differences and fails where it would.
# Formatting differs between clang-format versions: the check uses one of
# the versions the style is known to hold with (the ones .clang-format
# names), and is skipped (77) where none is installed.
# Usage: format_check.sh SOURCE_DIR
set -u
top=$1
versions=$(sed -n 's/^# Checked with clang-format: //p' "$top/.clang-format")
tool=""
for version in $versions; do
    for candidate in clang-format-"$version" clang-format; do
        if command -v "$candidate" >/dev/null && "$candidate" --version | grep -q "version $version\\."; then
            tool=$candidate
            break 2
        fi
    done
done
[ -n "$tool" ] || { echo "SKIP: no clang-format of a version the style is known to hold with ($versions)"; exit 77; }
cd "$top" || exit 1
mapfile -t files < <(find app bench dialogs display engine platform random sound tests tools widgets \
    -name build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
# One run over all of them: each place that would change is a warning.
out=$("$tool" --style=file --dry-run --Werror "${files[@]}" 2>&1)
if [ -n "$out" ]; then
    head -40 <<<"$out"
    bad=$(grep -oE '^[^:]+\.(cpp|h):[0-9]+:[0-9]+: (warning|error)' <<<"$out" | cut -d: -f1 | sort -u | wc -l)
    echo "FAIL: $bad of ${#files[@]} files are not in the style of .clang-format (clang-format -i fixes them)"
    exit 1
fi
echo "format: ${#files[@]} files in the style of .clang-format ($tool)"
