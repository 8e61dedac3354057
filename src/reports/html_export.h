// Writing the HTML export: the single page, or the index (with the frame set) and one page per
// title, each file written safely beside the chosen file; then the pictures the pages show.
#pragma once

#include "lang/catalogue.h"
#include "reports/html_pages.h"
#include "store/files/file_access.h"
#include "store/pictures/picture_codec.h"

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

struct HtmlExportResult {
    std::vector<std::filesystem::path> written; // every page written, the chosen file first
    std::vector<CoverPicture> pictures;         // to copy beside the pages
    std::vector<FileFailure> failures;          // the pages that could not be written
};

// Writes the pages for the list into the folder of chosenFile (the page files and the frame index
// beside it), each put in place only complete: the chosen file and the index through a temporary
// file renamed over the older one, the title pages through one FolderWriter (a page already
// holding its bytes left as it is). A page that cannot be written is listed in failures and the
// others are still written. flushToDisk forces the chosen file and the index out to the disk
// before they replace older ones; the title pages, up to 65,535 of them, are not forced one by one.
HtmlExportResult WriteHtmlExport(const std::filesystem::path& chosenFile, const ReportContext& context,
                                 std::span<const std::uint16_t> browse, const ExportChoices& choices,
                                 const HtmlOptions& options, const HtmlFolders& folders,
                                 bool flushToDisk = true);

// Where a picture goes: the folder of the pages, under its entry name.
std::filesystem::path PictureTarget(const std::filesystem::path& pageFolder, const CoverPicture& picture);

// Copies the pictures beside the pages through one FolderWriter, each replacing an older file of
// the same name only once it is complete; a picture that already is the file at its target, or
// whose target already holds its bytes, is left alone. A picture to convert is written as the PNG
// codec makes of it; pages in the medias folder itself never replace a file of the medias with
// it. copied, when given, hears the number of pictures done before each. Gives the ones that
// could not be copied, by the picture that could not be read (or converted, said in the
// catalogue's language) or the target that could not be written.
std::vector<FileFailure> CopyPictures(std::span<const CoverPicture> pictures,
                                      const std::filesystem::path& pageFolder, const PictureCodec* codec,
                                      const MessageCatalogue& catalogue,
                                      const std::function<void(std::size_t)>& copied = {});

} // namespace tavrin
