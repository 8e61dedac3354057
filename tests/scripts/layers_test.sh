#!/usr/bin/env bash
# The layers of the sources, as their includes show them:
# - the folders stand in layers (store/, lang/, platform/, editing/, reports/, exchange/, app/browse/, app/,
#   cli/), and a file includes only its own layer or those below;
# - a window file is one that includes Qt, itself or through another file; a logic file never
#   includes one, and every logic source is built into tavrin_core;
# - in the feature folders a window file is named by its role (*_window, *_page, *_dialog,
#   *_widget, *_model), so that every other file there is logic;
# - a Qt item model lives in a *_model file of its own, never inside a window or a widget.
#   layers_test.sh REPOSITORY
set -euo pipefail
cd "$1/src"

# Lines "F file" for every source, "I file included" for every project include, "Q file" for a
# direct Qt include, "M file" for a file declaring a Qt item model and "C file" for every source
# of tavrin_core.
{
  find . \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) | sed 's|^\./|F |'
  grep -r -o -E '^#include ("[^"]*"|<Q)' --include='*.h' --include='*.cpp' --include='*.inc' . |
    sed -E 's|^\./||; s|:#include "([^"]*)"$| \1|; s|^([^:]*):#include <Q$|Q \1|; /^Q /!s|^|I |'
  { grep -r -l -E ':[[:space:]]*public[[:space:]]+QAbstract(List|Table|Item)Model\b' \
      --include='*.h' --include='*.cpp' --include='*.inc' . || true; } | sed 's|^\./|M |'
  sed -n '/^add_library(tavrin_core/,/^)/p' CMakeLists.txt | sed -n -E 's|^ *([a-z0-9_/]*\.cpp).*|C \1|p'
} | awk '
function layer(dir) {
  if (dir == "store" || dir ~ /^store\//) return 0
  if (dir == "lang") return 1
  if (dir == "platform") return 2
  if (dir == "editing") return 3
  if (dir == "reports") return 4
  if (dir == "exchange") return 4.5
  if (dir == "app/browse") return 5
  if (dir == "app") return 6
  if (dir == "cli") return 7
  return -1
}
function dir(path) { return sub(/\/[^\/]*$/, "", path) ? path : "." }
function base(path) { sub(/^.*\//, "", path); return path }
function fail(text) { print "FAIL: " text > "/dev/stderr"; failures++ }
$1 == "F" { files[$2] = 1; next }
$1 == "Q" { qt[$2] = 1; next }
$1 == "C" { core[$2] = 1; next }
$1 == "M" { model[$2] = 1; next }
$1 == "I" { n++; from[n] = $2; to[n] = $3; next }
END {
  # A file that includes a window file is a window file too.
  do {
    changed = 0
    for (i = 1; i <= n; i++)
      if (qt[to[i]] && !qt[from[i]]) { qt[from[i]] = 1; changed = 1 }
  } while (changed)

  for (i = 1; i <= n; i++) {
    lf = layer(dir(from[i])); lt = layer(dir(to[i]))
    if (lf < 0 || lt < 0) continue
    if (lt > lf) fail(from[i] " includes " to[i] ", a layer above it")
    if (!qt[from[i]] && qt[to[i]]) fail(from[i] " (logic) includes the window file " to[i])
  }

  for (f in files) {
    if (f ~ /^cli\// || base(f) == "main.cpp") continue
    d = dir(f)
    if (qt[f]) {
      windows++
      if ((d == "app" || d == "app/browse" || d == "editing" || d == "reports" || d == "exchange") &&
          base(f) !~ /_(window|page|dialog|widget|model)s?(_[a-z]+)?\.(h|cpp)$/)
        fail(f " includes Qt but is not named as a window, page, dialog, widget or model")
      if (core[f]) fail(f " includes Qt but is built into tavrin_core")
    } else if (f ~ /\.cpp$/ && !core[f]) {
      fail(f " is logic but not built into tavrin_core")
    }
  }
  for (f in model)
    if (f !~ /^cli\// && base(f) !~ /_model\.(h|cpp)$/)
      fail(f " declares a Qt item model but is not named as a model (*_model.h, *_model.cpp)")

  if (failures) { print failures " layer fault(s)" > "/dev/stderr"; exit 1 }
  print "layers: " length(files) " files, " windows " window files outside cli/"
}'

# The open collection is written only by the change functions: the door they use is named nowhere
# else, so no window can write a title without it being recorded and announced.
doors=$(grep -rl --include='*.h' --include='*.cpp' 'CollectionAccess' . |
  grep -v -x -e './editing/open_collection.h' -e './editing/collection_changes.cpp' || true)
if [ -n "$doors" ]; then
  echo "FAIL: the open collection's write access is used outside the change functions: $doors" >&2
  exit 1
fi
