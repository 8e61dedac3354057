// What the logic asks of the program's picture library: the pictures the logic has no reader or
// writer for (JPEG, PNG, GIF, BMP) are measured and converted by the window or command side
// (Qt's image readers and writers), which hands these functions down.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct EncodedPicture {
    std::vector<std::uint8_t> bytes;
    int width = 0;
    int height = 0;
};

struct PictureCodec {
    // The picture's size; nothing when the bytes are no picture it reads. extension ("jpg", "TGA")
    // is the file's, for formats without a mark.
    std::function<std::optional<EncodedPicture>(std::span<const std::uint8_t> bytes, std::string_view extension)>
        measure;
    // The picture written anew as format ("png" or "jpg"); nothing when it cannot be read.
    std::function<std::optional<EncodedPicture>(std::span<const std::uint8_t> bytes, std::string_view extension,
                                                std::string_view format)>
        convert;
};

} // namespace tavrin
