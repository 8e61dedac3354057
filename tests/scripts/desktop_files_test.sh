#!/usr/bin/env bash
# The desktop entry, the file types and the manual pages as their own tools read them (the
# software-centre entry is validated in scripts/package-check); the file types also as
# shared-mime-info compiles them, with the magic of every collection version.
#   desktop_files_test.sh REPOSITORY
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$root/data/tavrin.desktop" || fail "tavrin.desktop"
xmllint --noout "$root/data/tavrin-mime.xml" || fail "tavrin-mime.xml is not well-formed"
xmllint --noout "$root/data/tavrin.svg" || fail "tavrin.svg is not well-formed"
xmllint --noout "$root/data/tavrin.metainfo.xml" || fail "tavrin.metainfo.xml is not well-formed"

mkdir -p "$scratch/mime/packages"
cp "$root/data/tavrin-mime.xml" "$scratch/mime/packages/tavrin.xml"
XDG_DATA_DIRS="$scratch" update-mime-database "$scratch/mime" 2>"$scratch/mime.log" || fail "update-mime-database: $(cat "$scratch/mime.log")"
[ ! -s "$scratch/mime.log" ] || fail "update-mime-database complained: $(cat "$scratch/mime.log")"
for type in collection title name-list; do
  [ -f "$scratch/mime/application/x-tavrin-$type.xml" ] || fail "no type x-tavrin-$type"
done
for magic in KXT KX2 KX3 KX4 KX5; do
  grep -aq "$magic" "$scratch/mime/magic" || fail "no magic $magic"
done
grep -q "x-tavrin-collection:\*.kxt" "$scratch/mime/globs" || fail "no *.kxt glob"
grep -q "^MimeType=application/x-tavrin-collection;" "$root/data/tavrin.desktop" || fail "the program does not open collections"

for page in tavrin tavrin-cli; do
  warnings=$(groff -man -ww -z -Tutf8 "$root/docs/$page.1" 2>&1) || fail "groff"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
echo "desktop entry, file types and manual pages are valid"
