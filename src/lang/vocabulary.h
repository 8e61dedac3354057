// The item lists of the browse filters and of the title view: the fixed ones (the same in every
// language) and those whose texts come from the catalogue.
#pragma once

#include "lang/catalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

inline constexpr int GenreCount = 33;

// Record values in item order; the filter combos add their neutral item after them.
inline constexpr std::array<std::string_view, 4> SupportNames{"LD", "DVD", "VHS", "VideoCD"};
inline constexpr std::array<std::string_view, 3> StandardNames{"NTSC", "PAL", "SECAM"};
inline constexpr std::array<std::string_view, 9> AspectRatioNames{"1.33", "1.66", "1.75", "1.80", "1.85",
                                                                  "2.10", "2.35", "2.55", "2.66"};
inline constexpr std::array<std::string_view, 5> SoundNames{"Mono", "Stereo", "Ultra Stereo", "DTS Surround",
                                                            "Dolby Surround"};
inline constexpr std::array<std::string_view, 10> MpaaNames{"Unrated", "G", "PG", "PG13", "R",
                                                            "NC17",    "X", "13", "16",   "18"};
inline constexpr std::array<std::string_view, 7> ZoneNames{"Zone All", "Zone 1", "Zone 2", "Zone 3",
                                                           "Zone 4",   "Zone 5", "Zone 6"};
inline constexpr std::array<Msg, 3> ColorNames{Msg::MsgColor, Msg::MsgBlackWhite, Msg::MsgColorAndBW};
inline constexpr std::array<Msg, 3> TradeNames{Msg::MsgNoBuySell, Msg::MsgToBuy, Msg::MsgToSell};
inline constexpr std::array<Msg, 9> DvdLanguageItems{Msg::MsgChinese, Msg::MsgEnglish,       Msg::MsgFrench,
                                                     Msg::MsgGerman,  Msg::MsgItalian,       Msg::MsgJapanese,
                                                     Msg::MsgSpanish, Msg::MsgOtherLanguage, Msg::MsgAllLang};
inline constexpr std::array<Msg, 3> WatchCountItems{Msg::MsgAllWatched, Msg::MsgLessWatched,
                                                    Msg::MsgMostWatched};
inline constexpr std::array<Msg, 3> WatchDateItems{Msg::MsgAllWatched, Msg::MsgLastWatched,
                                                   Msg::MsgOldestWatched};

// The text of item index in a list, or the empty text for a value beyond it.
std::string_view ItemText(std::span<const std::string_view> names, int index);

// The name of a genre code in the current language (UTF-8); empty beyond the 33 codes.
std::string GenreName(const MessageCatalogue& catalogue, int code);
// The 33 genre codes in the order of their names in the current language, as the genre filter
// lists them (before its "Genre" item).
std::vector<int> GenresByName(const MessageCatalogue& catalogue);

// The two side captions of a medium and whether the second count is shown at all.
struct SideCaptions {
    std::optional<Msg> clv; // nothing: the Video CD's fixed "Disc"
    Msg cav;
    bool cavVisible;
};
SideCaptions SideCaptionsFor(std::uint8_t support);

} // namespace tavrin
