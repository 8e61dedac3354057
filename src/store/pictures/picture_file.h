// Reading a TGA or PCX file from disk with our own readers.
#pragma once

#include "store/files/file_access.h"
#include "store/pictures/picture.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace tavrin {

enum class PictureFormat { Tga, Pcx };

// The largest picture file worth reading, in any format: the largest picture, uncompressed, with
// room for headers (1,025 MB).
inline constexpr std::size_t LargestPictureFile =
    static_cast<std::size_t>(PictureSideLimit) * PictureSideLimit * 4 + (std::size_t{1} << 20);

// By the file name's extension, without regard to case; else PCX when the bytes start with its
// mark, TGA otherwise (a TGA file has no mark).
PictureFormat GuessPictureFormat(std::string_view fileName, std::span<const std::uint8_t> bytes);

Picture DecodePicture(PictureFormat format, std::span<const std::uint8_t> bytes);

// The decoded picture of a file; a file that cannot be read as ReadFileBytes says (within
// LargestPictureFile), or Invalid when the reader gives nothing.
Expected<Picture, FileFailure> LoadPictureFile(const std::filesystem::path& path);

} // namespace tavrin
