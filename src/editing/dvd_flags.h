// The DVD audio and subtitle languages of a title: ten bytes of the record (DvdSubtitles ..
// DvdPcm), one per format, each holding one bit per language group.
#pragma once

#include "store/collection.h"
#include "store/title_record.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tavrin {

inline constexpr std::size_t DvdFirstByte = U8Offset("DvdSubtitles");
inline constexpr std::size_t DvdFormatCount = DvdLanguageByteCount; // DvdSubtitles .. DvdPcm
inline constexpr std::size_t DvdLanguageCount = 8;                  // bits 0 .. 7
inline constexpr std::uint8_t SupportDvd = 1;

// Language groups in bit order and the letter that starts their check boxes' names.
inline constexpr std::array<char, DvdLanguageCount> DvdLanguagePrefixes{'C', 'E', 'F', 'G',
                                                                        'I', 'J', 'S', 'O'};
inline constexpr std::array<std::string_view, DvdLanguageCount> DvdGroupNames{
    "DVDChinese", "DVDEnglish",  "DVDFrench",  "DVDGerman",
    "DVDItalian", "DVDJapanese", "DVDSpanish", "DVDOther"};
// Formats in byte order: the check-box name suffix and its caption.
inline constexpr std::array<std::string_view, DvdFormatCount> DvdFormatSuffixes{
    "Sub", "MPEG20", "MPEG51", "DD10", "DD20", "DD40", "DD51", "DTS", "MPEG10", "MPEG40"};
inline constexpr std::array<std::string_view, DvdFormatCount> DvdFormatCaptions{
    "Subtitles", "MPEG 2.0", "MPEG 5.1", "DD 1.0",   "DD 2.0",
    "DD 4.0",    "DD 5.1",   "DTS 5.1",  "MPEG 1.0", "PCM"};

// The 80 check boxes: ticks[format][language].
using DvdTicks = std::array<std::array<bool, DvdLanguageCount>, DvdFormatCount>;

// "CSub", "EDD51", "OMPEG40" ...
std::string DvdBoxName(std::size_t format, std::size_t language);

// The ticks a record's ten bytes stand for.
DvdTicks DvdTicksFromRecord(const TitleRecord& record);
// Writes the ten bytes: packed from the ticks for a DVD, all zero for any other medium.
void PackDvdTicks(TitleRecord& record, const DvdTicks& ticks, int support);

// What the panel shows for a record, or for none (every box clear). A record that is not a DVD
// has its ten bytes cleared in the collection and leaves the boxes as they are (nothing).
std::optional<DvdTicks> DvdTicksToShow(const Collection& c, std::optional<std::size_t> record);

} // namespace tavrin
