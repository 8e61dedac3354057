// libFuzzer target for the Ant Movie Catalog reader: any bytes give a catalogue or a failure,
// never a crash or a read outside them; a file not marked " AMC_" is no catalogue; every title
// comes from a record of at least its fixed size, and its cover from bytes of the file.
#include "exchange/catalogue_source.h"
#include "require.h"

#include <cstdint>
#include <string_view>

namespace {

using namespace tavrin;
using tavrin::fuzz::Require;

// The eight numbers, the mark, the 22 text counts and the picture's count.
constexpr std::size_t SmallestRecord = 8 * 4 + 1 + 23 * 4;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = ReadAntMovieCatalog({data, size});
    if (!text.starts_with(" AMC_")) {
        Require(!read && read.error().error == CatalogueError::NotACatalogue, "only AMC files are read");
        return 0;
    }
    if (!read) {
        Require(read.error().error != CatalogueError::NotACatalogue, "a marked file is refused for a reason");
        Require(!read.error().detail.empty(), "a refusal says what did not read");
        return 0;
    }
    Require(read->format == CatalogueFormat::AntMovieCatalog, "the format is the reader's");
    Require(read->titles.size() * SmallestRecord <= size, "no title without its record");
    std::size_t pictures = 0;
    for (const SourceTitle& title : read->titles) {
        pictures += title.cover.bytes.size();
        Require(title.ratingMaximum == 100, "marks are out of 100");
        Require(!title.length || *title.length > 0, "no length is none");
    }
    Require(pictures <= size, "covers come from the file's bytes");
    return 0;
}
