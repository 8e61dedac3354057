// `tavrin-cli from-json IN.json OUT.KXT`: a collection built from the JSON that `dump` prints, so a
// dump edited by hand or by a script becomes a collection file again.
#pragma once

#include "cli/options.h"
#include "store/collection.h"
#include "store/expected.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tavrin::cli {

// The collection a JSON document describes. What `dump` prints comes back field for field; for
// files written by hand it also takes
//   - a reference to a name list as the name's text: the first entry with exactly that text, or a
//     new entry appended to the list (the title import's find-or-append),
//   - WatchDate and BuyDate as "YYYY-MM-DD",
//   - any field but a title's "Title", any list, "lists", "order" or "version" left out: numbers 0,
//   references none, lists
//     empty, the master order in title order.
// Numbers must fit their bytes (flags and codes 0 .. 255, 16-bit fields 0 .. 65535, dates 32-bit,
// the price a 32-bit float); "titles" and each title's "Title" must be there; a reference must name an entry
// of its list or none; texts must have at most 49 characters, all of them in Windows-1252; the master order
// must hold every record number once. Anything else gives a message naming the title (or list) and the field,
// any text of the input in it cut short. The text is read as it is parsed, without the whole document ever
// built in memory: a value where none of its kind belongs is refused where it starts, and more titles, names
// or record numbers than a collection holds as soon as there is one too many.
Expected<Collection, std::string> CollectionFromJson(std::string_view text);

inline constexpr std::string_view FromJsonArguments[] = {"IN.json", "OUT.KXT"};
inline constexpr Syntax FromJsonSyntax{FromJsonArguments};

int RunFromJson(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
