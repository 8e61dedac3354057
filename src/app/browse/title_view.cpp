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

namespace {

struct FlagLine {
    std::size_t offset;
    std::optional<Msg> entry;
    std::string_view fixed; // the texts that are the same in every language
};

constexpr FlagLine OtherFlags[] = {
    {FlagOffset("Thx"), std::nullopt, "THX"},
    {FlagOffset("Flipper"), std::nullopt, "Flipper"},
    {FlagOffset("DirectorsCut"), std::nullopt, "Director's Cut"},
    {FlagOffset("Subtitled"), Msg::MsgSubtitled, {}},
    {FlagOffset("Dubbed"), Msg::MsgDubbed, {}},
    {FlagOffset("Ac3"), std::nullopt, "Dolby Digital"},
    {FlagOffset("Dts"), std::nullopt, "DTS Digital"},
    {FlagOffset("PanScan"), Msg::MsgPSFullFrame, {}},
    {FlagOffset("Rotted"), std::nullopt, "Defect/Rotted"},
    {FlagOffset("Widescreen169"), std::nullopt, "16:9"},
};

constexpr FlagLine ExtraFlags[] = {
    {FlagOffset("Interview"), std::nullopt, "Interview"},
    {FlagOffset("Trailer"), Msg::MsgTrailer, {}},
    {FlagOffset("IsolatedScore"), Msg::MsgIsolatedMusicFx, {}},
    {FlagOffset("MultiAngle"), std::nullopt, "Multi Angle"},
    {FlagOffset("DeletedScenes"), Msg::MsgDeletedScenes, {}},
    {FlagOffset("Featurette"), std::nullopt, "Featurette"},
    {FlagOffset("Commentary"), Msg::MsgAudioCommentary, {}},
    {FlagOffset("NotesPhotosBio"), std::nullopt, "Notes/Photos/Bio"},
    {FlagOffset("OtherExtras"), Msg::MsgOther, {}},
    {FlagOffset("Documentary"), Msg::MsgDocumentary, {}},
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
