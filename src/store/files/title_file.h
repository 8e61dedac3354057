// Title files (.KXM): one title with the names it refers to, to move it into another collection.
// "KXM", the 160-byte record, then a 50-byte name field for each exported reference that names
// something, in the order of TitleFileSlots. Retailer and multimedia files are never exported.
#pragma once

#include "store/collection.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

// One exported reference: its list and its record offset (the publisher's low byte is its first).
struct TitleFileSlot {
    ListId list;
    std::size_t offset;
};

// Director, Actor1 .. Actor5, Composer, Box, Info, Publisher, Info2: the order of the name fields.
inline constexpr std::array<TitleFileSlot, 11> TitleFileSlots{{
    {ListId::Director, U16Offset("Director")},
    {ListId::Actor, ActorOffsets[0]},
    {ListId::Actor, ActorOffsets[1]},
    {ListId::Actor, ActorOffsets[2]},
    {ListId::Actor, ActorOffsets[3]},
    {ListId::Actor, ActorOffsets[4]},
    {ListId::Composer, U16Offset("Composer")},
    {ListId::Box, U16Offset("Box")},
    {ListId::Info, U16Offset("Info")},
    {ListId::Publisher, PublisherOffset},
    {ListId::Info2, U16Offset("Info2")},
}};

inline constexpr std::size_t TitleFileHeaderSize = 3 + TitleRecordSize;

// The entry a slot of a record names, or -1 for none: above 65000 (publisher: low byte 255).
int SlotEntry(const TitleRecord& record, const TitleFileSlot& slot);
// Sets a slot to none: 0xFFFF (for the publisher too).
void ClearSlot(TitleRecord& record, const TitleFileSlot& slot);

// Every exported reference of a record that names no entry of c's lists becomes none, so that a
// file written from it always holds a name for each reference.
void RepairExportedReferences(const Collection& c, TitleRecord& record);

// The bytes of the title file of a record whose references all name entries (repair it first).
std::vector<std::uint8_t> SerializeTitleFile(const Collection& c, const TitleRecord& record);

struct TitleFileContents {
    TitleRecord record; // references above 65000 already made none
    // The name of each slot of TitleFileSlots that names something, at most 49 characters.
    std::array<std::optional<std::string>, TitleFileSlots.size()> names;
};

// Any file whose first two bytes are "KX" and whose third is not 'T' is taken for a title file.
// A record or a name field cut short makes it Invalid; bytes after the last name are ignored.
Expected<TitleFileContents, FileError> ParseTitleFile(std::span<const std::uint8_t> bytes);
Expected<TitleFileContents, FileFailure> LoadTitleFile(const std::filesystem::path& path);

} // namespace tavrin
