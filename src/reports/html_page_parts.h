// The parts of the HTML pages around the detail block: the page head and foot, the page file
// names, the index and frame pages, a title's cover picture and review text. Every function gives
// the exact bytes (8-bit Windows-1252, CR LF after every line); every text taken from the
// collection is escaped, every file reference percent-encoded.
#pragma once

#include "platform/settings.h"
#include "reports/html_text.h"
#include "store/collection.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Where a picture stands beside the details: the items of "Center Image".
enum class PicturePlace { None, Right, Left };

// The index page of the frame layout, beside the chosen file.
inline constexpr std::string_view FrameIndexName = "liste_index.htm";

// What the options window chooses.
struct HtmlOptions {
    StoredColour textColour = BlackColour;
    StoredColour backgroundColour = WhiteColour;
    std::string backgroundImage; // typed reference, 8-bit; empty for none
    bool multiPage = false;
    bool frames = false;
    bool pictures = false; // each title's cover picture
    PicturePlace place = PicturePlace::Right;
    std::string mailAddress{DefaultMailAddress}; // 8-bit
};

// Where titles' pictures and review texts are read; nothing outside these two folders is read.
struct HtmlFolders {
    std::filesystem::path medias;
    std::filesystem::path text;
};

// A file name (8-bit) as a path.
std::filesystem::path PathFromCp1252(std::string_view name);

// The page file name of each title (with ".htm"): the list text trimmed, the characters a file
// name cannot hold replaced by "_", consecutive equal names numbered (Alien, Alien1, Alien2).
// Names are kept distinct from one another and from the reserved names (the chosen file, the
// frame index), compared without regard to case as on Windows, by numbering on.
std::vector<std::string> PageFileNames(std::span<const std::string_view> titles,
                                       std::span<const std::string_view> reserved = {});

// The two head lines of a page for a title or list name T (8-bit).
std::string PageHead(std::string_view title, const HtmlOptions& options);
// The foot line, with the mail link.
std::string PageFoot(std::string_view mailAddress);
// The frame set: the index above, the first title's page below (empty list: a blank page).
std::string FrameSetPage(std::string_view listName, std::string_view firstPage);

// A title's cover picture: the entry of its first multimedia slot, when that is a plain file name
// of a file in the medias folder ending in "JPG", "JPEG", "GIF" or "PNG" (copied beside the pages
// as it is) or in "BMP", "TGA" or "PCX" (which browsers do not show: written beside the pages as
// PNG).
struct CoverPicture {
    std::string name;             // the file beside the pages, 8-bit: the entry, or its PNG name
    std::filesystem::path source; // medias/entry
    std::string convertFrom = {}; // the entry's kind when written anew as PNG ("BMP"); empty: copied
};
std::optional<CoverPicture> FindCoverPicture(const Collection& collection, const TitleRecord& title,
                                             const std::filesystem::path& medias);

// A review text as page lines: "<P>", then each line of the text ending in "<BR>", or in "<P>"
// where an empty line follows (which is then skipped).
void AppendReviewText(std::string& out, std::string_view text);

// The index page of the multi-page layout, linking each title to its page.
std::string IndexPage(const Collection& collection, std::span<const std::uint16_t> browse,
                      std::span<const std::string> pageNames, std::string_view listName,
                      const HtmlOptions& options);

} // namespace tavrin
