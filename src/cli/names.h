// `tavrin-cli names ...`: the name-list commands of the TOOLS menu and of the choosers, for scripts.
//   names save FILE LETTER OUT          the name-list file of that letter (D A C P B R I)
//   names load FILE LISTFILE OUT        a name-list file into a collection without titles
//   names delete FILE LIST ENTRY OUT    delete an entry, renumbering every title; one
//                                       "Erased in : " line per title that lost it
//   names rename FILE LIST ENTRY TEXT OUT
//   names clean FILE LIST OUT [--medias DIR]
//                                       remove unused entries; one "Erased : " line per entry;
//                                       MediaList also loses the entries whose file is missing
//                                       from DIR (by default the program's MEDIAS folder)
// LIST is a list's name: DirectorList, ActorList, .. MediaList. IN is never written; OUT is
// replaced in one step, so a failure leaves an existing OUT as it was.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

int RunNames(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
