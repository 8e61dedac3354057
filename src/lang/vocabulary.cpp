#include "lang/vocabulary.h"

#include <algorithm>
#include <optional>

namespace tavrin {
namespace {

struct Genre {
    std::optional<Msg> entry;
    std::string_view fixed; // the names that are the same in every language
};

constexpr Genre Genres[GenreCount] = {
    {Msg::MsgOther, {}},
    {std::nullopt, "Action"},
    {Msg::MsgAdventure, {}},
    {Msg::MsgAnimated, {}},
    {Msg::MsgChildren, {}},
    {Msg::MsgComedy, {}},
    {std::nullopt, "Crime"},
    {Msg::MsgDance, {}},
    {Msg::MsgDisaster, {}},
    {Msg::MsgDocumentary, {}},
    {Msg::MsgDrama, {}},
    {Msg::MsgFantasy, {}},
    {Msg::MsgHistorical, {}},
    {Msg::MsgHorror, {}},
    {Msg::MsgMusical, {}},
    {Msg::MsgMystery, {}},
    {std::nullopt, "Opera"},
    {Msg::MsgPolitical, {}},
    {Msg::MsgRomance, {}},
    {std::nullopt, "Science Fiction"},
    {std::nullopt, "Sport"},
    {Msg::MsgSpy, {}},
    {std::nullopt, "Thriller"},
    {std::nullopt, "TV"},
    {Msg::MsgWar, {}},
    {std::nullopt, "Western"},
    {std::nullopt, "X / Erotic"},
    {Msg::MsgBiography, {}},
    {Msg::MsgDetective, {}},
    {Msg::MsgStageplay, {}},
    {std::nullopt, "Karaoke"},
    {std::nullopt, "Manga"},
    {Msg::MsgConcert, {}},
};

// Sorting key: UTF-8 text with ASCII letters folded, so "TV" sorts among the T's. Accented
// initials (É) sort after the plain letters, which is where a byte compare puts them too.
std::string FoldedKey(std::string_view text) {
    std::string key(text);
    for (char& ch : key)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return key;
}

} // namespace

std::string_view ItemText(std::span<const std::string_view> names, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < names.size()
               ? names[static_cast<std::size_t>(index)]
               : std::string_view();
}

std::string GenreName(const MessageCatalogue& catalogue, int code) {
    if (code < 0 || code >= GenreCount) return {};
    const Genre& g = Genres[code];
    return std::string(g.entry ? catalogue(*g.entry) : g.fixed);
}

std::vector<int> GenresByName(const MessageCatalogue& catalogue) {
    std::vector<std::pair<std::string, int>> keyed;
    for (int code = 0; code < GenreCount; ++code)
        keyed.emplace_back(FoldedKey(GenreName(catalogue, code)), code);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> codes;
    for (const auto& [key, code] : keyed)
        codes.push_back(code);
    return codes;
}

SideCaptions SideCaptionsFor(std::uint8_t support) {
    switch (support) {
    case 1:
        return {Msg::MsgSimpleSide, Msg::MsgRsdl, true};
    case 2:
        return {Msg::MsgStart, Msg::MsgEnd, true};
    case 3:
        return {std::nullopt, Msg::MsgCav, false};
    default:
        return {Msg::MsgClv, Msg::MsgCav, true};
    }
}

} // namespace tavrin
