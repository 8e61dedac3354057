// A picture, sound or video file dropped on a title's multimedia slots: copied into MEDIAS under
// a name of its own and set in a slot, the way the title editor and the MULTIMEDIA page take it.
#pragma once

#include "editing/collection_changes.h"
#include "lang/catalogue.h"
#include "store/collection.h"
#include "store/expected.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tavrin {

// Why a drop changed nothing: the entry to show, and the system's reason for a copy that failed.
struct MediaDropRefusal {
    Msg message;
    std::string detail;
};

// The message of a refusal, in the catalogue's language (UTF-8).
std::string MediaDropText(const MessageCatalogue& catalogue, const MediaDropRefusal& refusal);

// The slot (0..3) a drop fills: the one dropped on, else the first that names no file; nothing
// when all four name one.
std::optional<std::size_t> DropSlot(const TitleRecord& t, std::optional<std::size_t> droppedOn);

// Copies source into medias under a new name made from its own (NewMediaNames, the extension of
// its kind) and gives that name. Refused, nothing written, for a file of no kind the program
// takes or one that cannot be copied.
Expected<std::string, MediaDropRefusal> CopyIntoMedias(const std::filesystem::path& medias,
                                                       const std::filesystem::path& source,
                                                       const NameList& media);

// For the title editor, whose title takes its slots at OK: the file copied as CopyIntoMedias does
// and its name appended to the multimedia list, one step (AddName); the new entry. A list that
// refuses the name takes the copy back.
Expected<int, MediaDropRefusal> AddDroppedMedia(Changes ch, const std::filesystem::path& source,
                                                const std::filesystem::path& medias);

struct DroppedMedia {
    std::string name; // its entry, and its file's name in MEDIAS
    std::size_t slot = 0;
};

// The whole drop on record r: the slot chosen, the file copied, its name set there as one step
// (SetMediaFile). A refusal changes nothing; a copy made before the list refused it is removed.
Expected<DroppedMedia, MediaDropRefusal> DropMediaOnTitle(Changes ch, std::size_t r,
                                                          std::optional<std::size_t> droppedOn,
                                                          const std::filesystem::path& source,
                                                          const std::filesystem::path& medias);

} // namespace tavrin
