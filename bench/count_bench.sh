#!/usr/bin/env bash
# Times quorvel-count with default settings on a 43 MB text (ten copies of the King James
# Bible) against two baselines measured in the same run on the same file: `wc -w`, and the
# classic word-frequency pipeline tr | tr | sort | uniq -c | sort -rn. Prints the times, the
# ratios and the counter's peak memory; then times a docx document holding 1 MB of text.
#
#   bench/count_bench.sh [COUNTER]      (default: build/bin/quorvel-count)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
counter=${1:-$root/build/bin/quorvel-count}
corpus=${QD_BENCH_CORPUS:-/tmp/qd-corpus/kjvbible_x10.txt}
runs=${QD_BENCH_RUNS:-3}

[ -x "$counter" ] || { echo "No counter at $counter: build first (scripts/build)." >&2; exit 1; }
if [ ! -x /usr/bin/time ]; then
    sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get install -y -qq time >/dev/null
fi
[ -s "$corpus" ] || /work/shared/corpus/make-kjv10 "$corpus"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# best_of CMD...: runs the command $runs times; prints the best wall time and the peak RSS
# (KB) of that run.
best_of() {
    local best="" rss="" line t m
    for _ in $(seq "$runs"); do
        line=$( { /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null || true; } | tail -n 1)
        t=${line% *}
        m=${line#* }
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best=$t
            rss=$m
        fi
    done
    echo "$best $rss"
}

cat "$corpus" >/dev/null # warm the page cache for every contender alike
bytes=$(stat -c %s "$corpus")
read -r t_count rss_count < <(best_of "$counter" "$corpus")
read -r t_wc _ < <(best_of wc -w "$corpus")
pipeline="tr -cs 'A-Za-z' '\n' < '$corpus' | tr 'A-Z' 'a-z' | sort | uniq -c | sort -rn"
read -r t_pipe _ < <(best_of bash -c "$pipeline")
# The C locale gives the pipeline its fastest sort: shown beside it for reference.
read -r t_pipe_c _ < <(best_of env LC_ALL=C bash -c "$pipeline")

# A docx document with 1 MB of text from the same corpus.
python3 - "$corpus" "$work/text.docx" <<'PY'
import sys, zipfile
from xml.sax.saxutils import escape
with open(sys.argv[1], encoding="latin-1") as f:
    text = f.read(1 << 20)
paras = "".join(f'<w:p><w:r><w:t xml:space="preserve">{escape(p)}</w:t></w:r></w:p>'
                for p in text.split("\n\n"))
doc = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
       '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
       f'<w:body>{paras}</w:body></w:document>')
with zipfile.ZipFile(sys.argv[2], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types/>')
    z.writestr("word/document.xml", doc)
PY
read -r t_docx rss_docx < <(best_of "$counter" "$work/text.docx")
docx_status=0
"$counter" "$work/text.docx" >/dev/null 2>&1 || docx_status=$?

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "inf" }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }

echo "corpus: $corpus ($bytes bytes), best of $runs runs"
printf '  %-28s %7s s   peak RSS %s\n' "quorvel-count" "$t_count" "$(mb "$rss_count")"
printf '  %-28s %7s s\n' "wc -w" "$t_wc"
printf '  %-28s %7s s   (locale %s)\n' "tr | sort | uniq -c | sort" "$t_pipe" \
    "${LC_ALL:-${LC_COLLATE:-${LANG:-C}}}"
printf '  %-28s %7s s   (locale C)\n' "the same pipeline" "$t_pipe_c"
echo "ratios"
printf '  quorvel-count / wc -w        %6s   (aim: at most 2)\n' "$(ratio "$t_count" "$t_wc")"
printf '  pipeline / quorvel-count     %6s   (aim: at least 10)\n' "$(ratio "$t_pipe" "$t_count")"
printf '  the same in locale C         %6s\n' "$(ratio "$t_pipe_c" "$t_count")"
printf '  peak RSS                     %s   (aim: below 32 MB)\n' "$(mb "$rss_count")"
echo "docx with 1 MB of text"
printf '  quorvel-count %s s, peak RSS %s   (aim: under 1 s)\n' "$t_docx" "$(mb "$rss_docx")"
[ "$docx_status" -eq 0 ] || echo "  (the counter did not list the document: exit status $docx_status)"
