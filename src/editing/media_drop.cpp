#include "editing/media_drop.h"

#include "editing/media_files.h"
#include "store/files/file_access.h"
#include "store/text_encoding.h"

#include <system_error>

namespace tavrin {

std::string MediaDropText(const MessageCatalogue& catalogue, const MediaDropRefusal& refusal) {
    std::string text(catalogue(refusal.message));
    if (!refusal.detail.empty()) text += "\n" + refusal.detail;
    return text;
}

std::optional<std::size_t> DropSlot(const TitleRecord& t, std::optional<std::size_t> droppedOn) {
    if (droppedOn && *droppedOn < MediaOffsets.size()) return droppedOn;
    for (std::size_t slot = 0; slot < MediaOffsets.size(); ++slot)
        if (EntryFromStored(t.U16(MediaOffsets[slot])) < 0) return slot;
    return std::nullopt;
}

Expected<std::string, MediaDropRefusal> CopyIntoMedias(const std::filesystem::path& medias,
                                                       const std::filesystem::path& source,
                                                       const NameList& media) {
    const std::u8string own = source.filename().u8string();
    const std::string fileName =
        Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(own.data()), own.size()));
    const auto extension = MediaExtensionOf(fileName);
    if (!extension) return Unexpected{MediaDropRefusal{Msg::MsgDropNotMedia, {}}};
    const std::string stem = fileName.substr(0, fileName.rfind('.'));
    const std::string name = NewMediaNames(medias, media).Next(stem, *extension, "MEDIA");
    if (auto copied = CopyFileReplacing(source, MediaPath(medias, name)); !copied)
        return Unexpected{
            MediaDropRefusal{Msg::MsgDropNotCopied, copied.error().path + ": " + copied.error().detail}};
    return name;
}

Expected<int, MediaDropRefusal> AddDroppedMedia(Changes ch, const std::filesystem::path& source,
                                                const std::filesystem::path& medias) {
    const auto name = CopyIntoMedias(medias, source, ch.Data().List(ListId::Media));
    if (!name) return Unexpected{name.error()};
    const auto picked = PickOrAddName(ch, ListId::Media, *name);
    if (!picked) {
        std::error_code ec;
        std::filesystem::remove(MediaPath(medias, *name), ec);
        return Unexpected{MediaDropRefusal{picked.error(), {}}};
    }
    return picked->entry;
}

Expected<DroppedMedia, MediaDropRefusal> DropMediaOnTitle(Changes ch, std::size_t r,
                                                          std::optional<std::size_t> droppedOn,
                                                          const std::filesystem::path& source,
                                                          const std::filesystem::path& medias) {
    const Collection& c = ch.Data();
    if (r >= c.Count()) return Unexpected{MediaDropRefusal{Msg::MsgDropNoTitle, {}}};
    if (!MediaExtensionOf(PathText(source.filename())))
        return Unexpected{MediaDropRefusal{Msg::MsgDropNotMedia, {}}};
    const auto slot = DropSlot(c.RecordAt(r), droppedOn);
    if (!slot) return Unexpected{MediaDropRefusal{Msg::MsgDropSlotsFull, {}}};
    auto name = CopyIntoMedias(medias, source, c.List(ListId::Media));
    if (!name) return Unexpected{name.error()};
    if (auto set = SetMediaFile(ch, r, *slot, *name); !set) {
        std::error_code ec;
        std::filesystem::remove(MediaPath(medias, *name), ec);
        return Unexpected{MediaDropRefusal{set.error(), {}}};
    }
    return DroppedMedia{*name, *slot};
}

} // namespace tavrin
