#include "editing/dvd_flags.h"

#include <string>

namespace tavrin {

std::string DvdBoxName(std::size_t format, std::size_t language) {
    return DvdLanguagePrefixes[language] + std::string(DvdFormatSuffixes[format]);
}

DvdTicks DvdTicksFromRecord(const TitleRecord& record) {
    DvdTicks ticks{};
    for (std::size_t f = 0; f < DvdFormatCount; ++f) {
        const std::uint8_t bits = record.U8(DvdFirstByte + f);
        for (std::size_t l = 0; l < DvdLanguageCount; ++l)
            ticks[f][l] = (bits >> l) & 1;
    }
    return ticks;
}

void PackDvdTicks(TitleRecord& record, const DvdTicks& ticks, int support) {
    for (std::size_t f = 0; f < DvdFormatCount; ++f) {
        std::uint8_t bits = 0;
        if (support == SupportDvd)
            for (std::size_t l = 0; l < DvdLanguageCount; ++l)
                if (ticks[f][l]) bits |= static_cast<std::uint8_t>(1u << l);
        record.SetU8(DvdFirstByte + f, bits);
    }
}

std::optional<DvdTicks> DvdTicksToShow(const Collection& c, std::optional<std::size_t> record) {
    if (!record || *record >= c.Count()) return DvdTicks{};
    const TitleRecord& t = c.RecordAt(*record);
    if (t.Support() == SupportDvd) return DvdTicksFromRecord(t);
    // Bytes left over from an older file mean nothing for other media: the editor's OK packs
    // them anew.
    return std::nullopt;
}

} // namespace tavrin
