#include "store/files/name_list_file.h"

#include "store/files/file_access.h"
#include "store/files/name_slots.h"

namespace tavrin {
namespace {

struct ListFileKind {
    ListId list;
    char letter;
    std::string_view extension;
    std::string_view saveFilter;
};

constexpr ListFileKind Kinds[] = {
    {ListId::Director, 'D', "KXD", "KXT Director List (*.KXD)"},
    {ListId::Actor, 'A', "KXA", "KXT Actor List (*.KXA)"},
    {ListId::Composer, 'C', "KXC", "KXT Composer List (*.KXC)"},
    {ListId::Publisher, 'P', "KXP", "KXT Publishers List (*.KXP)"},
    {ListId::Box, 'B', "KXB", "KXT Box List (*.KXB)"},
    {ListId::Retailer, 'R', "KXR", "KXT Retailer List (*.KXR)"},
    {ListId::Info, 'I', "KXI", "KXT Informations List (*.KXI)"},
};

const ListFileKind* KindOf(ListId list) {
    for (const auto& k : Kinds)
        if (k.list == list) return &k;
    return nullptr;
}

constexpr std::size_t HeaderSize = 5;
// Nothing past the largest list a count can announce is ever read.
constexpr std::size_t LargestFile = HeaderSize + 0xFFFF * NameTextSize;

} // namespace

std::optional<char> NameListLetter(ListId list) {
    if (const auto* k = KindOf(list)) return k->letter;
    return std::nullopt;
}

std::optional<ListId> ListOfLetter(char letter) {
    for (const auto& k : Kinds)
        if (k.letter == letter) return k.list;
    return std::nullopt;
}

std::string_view NameListExtension(ListId list) {
    const auto* k = KindOf(list);
    return k ? k->extension : std::string_view{};
}

std::string_view NameListSaveFilter(ListId list) {
    const auto* k = KindOf(list);
    return k ? k->saveFilter : std::string_view{};
}

std::vector<std::uint8_t> SerializeNameList(const Collection& c, ListId list) {
    const auto* k = KindOf(list);
    if (!k) return {};
    const auto& names = c.List(list);
    std::vector<std::uint8_t> out{'K', 'X', static_cast<std::uint8_t>(k->letter),
                                  static_cast<std::uint8_t>(names.size() & 0xFF),
                                  static_cast<std::uint8_t>((names.size() >> 8) & 0xFF)};
    AppendNameSlots(out, names);
    return out;
}

Expected<LoadedNameList, FileError> ParseNameList(std::span<const std::uint8_t> bytes) {
    const auto invalid = Unexpected{FileError::Invalid};
    if (bytes.size() < 3 || bytes[0] != 'K' || bytes[1] != 'X') return invalid;
    LoadedNameList out;
    out.list = ListOfLetter(static_cast<char>(bytes[2]));
    if (!out.list) return invalid;
    if (bytes.size() < HeaderSize) return invalid;
    // Any count a collection file may hold is taken, as the collection reader takes it: a list
    // saved from an open collection always loads back.
    const std::size_t count = bytes[3] | (bytes[4] << 8);
    if ((bytes.size() - HeaderSize) / NameTextSize < count) return invalid;
    out.names = NamesFromSlots(bytes.subspan(HeaderSize), count);
    return out;
}

Expected<LoadedNameList, FileFailure> LoadNameListFile(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path, LargestFile, PastLimit::Ignore);
    if (!bytes) return Unexpected{bytes.error()};
    auto parsed = ParseNameList(*bytes);
    if (!parsed) return Unexpected{FileFailure{parsed.error(), PathText(path), {}}};
    return std::move(parsed).value();
}

Expected<Done, FileFailure> SaveNameListFile(const Collection& c, ListId list,
                                             const std::filesystem::path& path) {
    return WriteFileReplacing(path, SerializeNameList(c, list));
}

bool ApplyNameList(Collection& c, const LoadedNameList& loaded) {
    if (!c.titles.empty()) return false;
    if (loaded.list) c.List(*loaded.list) = loaded.names;
    return true;
}

} // namespace tavrin
