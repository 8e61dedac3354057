// libFuzzer target for tavrin-cli from-json: any text must give a collection or a message, never
// a crash or an exception; what is accepted must be a collection the file reader takes back whole.
#include "cli/from_json.h"
#include "require.h"
#include "store/files/collection_file.h"

#include <cstdint>
#include <string_view>

namespace {

using namespace tavrin;

using fuzz::Require;

bool ReferenceHolds(std::uint16_t stored, std::size_t count) {
    return stored > MaxEntryNumber || stored < count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto built = cli::CollectionFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!built) {
        Require(!built.error().empty(), "a refusal says why");
        return 0;
    }
    const Collection& c = *built;
    for (const auto& t : c.titles) {
        for (ListId id : AllLists)
            for (auto offset : ReferringOffsets(id))
                Require(ReferenceHolds(t.U16(offset), c.List(id).size()), "references name an entry or none");
        Require(t.Publisher() == NoPublisher || t.Publisher() < c.List(ListId::Publisher).size(),
                "the publisher names an entry or none");
    }
    const auto saved = SerializeCollection(c);
    const auto reloaded = ParseCollection(saved, "OTHER");
    Require(reloaded.has_value(), "what from-json writes reads back");
    Require(reloaded->collection.titles == c.titles && reloaded->collection.lists == c.lists &&
                reloaded->collection.ListeIndex == c.ListeIndex,
            "what from-json writes reads back unchanged");
    return 0;
}
