// Name-list files (.KXD, .KXA, .KXC, .KXP, .KXB, .KXR, .KXI): one name list on its own, to start a
// new collection with the names gathered in another. "KX", the list's letter, the count (u16) and
// one 50-byte name slot per entry in entry-number order.
#pragma once

#include "store/collection.h"
#include "store/expected.h"
#include "store/files/collection_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tavrin {

// The seven lists that have a file, in the order of the TOOLS menu's items.
inline constexpr std::array<ListId, 7> NameListFileLists{ListId::Actor,    ListId::Box,  ListId::Composer,
                                                         ListId::Director, ListId::Info, ListId::Publisher,
                                                         ListId::Retailer};

// 'D', 'A', 'C', 'P', 'B', 'R', 'I'; nothing for the second other-informations list and the
// multimedia files, which have no list file.
std::optional<char> NameListLetter(ListId list);
std::optional<ListId> ListOfLetter(char letter);

// "KXD" .. : the extension and default suffix of a list's file (empty when it has none).
std::string_view NameListExtension(ListId list);
// The save dialog's filter, e.g. "KXT Director List (*.KXD)".
std::string_view NameListSaveFilter(ListId list);
// The open dialog's filters, in the order shown: every list file first, then one per kind.
inline constexpr std::string_view NameListOpenFilter =
    "Tavrin List (*.KXA *.KXB *.KXC *.KXD *.KXR *.KXI *.KXP);;Actor List (*.KXA);;Box List (*.KXB);;"
    "Composer List (*.KXC);;Director List (*.KXD);;Publisher List (*.KXP);;Information List (*.KXI);;"
    "Retailer List (*.KXR)";

// The bytes of the file of a list; empty for a list that has no file.
std::vector<std::uint8_t> SerializeNameList(const Collection& c, ListId list);

struct LoadedNameList {
    std::optional<ListId> list; // always set in what the reader gives
    NameList names;
};

// Parses a whole file. Not "KX", a letter that names no list, a count beyond the end of the file
// or a short slot make it Invalid; bytes after the last slot are ignored, as in collection files.
// Any count up to 65535 is taken, as in collection files, so every list saved loads back.
Expected<LoadedNameList, FileError> ParseNameList(std::span<const std::uint8_t> bytes);
Expected<LoadedNameList, FileFailure> LoadNameListFile(const std::filesystem::path& path);

// Writes the file of a list (replacing it in one step). The collection does not change.
Expected<Done, FileFailure> SaveNameListFile(const Collection& c, ListId list,
                                             const std::filesystem::path& path);

// Load List puts a loaded list in place only into a collection without titles; the list is
// replaced whole. False (nothing changed) when titles are present.
bool ApplyNameList(Collection& c, const LoadedNameList& loaded);

} // namespace tavrin
