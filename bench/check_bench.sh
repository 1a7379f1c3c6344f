#!/usr/bin/env bash
# Measures 'torvik-cli check' on a large lookup file against an awk script that makes the
# same checks of every line (its length, its fields and their lengths, a key seen before):
# the time of each, best of three, and their ratio. Prints; judges nothing. Needs
# `make native` first, or TORVIK_CLI pointing at another build of torvik-cli.
# Usage: bench/check_bench.sh [MEGABYTES]   (default 50)
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
megabytes=${1:-50}
cli=${TORVIK_CLI:-$top/build/native/torvik-cli}
design_tool=$top/build/native/tools/terminal_peer/default_image
for tool in "$cli" "$design_tool"; do
  [ -x "$tool" ] || { echo "missing $tool (run make native)"; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The design's lookup 1: tab-delimited articles, a key of 13, a name of 30, a price of 8.
"$design_tool" --full "$work/design.tvx" "$work/image.bin" || exit 2
# Articles in CR LF lines; one line in a thousand breaks a rule (a name too long or a key again).
LC_ALL=C awk -v bytes=$((megabytes * 1000000)) 'BEGIN {
  for (i = 1; total < bytes; ++i) {
    if (i % 1000 == 0) line = sprintf("%013d\tArticle %d with a name much too long for it\t%d.%02d", i - 1, i, i % 999, i % 100)
    else line = sprintf("%013d\tArticle %d of the shop\t%d.%02d", i, i, i % 999, i % 100)
    printf "%s\r\n", line
    total += length(line) + 2
  }
}' > "$work/articles.txt"
size=$(stat -c %s "$work/articles.txt")
lines=$(tr -cd '\r' < "$work/articles.txt" | wc -c)

# The same checks as check makes of a lookup line, for lookup 1; KEYS=0 leaves out the keys
# seen before, which cost awk most of its time.
awk_check() {
  LC_ALL=C awk -v RS='\r' -F'\t' -v keys="${KEYS:-1}" '
    { sub(/\n/, "") }
    $0 == "" { next }  # the end of the file after its last CR LF
    length($0) > 253 { ++n; next }
    NF != 3 { ++n }
    length($1) > 13 { ++n }
    length($2) > 30 { ++n }
    length($3) > 8 { ++n }
    keys && NF == 3 && seen[$1]++ { ++n }
    END { print n + 0 }' "$work/articles.txt"
}
cli_check() {
  "$cli" check --quiet "$work/design.tvx" --lookup "1=$work/articles.txt"
}

# best_of_three NAME FUNCTION: the shortest wall time of three runs and the shortest processor
# time (user + system), both in ms, as "WALL CPU"; the output in $work/NAME.out. On a busy
# machine the processor time is the steadier of the two.
best_of_three() {
  local best_wall= best_cpu=
  for _ in 1 2 3; do
    local TIMEFORMAT='%R %U %S' timing wall cpu
    timing=$( { time "$2" > "$work/$1.out"; } 2>&1 )
    read -r wall cpu <<<"$(awk '{ printf "%d %d", $1 * 1000, ($2 + $3) * 1000 }' <<<"$timing")"
    if [ -z "$best_wall" ] || [ "$wall" -lt "$best_wall" ]; then best_wall=$wall; fi
    if [ -z "$best_cpu" ] || [ "$cpu" -lt "$best_cpu" ]; then best_cpu=$cpu; fi
  done
  echo "$best_wall $best_cpu"
}

read -r cli_ms cli_cpu <<<"$(best_of_three cli cli_check)"
read -r awk_ms awk_cpu <<<"$(best_of_three awk awk_check)"
read -r awk_nokeys_ms awk_nokeys_cpu <<<"$(KEYS=0 best_of_three awk_nokeys awk_check)"
design_only=$("$cli" check --quiet "$work/design.tvx")
echo "lookup file: $size bytes, $lines lines"
echo "torvik-cli check: ${cli_ms} ms (processor ${cli_cpu} ms), $(( $(cat "$work/cli.out") - design_only )) findings in the file ($cli)"
echo "awk ($(readlink -f "$(command -v awk)")): ${awk_ms} ms (processor ${awk_cpu} ms), $(cat "$work/awk.out") findings"
echo "awk without the keys seen before: ${awk_nokeys_ms} ms (processor ${awk_nokeys_cpu} ms), $(cat "$work/awk_nokeys.out") findings"
awk -v c="$cli_ms" -v a="$awk_ms" -v b="$awk_nokeys_ms" -v cc="$cli_cpu" -v ac="$awk_cpu" -v bc="$awk_nokeys_cpu" '
  function ratio(x, y) { return y > 0 ? x / y : 0 }
  BEGIN {
    printf "ratio torvik-cli / awk: %.2f (processor %.2f)\n", ratio(c, a), ratio(cc, ac)
    printf "ratio torvik-cli / awk without the keys: %.2f (processor %.2f)\n", ratio(c, b), ratio(cc, bc)
  }'
