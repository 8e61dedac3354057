// `tavrin-cli names ACTION FILE ...`: the name-list commands of the TOOLS menu and of the
// choosers, for scripts. LIST is a list's name: DirectorList, ActorList, .. MediaList. FILE is
// never written; OUT is replaced in one step, so a failure leaves an existing OUT as it was.
#pragma once

#include "cli/media.h"
#include "cli/options.h"

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr std::string_view NamesSaveArguments[] = {"FILE", "LETTER", "OUT"};
inline constexpr std::string_view NamesLoadArguments[] = {"FILE", "LISTFILE", "OUT"};
inline constexpr std::string_view NamesDeleteArguments[] = {"FILE", "LIST", "ENTRY", "OUT"};
inline constexpr std::string_view NamesRenameArguments[] = {"FILE", "LIST", "ENTRY", "TEXT", "OUT"};
inline constexpr std::string_view NamesCleanArguments[] = {"FILE", "LIST", "OUT"};
inline constexpr Option NamesCleanOptions[] = {MediasOption};

inline constexpr Action NamesActions[] = {
    {"save", {NamesSaveArguments}, "write the name-list file of the list of that letter (D A C P B R I)"},
    {"load", {NamesLoadArguments}, "load a name-list file into a collection without titles"},
    {"delete",
     {NamesDeleteArguments},
     "delete an entry, renumbering every title; prints one \"Erased in : \" line per title that lost it"},
    {"rename", {NamesRenameArguments}, "rename an entry"},
    {"clean",
     {NamesCleanArguments, NamesCleanOptions},
     "remove the entries no title uses, for MediaList also those whose file is missing from the "
     "multimedia folder; prints one \"Erased : \" line per entry"},
};

int RunNames(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
