#!/usr/bin/env bash
# Installs the build into a temporary prefix, then plays the shipped story through the
# installed launcher from another directory, with the walkthrough that the installed
# storycheck finds for the installed story.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
story="$prefix/share/games/derelict/Display.txt"
for f in "$prefix/games/derelict" "$prefix/bin/storycheck" "$prefix/lib/games/derelict/derelict" \
  "$story" "$prefix/share/man/man6/derelict.6" "$prefix/share/man/man1/storycheck.1"; do
  [ -e "$f" ] || fail "missing after install: ${f#"$prefix"/}"
done

"$prefix/bin/storycheck" "$story" || fail "storycheck finds fault with the installed story"
"$prefix/bin/storycheck" --walkthrough "$story" >"$work/walk.txt" \
  || fail "storycheck finds no walkthrough for the installed story"

mkdir "$work/elsewhere"
ending=$(sed -n 103p "$story")
first_words=${ending:0:40}
for finale in look shoot; do
  [ "$finale" = shoot ] && ending=$(sed -n 104p "$story") && first_words=${ending:0:40}
  status=0
  (cd "$work/elsewhere" && { cat "$work/walk.txt"; printf '%s\n\n' "$finale"; } \
    | "$prefix/games/derelict" >"$work/out.txt" 2>"$work/err.txt") || status=$?
  [ "$status" -eq 0 ] || fail "the launcher exited with status $status after $finale"
  [ -s "$work/err.txt" ] && fail "the launcher wrote to standard error: $(cat "$work/err.txt")"
  grep -qF -- "$first_words" "$work/out.txt" || fail "the ending for $finale was not printed"
  tail -c 44 "$work/out.txt" | grep -qF "Thanks for playing!" || fail "no farewell after $finale"
done
echo "install test: passed"
