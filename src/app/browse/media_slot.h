// Which of a title's four multimedia files the MULTIMEDIA page shows, and how: the decision of
// the page, without the controls.
#pragma once

#include "editing/media_files.h"
#include "store/collection.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace tavrin {

inline constexpr int MediaSlotCount = 4;

enum class SlotShows {
    NoFile,   // "NO FILE" in the panel
    NotFound, // "FILE NOT FOUND" in the panel
    TypeOnly, // the media type as the panel caption (loading off, or the page not on top)
    Picture,  // the picture, decoded from file
    Player,   // the player caption in the panel and the file opened in the player
    Nothing,  // a type of no kind: only its name
};

struct MediaSlotView {
    SlotShows shows = SlotShows::NoFile;
    std::string name; // the entry's text, 8-bit ("" for no file or an entry beyond the list)
    std::string type; // the current media type: the last three characters, once the file is found
    MediaKind kind = MediaKind::None;
    std::filesystem::path file; // the found file
};

// Slot 1..4 of record r. A stored value above 65000 is none and is written back as 0xFFFF.
// loading: the "Loading" option is on and the MULTIMEDIA page is the active page.
MediaSlotView DescribeMediaSlot(const Collection& c, std::size_t r, int slot, const std::filesystem::path& medias,
                                bool loading);

} // namespace tavrin
