// The browse list as a Tellico video collection: a zip with tellico.xml (syntax version 11) and
// images/ holding the covers, every value of a title kept in a field Tellico shows.
#pragma once

#include "store/collection.h"
#include "store/expected.h"
#include "store/files/file_access.h"
#include "store/pictures/picture_codec.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

struct TellicoExportInput {
    const Collection* collection = nullptr;
    std::span<const std::uint16_t> records; // the titles to write, in this order
    std::filesystem::path textFolder;       // review texts become comments
    std::filesystem::path mediasFolder;     // the Media1 picture becomes the cover
    const PictureCodec* codec = nullptr;    // converts covers to PNG; none: only JPEG, PNG, GIF kept
    std::string title = "Tavrin";           // the collection's title
};

// tellico.xml alone; with pictures, the ids of the covers it refers to and their bytes.
struct TellicoDocument {
    std::string xml;
    struct Image {
        std::string id; // md5 hex + ".jpeg" / ".png" / ".gif"
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Image> images;
};
TellicoDocument TellicoXml(const TellicoExportInput& input);

// The whole .tc file.
std::vector<std::uint8_t> TellicoZip(const TellicoExportInput& input);

} // namespace tavrin
