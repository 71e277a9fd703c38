# Shared by the benchmark scripts (sourced): CPU time and peak memory of one command, the
# median of a column of figures and the ratio of two. Needs $work, a scratch folder.

# cpu CMD...: runs the command once; prints its CPU seconds (user + system) and peak RSS (KB).
cpu() {
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
    awk '{ printf "%.3f %d\n", $1 + $2, $3 }' "$work/time"
}
# timed CMD...: as cpu, with the wall-clock seconds first.
timed() {
    local start end
    start=$(date +%s.%N)
    /usr/bin/time -f "%U %S %M" -o "$work/time" "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" '{ printf "%.3f %.3f %d\n", e - s, $1 + $2, $3 }' "$work/time"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "inf" }'; }
