// Collection files (.KXT): reading every version ("KXT", "KX2" .. "KX5") with the conversion of
// older ones, writing version 5, and writing a selection of titles as a collection of its own.
#pragma once

#include "store/collection.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct LoadedCollection {
    char version = '5';    // byte 2 of the magic: 'T', '2', '3', '4' or '5'
    std::string magic;     // the three bytes as read
    Collection collection; // titles, lists and master order; state fields left as default
};

// The default publisher list of versions "KXT" and "KX2": otherName first (the word "Other" in
// the current language, 8-bit text), then the 28 publishers.
NameList DefaultPublisherList(std::string_view otherName);

// Parses a whole file held in memory. Every section is checked: a short section, a count beyond
// the end or a master order that is not a permutation of 0 .. n-1 make the file Invalid; bytes
// after the master order are ignored.
Expected<LoadedCollection, FileError> ParseCollection(std::span<const std::uint8_t> bytes,
                                                      std::string_view otherName);
// Reads a file from disk into a fresh collection; the caller swaps it in only on success.
Expected<LoadedCollection, FileFailure> LoadCollectionFile(const std::filesystem::path& path,
                                                           std::string_view otherName);

// The bytes of a version-5 file holding the whole collection.
std::vector<std::uint8_t> SerializeCollection(const Collection& c);
// The bytes of a version-5 file holding the titles of browse, in that order, with every name
// list whole and the master order 0 .. m-1.
std::vector<std::uint8_t> SerializeSelection(const Collection& c, std::span<const std::uint16_t> browse);

// The file a save keeps the previous file as: NAME.KXT.bak beside NAME.KXT.
std::filesystem::path BackupPath(const std::filesystem::path& path);

// Save and Save As: writes the collection (keeping the file replaced as its backup when asked).
// The open collection records the save (its name, its saved state) when this succeeded.
Expected<Done, FileFailure> SaveCollection(const Collection& c, const std::filesystem::path& path,
                                           bool keepBackup = false);
// The collection written as it stands (a recovery copy).
Expected<Done, FileFailure> WriteCollectionCopy(const Collection& c, const std::filesystem::path& path);

// True when this selection may be saved on its own: not empty and smaller than the collection.
bool SelectionIsSavable(const Collection& c, std::span<const std::uint16_t> browse);

} // namespace tavrin
