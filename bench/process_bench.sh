#!/usr/bin/env bash
# Whole-process benchmark of the game on the shipped story:
#
#   1. generates COMMANDS piped commands of a realistic mix that walks between the start room
#      and five neighbouring rooms without an alien, so that the player never dies and never
#      reaches the final room, and checks that the game played every one of them;
#   2. counts the game's write system calls under strace and compares them with the flush points
#      that bench/flush_points.pl derives from the game's rules for the same input (every end of
#      line, every read that finds output pending, every write to standard error that does), for
#      the mix and for each kind of command on its own;
#   3. times the game (wall, user and system time, peak resident memory, by GNU time) against the
#      floor, bench/floor.cpp, which replays the game's captured output with one write(2) at each
#      of the game's write boundaries, and reports the median of RUNS runs of each.
#
# Usage: bench/process_bench.sh [BUILD_DIR]
#   BUILD_DIR is a build configured with -DDERELICT_BENCH=ON (default: build-bench in the
#   repository). Environment: COMMANDS (default 1000000), RUNS (7), KIND_COMMANDS (1000),
#   OUTPUT=null (standard output to /dev/null, the default) or OUTPUT=pipe (through a pipe to cat).
# Needs strace, GNU time (/usr/bin/time) and perl.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build-bench}" && pwd)
commands=${COMMANDS:-1000000}
runs=${RUNS:-7}
kindCommands=${KIND_COMMANDS:-1000}
output=${OUTPUT:-null}
game=$build/derelict
floor=$build/bench/derelict_floor
model=$here/flush_points.pl

for tool in strace perl; do
  command -v "$tool" >/dev/null || { echo "process_bench: $tool is missing" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "process_bench: GNU time (/usr/bin/time) is missing" >&2; exit 2; }
for program in "$game" "$floor"; do
  [ -x "$program" ] || { echo "process_bench: $program is missing; build with -DDERELICT_BENCH=ON" >&2; exit 2; }
done
case $output in null | pipe) ;; *) echo "process_bench: OUTPUT is null or pipe" >&2; exit 2 ;; esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/data/Display.txt" "$work/"
cd "$work"

# The mix, one command a line, played in a cycle from the start room [2][3]. Moves go only
# between [2][3], [3][3], [4][3], [1][3], [0][3] and [2][2]; none of them has an alien.
cat >mix.txt <<'EOF'
look
inventory
help
take medpac
use medpac
use comm
take key
shoot
open hatch
south
east
look
take book
shoot
east
look
use comm
west
west
west
look
take medpac
use medpac
west
look
inventory
east
east
north
look
use comm
north
take rifle
south

take
use
help
LOOK
exit now
EOF

# generate COUNT FILE LINES...: the pause line, COUNT commands taken in turn from LINES, then
# "exit" and the line for the final pause.
generate() {
  local count=$1 file=$2
  shift 2
  perl -e 'my $n = shift; my @c = @ARGV; print "\n";
           if (@c) { print $c[$_ % @c], "\n" for 0 .. $n - 1 } print "exit\n\n";' \
    "$count" "$@" >"$file"
}

mapfile -t mix <mix.txt
generate "$commands" input.txt "${mix[@]}"

# traceGame INPUT OUTPUT TRACE: runs the game under strace, its standard error dropped; prints
# the numbers of write calls on standard output and on standard error.
traceGame() {
  strace -qq -e trace=write,writev,pwrite64,pwritev,pwritev2 -e signal=none -s 0 -o "$3" \
    "$game" <"$1" >"$2" 2>/dev/null
  if grep -Eqv '^write\([12], ' "$3"; then
    echo "process_bench: the game made other write calls than write(2) on fd 1 and 2:" >&2
    grep -Ev '^write\([12], ' "$3" | sort | uniq -c | head >&2
    exit 1
  fi
  echo "$(grep -c '^write(1, ' "$3" || true) $(grep -c '^write(2, ' "$3" || true)"
}

field() { sed -n "s/.*\\b$1=\\([0-9.]*\\).*/\\1/p" <<<"$2"; }

