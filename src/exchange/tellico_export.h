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
#include <string_view>
#include <vector>

namespace tavrin {

struct TellicoExportInput {
    const Collection* collection = nullptr;
    std::span<const std::uint16_t> records; // the titles to write, in this order
    std::filesystem::path textFolder;       // review texts become comments
    std::filesystem::path mediasFolder;     // the Media1 picture becomes the cover
    const PictureCodec* codec = nullptr;    // converts covers to PNG; none: only JPEG, PNG, GIF kept
    std::string title = "Tavrin";           // the collection's title (UTF-8)
};

// Where the pictures' bytes go: beside tellico.xml in the zip (the images listed empty), or
// inside it as base64 (a bare XML file Tellico opens on its own).
enum class TellicoImages { InZip, Embedded };

// A cover that could not be written: its multimedia entry (UTF-8) and why, in English for the
// command line ("no converter for this kind of picture").
struct LeftOutCover {
    std::string media;
    std::string reason;
    friend bool operator==(const LeftOutCover&, const LeftOutCover&) = default;
};

// tellico.xml alone; with pictures, the ids of the covers it refers to and their bytes.
struct TellicoDocument {
    std::string xml;
    struct Image {
        std::string id; // md5 hex + ".jpeg" / ".png" / ".gif"
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Image> images;
    // The covers that could not be written; their titles go out without a cover.
    std::vector<LeftOutCover> coversLeftOut;
};
TellicoDocument TellicoXml(const TellicoExportInput& input, TellicoImages images = TellicoImages::InZip);

// The whole .tc file; empty when the zip could not be made. coversLeftOut, when given, receives
// TellicoDocument::coversLeftOut.
std::vector<std::uint8_t> TellicoZip(const TellicoExportInput& input,
                                     std::vector<LeftOutCover>* coversLeftOut = nullptr);

// The texts the Disc Features field holds for the record's flags and extras ("THX", "Flipper",
// "Audio Commentary" ...), each with the field it comes from ("Thx", "Commentary"): what a
// reader of our own files maps back.
struct TellicoFeature {
    std::string_view field;
    std::string_view text;
};
std::span<const TellicoFeature> TellicoFeatures();

} // namespace tavrin
