# Sourced by the latency scripts.
# latency_summary FILE DECIMALS: of the times in FILE, one a line ("-" for a
# key that got no answer), "| answered of all | median | worst |", in ms
# with DECIMALS places.
latency_summary() {
    grep -v -- - "$1" | sort -g | awk -v n="$(wc -l <"$1")" -v d="$2" '
        { v[NR] = $1 }
        END {
            if (NR == 0) { printf "| 0 of %d | - | - |\n", n; exit }
            median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "| %d of %d | %.*f | %.*f |\n", NR, n, d, median, d, v[NR] }'
}