echo "== Input: $commands commands of a ${#mix[@]}-command mix ($(wc -c <input.txt) bytes)"
modelLine=$(perl "$model" Display.txt input.txt)
played=$(field commands "$modelLine")
if [ "$played" != "$commands" ]; then
  echo "process_bench: by the game's rules only $played of $commands commands are played" >&2
  exit 1
fi

echo "== Write calls (strace)"
read -r writes errWrites <<<"$(traceGame input.txt out.txt trace.txt)"
sed -n 's/^write(1, [^)]*) *= \([0-9]*\)$/\1/p' trace.txt >lengths.txt
[ "$(wc -l <lengths.txt)" = "$writes" ] || { echo "process_bench: a write was short or failed" >&2; exit 1; }
"$game" <input.txt >plain.txt
cmp -s out.txt plain.txt || { echo "process_bench: the output differs under strace" >&2; exit 1; }
invalid=$(grep -c -x 'Not a valid command.' out.txt || true)
# The commands between the pause line and the closing "exit" that match no command word.
expectedInvalid=$(perl -e 'my @l = <>; print scalar grep { !/^(look|east|west|north|south|inven|vorzk|take|help|use|shoot)/ } @l[1 .. $#l - 2]' input.txt)
if grep -q "You feel your life slip away" out.txt || [ "$invalid" != "$expectedInvalid" ] ||
  [ "$(tail -c 43 out.txt)" != $'\nThanks for playing!\n\n\nPress enter to exit ' ]; then
  echo "process_bench: the game did not play the whole input to its farewell" >&2
  exit 1
fi
flushPoints=$(field flush_points "$modelLine")
endsOfLine=$(field ends_of_line "$modelLine")
noNewline=$(perl -e 'open(my $o, "<:raw", $ARGV[0]) or die; local $/; my $t = <$o>;
                     open(my $l, "<", $ARGV[1]) or die; my ($at, $n) = (0, 0);
                     while (<$l>) { $at += $_; $n++ if substr($t, $at - 1, 1) ne "\n" } print $n' \
  out.txt lengths.txt)
outBytes=$(wc -c <out.txt)
printf '%s\n' "game writes:             $writes (write(2) on standard output; $errWrites on standard error; no other write calls)" \
  "flush points (model):    $flushPoints ($endsOfLine ends of line, $(field prompt_flushes "$modelLine") prompts with output pending, $(field error_flushes "$modelLine") before standard error)" \
  "writes not ending in a newline: $noNewline" \
  "output bytes:            $outBytes"
awk -v w="$writes" -v f="$flushPoints" -v e="$endsOfLine" -v c="$commands" -v b="$outBytes" 'BEGIN {
  printf "writes per flush point:  %.4f\nwrites per end of line:  %.4f\nwrites per command:      %.4f\nbytes per write:         %.1f\n", w / f, w / e, w / c, b / w }'
if [ "$writes" -gt "$flushPoints" ]; then
  echo "SUSPICIOUS: more write calls than flush points"
elif [ "$writes" -lt "$flushPoints" ]; then
  echo "SUSPICIOUS: fewer write calls than flush points: an end of line or a prompt was not flushed"
fi

echo
echo "== Write calls per command, by kind ($kindCommands commands of one kind; the start and end of the game subtracted)"
generate 0 base.txt
read -r baseWrites _ <<<"$(traceGame base.txt /dev/null base.trace)"
baseModel=$(field flush_points "$(perl "$model" Display.txt base.txt)")
printf '| %-22s | %14s | %16s | %14s | %16s |\n' "command" "writes/command" "flush points/cmd" "stderr writes" "model stderr" \
  "---" "---" "---" "---" "---"
kind() {
  local label=$1
  shift
  generate "$kindCommands" kind.txt "$@"
  local w e modelKind
  read -r w e <<<"$(traceGame kind.txt /dev/null kind.trace)"
  modelKind=$(perl "$model" Display.txt kind.txt)
  awk -v l="$label" -v w="$w" -v e="$e" -v m="$(field flush_points "$modelKind")" \
    -v me="$(field stderr_writes "$modelKind")" -v bw="$baseWrites" -v bm="$baseModel" -v k="$kindCommands" \
    'BEGIN { printf "| %-22s | %14.3f | %16.3f | %14d | %16d |%s\n", l, (w - bw) / k, (m - bm) / k, e, me,
             (w != m || e != me ? " SUSPICIOUS" : "") }'
}
kind "look" look
kind "east, west (arrivals)" east west
kind "south (refused)" south
kind "inventory" inventory
kind "take medpac" "take medpac"
kind "take book" "take book"
kind "use comm" "use comm"
kind "use medpac" "use medpac"
kind "shoot" shoot
kind "help" help
kind "invalid line" "open hatch"
kind "empty line" ""
kind "vorzk (stack errors)" vorzk

