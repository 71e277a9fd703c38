#!/usr/bin/env bash
# A text of very many distinct words (default 1,000,000 of 5 to 10 letters, each once, in a
# random order), counted by quorvel-count with default settings against the C-locale
# pipeline tr -cs 'A-Za-z' '\n' | sort | uniq -c | sort -rn. CPU seconds (user + system,
# children included), medians of paired rounds, and the counter's peak memory per distinct
# word beyond the base it takes on a one-word text.
#
#   bench/vocab_bench.sh [WORDS [ROUNDS]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
counter=${QD_COUNT_BINARY:-$root/build/bin/quorvel-count}
words=${1:-1000000}
rounds=${2:-5}

[ -x "$counter" ] || { echo "No counter at $counter: build first (scripts/build)." >&2; exit 1; }
[ -x /usr/bin/time ] || "$root/scripts/deps" --bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text=$work/vocab.txt

python3 - "$words" "$text" <<'PY'
import random, sys
n, path = int(sys.argv[1]), sys.argv[2]
rng = random.Random(2026)
letters = "abcdefghijklmnopqrstuvwxyz"
seen = set()
while len(seen) < n:
    seen.add("".join(rng.choice(letters) for _ in range(rng.randint(5, 10))))
words = sorted(seen)
rng.shuffle(words)
with open(path, "w") as f:
    for i in range(0, n, 10):
        f.write(" ".join(words[i:i + 10]) + "\n")
PY
echo one >"$work/one.txt"

export LC_ALL=C.UTF-8
. "$root/bench/timing.sh"

pipeline="tr -cs 'A-Za-z' '\n' < '$text' | LC_ALL=C sort | uniq -c | LC_ALL=C sort -rn"
read -r _ base < <(cpu "$counter" "$work/one.txt")
cat "$text" >/dev/null
: >"$work/rows"
for _ in $(seq "$rounds"); do
    read -r c rss < <(cpu "$counter" "$text")
    read -r p _ < <(cpu bash -c "$pipeline")
    echo "$c $p $rss $(ratio "$c" "$p")" >>"$work/rows"
done
col() { awk -v k="$1" '{ print $k }' "$work/rows" | median; }

echo "text: $words distinct words, $(stat -c %s "$text") bytes; CPU seconds, median of $rounds paired rounds"
printf '  %-36s %8.3f s   peak RSS %.1f MB\n' "quorvel-count" "$(col 1)" "$(awk -v k="$(col 3)" 'BEGIN { print k / 1024 }')"
printf '  %-36s %8.3f s\n' "tr | sort | uniq -c | sort -rn (C)" "$(col 2)"
printf '  %-36s %8.3f\n' "ratio quorvel-count / pipeline" "$(col 4)"
printf '  %-36s %8.1f\n' "bytes per distinct word (peak)" \
    "$(awk -v m="$(col 3)" -v b="$base" -v n="$words" 'BEGIN { print (m - b) * 1024 / n }')"
