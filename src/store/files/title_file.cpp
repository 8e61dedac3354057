#include "store/files/title_file.h"

#include "store/files/name_slots.h"

#include <algorithm>
#include <cstring>

namespace tavrin {
namespace {

constexpr std::size_t LargestTitleFile = TitleFileHeaderSize + TitleFileSlots.size() * NameTextSize;

} // namespace

int SlotEntry(const TitleRecord& record, const TitleFileSlot& slot) {
    if (slot.list == ListId::Publisher) return record.PublisherEntry();
    return EntryFromStored(record.U16(slot.offset));
}

void ClearSlot(TitleRecord& record, const TitleFileSlot& slot) {
    record.SetU16(slot.offset, NoEntry);
}

void RepairExportedReferences(const Collection& c, TitleRecord& record) {
    for (const auto& slot : TitleFileSlots) {
        const int entry = SlotEntry(record, slot);
        // A stored value above 65000 is none already but is written as none too, so that the
        // record in the file reads the same everywhere.
        const bool storedNone = slot.list == ListId::Publisher ? record.Publisher() == NoPublisher
                                                               : record.U16(slot.offset) == NoEntry;
        if (entry < 0 ? !storedNone : static_cast<std::size_t>(entry) >= c.List(slot.list).size())
            ClearSlot(record, slot);
    }
}

std::vector<std::uint8_t> SerializeTitleFile(const Collection& c, const TitleRecord& record) {
    std::vector<std::uint8_t> out{'K', 'X', 'M'};
    out.insert(out.end(), record.bytes.begin(), record.bytes.end());
    NameList names;
    for (const auto& slot : TitleFileSlots)
        if (const int entry = SlotEntry(record, slot); entry >= 0)
            names.emplace_back(NameAt(c.List(slot.list), entry));
    AppendNameSlots(out, names);
    return out;
}

Expected<TitleFileContents, FileError> ParseTitleFile(std::span<const std::uint8_t> bytes) {
    const auto invalid = Unexpected{FileError::Invalid};
    if (bytes.size() < 3 || bytes[0] != 'K' || bytes[1] != 'X' || bytes[2] == 'T') return invalid;
    if (bytes.size() < TitleFileHeaderSize) return invalid;
    TitleFileContents out;
    std::memcpy(out.record.bytes.data(), bytes.data() + 3, TitleRecordSize);
    std::size_t at = TitleFileHeaderSize;
    for (std::size_t i = 0; i < TitleFileSlots.size(); ++i) {
        const auto& slot = TitleFileSlots[i];
        if (SlotEntry(out.record, slot) < 0) {
            ClearSlot(out.record, slot);
            continue;
        }
        if (bytes.size() - at < NameTextSize) return invalid;
        out.names[i] = std::move(NamesFromSlots(bytes.subspan(at, NameTextSize), 1).front());
        at += NameTextSize;
    }
    return out;
}

Expected<TitleFileContents, FileFailure> LoadTitleFile(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path, LargestTitleFile, PastLimit::Ignore);
    if (!bytes) return Unexpected{bytes.error()};
    auto parsed = ParseTitleFile(*bytes);
    if (!parsed) return Unexpected{FileFailure{parsed.error(), PathText(path), {}}};
    return std::move(parsed).value();
}

} // namespace tavrin
