#include "app/browse/media_slot.h"

namespace tavrin {

MediaSlotView DescribeMediaSlot(const Collection& c, std::size_t r, int slot, const std::filesystem::path& medias,
                                bool loading) {
    MediaSlotView view;
    if (r >= c.Count() || slot < 1 || slot > MediaSlotCount) return view;
    const TitleRecord& t = c.titles[r];
    const std::size_t offset = MediaOffsets[static_cast<std::size_t>(slot - 1)];
    // A stored value above the last entry number names no file.
    const std::uint16_t entry = t.U16(offset);
    if (entry > MaxEntryNumber) return view;

    const NameList& names = c.List(ListId::Media);
    // An entry beyond the list has an empty name, which no file has.
    if (entry < names.size()) view.name = names[entry];
    const auto file = FindMediaFile(medias, view.name);
    if (!file) {
        view.shows = SlotShows::NotFound;
        return view;
    }
    view.file = *file;
    view.type = std::string(MediaType(view.name));
    view.kind = KindOfMedia(view.name);
    if (!loading)
        view.shows = SlotShows::TypeOnly;
    else if (view.kind == MediaKind::Picture)
        view.shows = SlotShows::Picture;
    else if (view.kind == MediaKind::None)
        view.shows = SlotShows::Nothing;
    else
        view.shows = SlotShows::Player;
    return view;
}

} // namespace tavrin
