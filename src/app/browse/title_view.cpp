#include "app/browse/title_view.h"

#include "store/text_encoding.h"

namespace tavrin {

std::optional<std::size_t> FindTitleByPrefix(const Collection& c, std::span<const std::uint16_t> browse,
                                             std::string_view typed) {
    const std::string wanted = UpperCp1252(typed);
    for (std::size_t row = 0; row < browse.size(); ++row) {
        const std::string_view title = c.titles[browse[row]].TitleView();
        if (title.size() < wanted.size()) continue;
        bool match = true;
        for (std::size_t i = 0; i < wanted.size() && match; ++i)
            match = UpperCp1252(title[i]) == wanted[i];
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

namespace {

struct FlagLine {
    std::size_t offset;
    std::optional<Msg> entry;
    std::string_view fixed; // the texts that are the same in every language
};

constexpr FlagLine OtherFlags[] = {
    {76, std::nullopt, "THX"},         {119, std::nullopt, "Flipper"}, {77, std::nullopt, "Director's Cut"},
    {78, Msg::MsgSubtitled, {}},       {79, Msg::MsgDubbed, {}},       {80, std::nullopt, "Dolby Digital"},
    {81, std::nullopt, "DTS Digital"}, {104, Msg::MsgPSFullFrame, {}}, {157, std::nullopt, "Defect/Rotted"},
    {87, std::nullopt, "16:9"},
};

constexpr FlagLine ExtraFlags[] = {
    {133, std::nullopt, "Interview"},   {134, Msg::MsgTrailer, {}},
    {105, Msg::MsgIsolatedMusicFx, {}}, {108, std::nullopt, "Multi Angle"},
    {135, Msg::MsgDeletedScenes, {}},   {136, std::nullopt, "Featurette"},
    {137, Msg::MsgAudioCommentary, {}}, {138, std::nullopt, "Notes/Photos/Bio"},
    {139, Msg::MsgOther, {}},           {140, Msg::MsgDocumentary, {}},
};

std::vector<std::string> LinesOf(std::span<const FlagLine> flags, const TitleRecord& t,
                                 const MessageCatalogue& catalogue) {
    std::vector<std::string> lines;
    for (const auto& f : flags)
        if (t.Flag(f.offset)) lines.emplace_back(f.entry ? catalogue(*f.entry) : f.fixed);
    return lines;
}

} // namespace

std::vector<std::string> OtherLines(const TitleRecord& t, const MessageCatalogue& catalogue) {
    return LinesOf(OtherFlags, t, catalogue);
}

std::vector<std::string> ExtrasLines(const TitleRecord& t, const MessageCatalogue& catalogue) {
    return LinesOf(ExtraFlags, t, catalogue);
}

std::vector<std::string_view> ActorNames(const Collection& c, const TitleRecord& t) {
    std::vector<std::string_view> names;
    for (auto off : ActorOffsets) {
        const std::string_view name = NameAt(c.List(ListId::Actor), t.U16(off));
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

} // namespace tavrin
