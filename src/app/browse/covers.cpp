#include "app/browse/covers.h"

#include "store/text_encoding.h"

#include <algorithm>
#include <charconv>

namespace tavrin {

bool IsCoverPictureName(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string extension = UpperCp1252(name.substr(dot + 1));
    for (std::string_view picture : {"BMP", "JPG", "JPEG", "GIF", "PNG", "TGA", "PCX"})
        if (extension == picture) return true;
    return false;
}

std::optional<std::string> CoverEntry(const Collection& c, std::size_t r) {
    if (r >= c.Count()) return std::nullopt;
    const TitleRecord& t = c.RecordAt(r);
    for (std::size_t offset : MediaOffsets) {
        const std::string_view name = NameAt(c.List(ListId::Media), EntryFromStored(t.U16(offset)));
        if (name.empty()) continue;
        if (!IsCoverPictureName(name)) return std::nullopt;
        return std::string(name);
    }
    return std::nullopt;
}

int CoverSideFromText(std::string_view text) {
    int side = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    if (error != std::errc() || end != text.data() + text.size() ||
        std::find(CoverSides.begin(), CoverSides.end(), side) == CoverSides.end())
        return DefaultCoverSide;
    return side;
}

int StepCoverSide(int side, int steps) {
    // The nearest side at or above side, for a side that is none of them.
    const auto at = std::lower_bound(CoverSides.begin(), CoverSides.end(), side);
    const auto from = at - CoverSides.begin();
    const auto to =
        std::clamp<std::ptrdiff_t>(from + steps, 0, static_cast<std::ptrdiff_t>(CoverSides.size()) - 1);
    return CoverSides[static_cast<std::size_t>(to)];
}

} // namespace tavrin
