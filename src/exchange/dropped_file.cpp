#include "exchange/dropped_file.h"

#include "editing/media_files.h"
#include "exchange/catalogue_file.h"
#include "exchange/catalogue_source.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <optional>
#include <string>

namespace tavrin {
namespace {

std::string UpperExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string() : UpperCp1252(fileName.substr(dot + 1));
}

// The route a name decides alone.
std::optional<DropRoute> RouteByName(std::string_view fileName) {
    if (UpperExtension(fileName) == "KXT") return DropRoute::OpenCollection;
    if (MediaExtensionOf(fileName)) return DropRoute::AddMedia;
    return std::nullopt;
}

bool FirstLineHoldsTab(std::span<const std::uint8_t> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{'\n'});
    return std::find(bytes.begin(), end, std::uint8_t{'\t'}) != end;
}

} // namespace

DropRoute RouteDroppedFile(std::string_view fileName, std::span<const std::uint8_t> bytes) {
    if (const auto route = RouteByName(fileName)) return *route;
    if (RecogniseCatalogue(bytes)) return DropRoute::ImportCatalogue;
    const std::string extension = UpperExtension(fileName);
    if (extension == "CSV" || extension == "TSV" || (extension == "TXT" && FirstLineHoldsTab(bytes)))
        return DropRoute::ImportTable;
    return DropRoute::Unknown;
}

DropRoute RouteDroppedPath(const std::filesystem::path& file) {
    const std::string name = PathText(file.filename());
    if (const auto route = RouteByName(name)) return *route;
    const auto bytes = ReadCatalogueFile(file);
    return RouteDroppedFile(name,
                            bytes ? std::span<const std::uint8_t>(*bytes) : std::span<const std::uint8_t>());
}

} // namespace tavrin
