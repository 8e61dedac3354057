#include "app/browse/media_slot.h"

namespace tavrin {

MediaSlotView DescribeMediaSlot(Collection& c, std::size_t r, int slot, const std::filesystem::path& medias,
                                bool loading) {
    MediaSlotView view;
    if (r >= c.Count() || slot < 1 || slot > MediaSlotCount) return view;
    TitleRecord& t = c.titles[r];
    const std::size_t offset = MediaOffsets[static_cast<std::size_t>(slot - 1)];
    if (t.U16(offset) > MaxEntryNumber) t.SetU16(offset, NoEntry);
    const std::uint16_t entry = t.U16(offset);
    if (entry == NoEntry) return view;

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
