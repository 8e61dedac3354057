#!/usr/bin/env bash
# scripts/demo-home: the first start copies the demo into the user's data folder, a later start
# keeps the user's changes, and the repository is never written.
#   demo_home_test.sh REPOSITORY BUILT_DEMO_FOLDER
set -euo pipefail
root=$1 built=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data"
mkdir -p "$HOME"
touch "$scratch/before"
sleep 1

home=$("$root/scripts/demo-home" "$built")
[ "$home" = "$XDG_DATA_HOME/Tavrin/Demo" ] || fail "copied to $home"
cmp -s "$built/demo.KXT" "$home/demo.KXT" || fail "demo.KXT differs from the built one"
for item in TEXT MEDIAS; do
  diff -r "$built/$item" "$home/$item" >/dev/null || fail "$item differs from the built one"
  [ -n "$(ls "$home/$item")" ] || fail "$item is empty"
done
[ -w "$home/demo.KXT" ] && [ -w "$home/TEXT" ] || fail "the copy is not writable"
[ -z "$(ls -A "$home" | grep '^\.copy')" ] || fail "a staging folder was left"

# A second start keeps what the user changed.
echo "MY OWN NOTES" >"$home/TEXT/CASABLANCA1.TXT"
printf 'KX5\0\0' >"$home/demo.KXT"
again=$("$root/scripts/demo-home" "$built")
[ "$again" = "$home" ] || fail "second start gave $again"
[ "$(cat "$home/TEXT/CASABLANCA1.TXT")" = "MY OWN NOTES" ] || fail "a review the user wrote was replaced"
[ "$(wc -c <"$home/demo.KXT")" -eq 5 ] || fail "the user's collection was replaced"

# A data folder inside the repository is refused.
if XDG_DATA_HOME="$root/examples" "$root/scripts/demo-home" "$built" >/dev/null 2>&1; then
  fail "a data folder inside the repository was accepted"
fi

# Nothing in the repository (build folders aside) was created or changed.
changed=$(find "$root" \( -path "$root/build" -o -path "$root/.git" -o -path "$(dirname "$built")" \) -prune \
  -o -newer "$scratch/before" -print)
[ -z "$changed" ] || fail "the repository was written: $changed"
echo "demo-home: first start and later starts as expected"
