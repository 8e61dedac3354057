// Reading a TGA or PCX file from disk with our own readers.
#pragma once

#include "store/files/file_access.h"
#include "store/pictures/picture.h"

#include <filesystem>
#include <string_view>

namespace tavrin {

enum class PictureFormat { Tga, Pcx };

// By the file name's extension, without regard to case; else PCX when the bytes start with its
// mark, TGA otherwise (a TGA file has no mark).
PictureFormat GuessPictureFormat(std::string_view fileName, std::span<const std::uint8_t> bytes);

Picture DecodePicture(PictureFormat format, std::span<const std::uint8_t> bytes);

// The decoded picture of a file; NotFound, CannotRead, or Invalid when the reader gives nothing.
Expected<Picture, FileFailure> LoadPictureFile(const std::filesystem::path& path);

} // namespace tavrin