echo
echo "== Time and memory: median of $runs runs, standard output to $([ "$output" = null ] && echo /dev/null || echo 'a pipe to cat')"
# run LABEL PROGRAM...: one run, input piped from cat; appends "wall user sys rss" to LABEL.time
# and the floor's own report of its replay, if any, to LABEL.replay.
run() {
  local label=$1
  shift
  if [ "$output" = null ]; then
    cat input.txt | /usr/bin/time -f '%e %U %S %M' -o time.tmp "$@" >/dev/null 2>replay.tmp
  else
    cat input.txt | /usr/bin/time -f '%e %U %S %M' -o time.tmp "$@" 2>replay.tmp | cat >/dev/null
  fi
  cat time.tmp >>"$label.time"
  if grep -q '^replay ' replay.tmp; then
    local r
    r=$(grep '^replay ' replay.tmp)
    echo "$(field wall_s "$r") $(field user_s "$r") $(field sys_s "$r") $(field start_rss_kb "$r")" >>"$label.replay"
  fi
}
for _ in $(seq "$runs"); do
  run game "$game"
  run floor "$floor" out.txt lengths.txt
  run ostream "$floor" out.txt lengths.txt --ostream
done

# stats FILE: median, minimum and maximum of wall, user, sys, user+sys and the peak memory.
stats() {
  awk '{ w[NR] = $1; u[NR] = $2; s[NR] = $3; c[NR] = $2 + $3; m[NR] = $4 }
       function med(a, n,   i, j, t) { for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
                                      return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2 }
       function lo(a, n,   i, x) { x = a[1]; for (i = 2; i <= n; i++) if (a[i] < x) x = a[i]; return x }
       function hi(a, n,   i, x) { x = a[1]; for (i = 2; i <= n; i++) if (a[i] > x) x = a[i]; return x }
       END { printf "%.3f %.3f %.3f %.3f %.3f %.3f %.3f %d\n", med(w, NR), lo(w, NR), hi(w, NR), med(u, NR), med(s, NR), med(c, NR), lo(c, NR), med(m, NR) }' "$1"
}
row() {
  read -r w wlo whi u s c clo m <<<"$(stats "$2")"
  printf '| %-36s | %6.3f (%.3f-%.3f) | %6.3f | %6.3f | %6.3f | %10s |\n' "$1" "$w" "$wlo" "$whi" "$u" "$s" "$c" "$m"
}
printf '| %-36s | %21s | %6s | %6s | %6s | %10s |\n' "program" "wall s (min-max)" "user s" "sys s" "cpu s" "peak KiB" \
  "---" "---" "---" "---" "---" "---"
row "game (whole process)" game.time
row "floor: write(2) replay" floor.replay
row "floor (whole process)" floor.time
row "floor: std::cout replay" ostream.replay
row "floor --ostream (whole process)" ostream.time
echo "(a floor's peak memory is its mapped copy of the output; in the replay rows it is the"
echo " peak before mapping, the memory of a C++ program that has done nothing yet)"

ratio() {
  read -r w _ _ _ _ c _ _ <<<"$(stats "$2")"
  read -r fw _ _ _ _ fc _ _ <<<"$(stats "$3")"
  awk -v l="$1" -v w="$w" -v c="$c" -v fw="$fw" -v fc="$fc" \
    'BEGIN { printf "%-40s wall %.2f   cpu %.2f\n", l, w / fw, c / fc }'
}
echo
echo "== Ratios (game median / floor median)"
ratio "game / write(2) replay:" game.time floor.replay
ratio "game / floor process:" game.time floor.time
ratio "game / std::cout replay:" game.time ostream.replay
echo "machine: $(nproc) cores; load average at the end: $(cut -d' ' -f1-3 /proc/loadavg); $(date -u +%Y-%m-%d)"
