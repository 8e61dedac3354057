// What a file dropped on the main window is, and so what opens it: a collection of this program,
// a spreadsheet, another catalogue program's collection, or a multimedia file for the current
// title.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace tavrin {

enum class DropRoute {
    OpenCollection,  // FILES Open, with that file
    ImportTable,     // Import A Spreadsheet, with that file
    ImportCatalogue, // Import From Another Program, with that file
    AddMedia,        // copied into MEDIAS and set in a slot of the current title
    Unknown,         // none of these: a message, nothing opened
};

// By its name and its bytes: a .KXT file opens as a collection and a file of a multimedia kind is
// added by name alone; then another program's collection is recognised by its content, whatever
// its name; then a .CSV or .TSV file, or a .TXT whose first line holds a tab, is a spreadsheet.
DropRoute RouteDroppedFile(std::string_view fileName, std::span<const std::uint8_t> bytes);

// The same for a file on disk, read only when its name does not decide (a file that cannot be
// read is routed by its name, and whatever opens it names the failure).
DropRoute RouteDroppedPath(const std::filesystem::path& file);

} // namespace tavrin
