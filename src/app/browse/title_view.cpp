#include "app/browse/title_view.h"

#include "store/text_encoding.h"

#include <fstream>

namespace tavrin {

std::string ReviewFileStem(std::string_view title) {
    const auto first = title.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    title = title.substr(first, title.find_last_not_of(' ') - first + 1);
    std::string stem(title);
    for (char& ch : stem) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x20 || b == 0x7F || std::string_view(" \"*/:<>?\\|").find(ch) != std::string_view::npos) ch = '_';
    }
    return stem;
}

std::filesystem::path ReviewFilePath(const std::filesystem::path& textFolder, std::string_view title,
                                     std::uint16_t number) {
    const std::string name = Cp1252ToUtf8(ReviewFileStem(title)) + std::to_string(number) + ".TXT";
    return textFolder / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::optional<std::string> ReadReviewText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(ReviewTextLimit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

std::optional<std::size_t> FindTitleByPrefix(const Collection& c, std::span<const std::uint16_t> browse,
                                             std::string_view typed) {
    const std::string wanted = UpperCp1252(typed);
    for (std::size_t row = 0; row < browse.size(); ++row) {
        const std::string_view title = c.titles[browse[row]].TitleView();
        if (title.size() < wanted.size()) continue;
        bool match = true;
        for (std::size_t i = 0; i < wanted.size() && match; ++i) match = UpperCp1252(title[i]) == wanted[i];
        if (match) return row;
    }
    return std::nullopt;
}

void MarkWatchedToday(Collection& c, std::size_t record, DayNumber today) {
    TitleRecord& t = c.titles[record];
    // The count is kept within what the editor accepts.
    if (t.Viewings() < 32000) t.SetViewings(static_cast<std::uint16_t>(t.Viewings() + 1));
    t.SetWatchDate(today);
    c.Modified = true;
}

SideCaptions SideCaptionsFor(std::uint8_t support) {
    switch (support) {
    case 1: return {Msg::MsgSimpleSide, Msg::MsgRsdl, true};
    case 2: return {Msg::MsgStart, Msg::MsgEnd, true};
    case 3: return {std::nullopt, Msg::MsgCav, false};
    default: return {Msg::MsgClv, Msg::MsgCav, true};
    }
}

} // namespace tavrin
