#!/usr/bin/env bash
# CPU time (user + system, children included) of quorvel-count with default settings on a
# large text, against `wc -w` and the classic word-frequency pipeline
# tr | tr | sort | uniq -c | sort -rn on the same file. Every contender runs under
# LC_ALL=C.UTF-8; each round runs all of them once, back to back (paired), and the medians
# over the rounds are printed with the median of the per-round ratios, so a busy machine
# disturbs both sides of a ratio alike. Also prints the counter's peak memory and the time
# of a docx document holding 1 MB of the same text. UTF-8 text is read ahead on a second
# thread: the same rounds count a UTF-8 rewriting of the text (--utf8), its "e" and "a"
# accented, read ahead and with --one-thread, and print the wall-clock medians of the two
# (and of wc -w) apart from the CPU figures: the second thread saves wall time, not CPU time.
#
#   bench/count_bench.sh [TEXT [ROUNDS]]
#     TEXT    default build/bench/kjv10.txt, made by bench/make-corpus when missing
#     ROUNDS  default 7
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
counter=${QD_COUNT_BINARY:-$root/build/bin/quorvel-count}
text=${1:-$root/build/bench/kjv10.txt}
rounds=${2:-7}

[ -x "$counter" ] || { echo "No counter at $counter: build first (scripts/build)." >&2; exit 1; }
[ -x /usr/bin/time ] || "$root/scripts/deps" --bench
[ -s "$text" ] || "$root/bench/make-corpus" "$text"
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$root/bench/timing.sh"

# A docx document with 1 MB of the text (needs python3 for zipfile; skipped without it).
docx=""
if command -v python3 >/dev/null; then
    docx=$work/text.docx
    python3 - "$text" "$docx" <<'PY'
import sys, zipfile
from xml.sax.saxutils import escape
with open(sys.argv[1], encoding="latin-1") as f:
    text = f.read(1 << 20)
paras = "".join(f'<w:p><w:r><w:t xml:space="preserve">{escape(p)}</w:t></w:r></w:p>'
                for p in text.split("\n"))
doc = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>'
       '<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
       f'<w:body>{paras}</w:body></w:document>')
with zipfile.ZipFile(sys.argv[2], "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types/>')
    z.writestr("word/document.xml", doc)
PY
fi

# The UTF-8 rewriting, of at most 20 MB of the text.
accented=$work/accented.txt
python3 - "$text" "$accented" <<'PY2'
import sys
with open(sys.argv[1], encoding="latin-1") as f:
    text = f.read(20 << 20)
with open(sys.argv[2], "w", encoding="utf-8") as f:
    f.write(text.replace("e", "\u00e9").replace("a", "\u00e4"))
PY2

pipeline="tr -cs 'A-Za-z' '\n' < '$text' | tr 'A-Z' 'a-z' | sort | uniq -c | sort -rn"
cat "$text" "$accented" >/dev/null # the page cache warmed for every contender alike
: >"$work/rows"
for round in $(seq "$rounds"); do
    read -r c rss < <(cpu "$counter" "$text")
    read -r w _ < <(cpu wc -w "$text")
    read -r p _ < <(cpu bash -c "$pipeline")
    d=0 drss=0
    [ -n "$docx" ] && read -r d drss < <(cpu "$counter" "$docx")
    # The two ways of reading the UTF-8 text take turns at going first.
    if ((round % 2)); then
        read -r aw a _ < <(timed "$counter" --utf8 "$accented")
        read -r ow o _ < <(timed "$counter" --utf8 --one-thread "$accented")
    else
        read -r ow o _ < <(timed "$counter" --utf8 --one-thread "$accented")
        read -r aw a _ < <(timed "$counter" --utf8 "$accented")
    fi
    read -r ww _ _ < <(timed wc -w "$accented")
    echo "$c $w $p $d $rss $drss $(ratio "$c" "$w") $(ratio "$p" "$c")" \
        "$a $o $aw $ow $ww $(ratio "$ow" "$aw") $(ratio "$a" "$o")" >>"$work/rows"
done
col() { awk -v k="$1" '{ print $k }' "$work/rows" | median; }

echo "text: $text ($(stat -c %s "$text") bytes); CPU seconds (user + system), median of $rounds paired rounds, LC_ALL=C.UTF-8"
printf '  %-34s %8.3f s   peak RSS %.1f MB\n' "quorvel-count" "$(col 1)" "$(awk -v k="$(col 5)" 'BEGIN { print k / 1024 }')"
printf '  %-34s %8.3f s\n' "wc -w" "$(col 2)"
printf '  %-34s %8.3f s\n' "tr | tr | sort | uniq -c | sort -rn" "$(col 3)"
printf '  %-34s %8.3f\n' "ratio quorvel-count / wc -w" "$(col 7)"
printf '  %-34s %8.3f\n' "ratio pipeline / quorvel-count" "$(col 8)"
[ -n "$docx" ] && printf '  %-34s %8.3f s   peak RSS %.1f MB\n' "docx with 1 MB of the text" \
    "$(col 4)" "$(awk -v k="$(col 6)" 'BEGIN { print k / 1024 }')"
echo "UTF-8 rewriting ($(stat -c %s "$accented") bytes), read ahead and not; medians of the same rounds"
printf '  %-34s wall %6.3f s   CPU %6.3f s\n' "quorvel-count (read ahead)" "$(col 11)" "$(col 9)"
printf '  %-34s wall %6.3f s   CPU %6.3f s\n' "quorvel-count --one-thread" "$(col 12)" "$(col 10)"
printf '  %-34s wall %6.3f s\n' "wc -w" "$(col 13)"
printf '  %-34s %8.3f\n' "ratio wall one thread / two" "$(col 14)"
printf '  %-34s %8.3f\n' "ratio CPU two threads / one" "$(col 15)"
exit 0
