// The file of another catalogue program, read for the import: the bytes ReadCatalogueBytes takes.
#pragma once

#include "store/expected.h"
#include "store/files/file_access.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace tavrin {

// The largest file of another program taken: 512 MB. The text of the largest collection Tavrin can
// hold, 65,535 titles at a few kilobytes of XML each, is some 330 MB; the rest is room for covers
// kept inside the file (a Tellico archive) and for the parsers, which hold the whole file.
inline constexpr std::size_t LargestCatalogueFile = std::size_t{512} << 20;

// The whole file, read as ReadFileBytes does: NotFound, NotRegular, CannotRead with the system's
// reason, or TooLarge past LargestCatalogueFile, each before a byte is read.
Expected<std::vector<std::uint8_t>, FileFailure> ReadCatalogueFile(const std::filesystem::path& path);

} // namespace tavrin
