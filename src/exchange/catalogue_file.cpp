#include "exchange/catalogue_file.h"

namespace tavrin {

Expected<std::vector<std::uint8_t>, FileFailure> ReadCatalogueFile(const std::filesystem::path& path) {
    return ReadFileBytes(path, LargestCatalogueFile);
}

} // namespace tavrin
