#!/usr/bin/env bash
# Peak memory of the game (GNU time's maximum resident set size) on the shipped story:
#
#   1. a game of 10 commands, the baseline;
#   2. games of COMMANDS (default 1,000,000) and COMMANDS / 10 piped commands of a mix that
#      stays in the start room: every kind of command, refused moves, unknown words, empty lines,
#      lines of 300 to 2,000 bytes; memory must be the same for both sizes;
#   3. a single input line of LINE_MIB (default 1024) MiB without a line feed, "take key"
#      followed by that many bytes, piped in as it is generated: memory must stay at the
#      baseline, and the answer must be exactly that of the same line cut to 25 bytes.
#
# Usage: tools/memory_check.sh [BUILD_DIR]   (default: build in the repository)
# Needs GNU time (/usr/bin/time, Debian package time), awk, head and tr.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
game=$build/derelict
commands=${COMMANDS:-1000000}
lineMib=${LINE_MIB:-1024}
[ -x "$game" ] || { echo "memory_check: $game is missing" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "memory_check: GNU time (/usr/bin/time) is missing" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/data/Display.txt" "$work/Display.txt"
cd "$work"

# The mix: enter at the introduction's pause, then `n` commands, then exit and enter.
commandsOf() {
  awk -v n="$1" 'BEGIN {
    srand(12345)
    split("look|help|inventory|use comm|use medpac|take medpac|take key|take rifle|take book|" \
          "take egg|shoot|south|Look|exit now|take|use|take |use |vorzk?|north!|  ", words, "|")
    count = length(words)
    print ""
    for (i = 0; i < n; i++) {
      r = int(rand() * (count + 3))
      if (r < count) print words[r + 1]
      else if (r == count) print ""
      else {
        line = "take key"
        len = 300 + int(rand() * 1700)
        while (length(line) < len) line = line "xyzzy plugh "
        print line
      }
    }
    print "exit"
    print ""
  }'
}

# Runs the game on standard input, output to a file; prints the peak memory in KiB.
peak() {
  /usr/bin/time -f %M -o "$work/rss" "$game" >"$work/out" 2>"$work/err"
  cat "$work/rss"
}

baseline=$(commandsOf 10 | peak)
echo "10 commands: peak ${baseline} KiB"
tenth=$(commandsOf $((commands / 10)) | peak)
echo "$((commands / 10)) commands: peak ${tenth} KiB"
start=$(date +%s)
full=$(commandsOf "$commands" | peak)
echo "$commands commands: peak ${full} KiB ($(($(date +%s) - start)) s, $(wc -c <"$work/out") bytes out)"
grep -q "Press enter to exit $" "$work/out" || { echo "memory_check: the long game did not end" >&2; exit 1; }
played=$(grep -c "^Not a valid command\.$" "$work/out" || true)
echo "  unknown-command answers in it: $played"

start=$(date +%s)
huge=$( { printf '\ntake key'; head -c $((lineMib * 1024 * 1024)) /dev/zero | tr '\0' y; } | peak)
echo "one line of $lineMib MiB without a line feed: peak ${huge} KiB ($(($(date +%s) - start)) s)"
mv "$work/out" "$work/huge.out"
printf '\ntake key%s' "$(head -c 17 /dev/zero | tr '\0' y)" | "$game" >"$work/short.out" 2>/dev/null
if cmp -s "$work/huge.out" "$work/short.out"; then
  echo "  answered exactly as the line cut to 25 bytes"
else
  echo "memory_check: the long line was answered differently" >&2
  exit 1
fi
