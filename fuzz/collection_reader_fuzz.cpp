// libFuzzer target for the collection-file reader: any bytes must give a collection or Invalid,
// never a crash; what is accepted must hold together and survive a save and a reload unchanged.
#include "require.h"
#include "store/files/collection_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using namespace tavrin;

using fuzz::Require;

bool SameCollection(const Collection& a, const Collection& b) {
    return a.titles == b.titles && a.lists == b.lists && a.ListeIndex == b.ListeIndex;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = ParseCollection({data, size}, "OTHER");
    if (!parsed) {
        Require(parsed.error() == FileError::Invalid, "a refused file is reported as Invalid");
        return 0;
    }
    const LoadedCollection& loaded = *parsed;
    const Collection& c = loaded.collection;
    Require(loaded.magic.size() == 3 && std::memcmp(loaded.magic.data(), data, 3) == 0, "magic as read");
    Require(loaded.version == static_cast<char>(data[2]), "version letter is byte 2");

    const std::size_t n = c.titles.size();
    Require(n <= TitleCapacity, "title count within capacity");
    Require(c.ListeIndex.size() == n, "master order covers every title");
    std::vector<bool> seen(n, false);
    for (auto r : c.ListeIndex) {
        Require(r < n && !seen[r], "master order is a permutation of the record numbers");
        seen[r] = true;
    }
    for (const auto& list : c.lists)
        for (const auto& name : list)
            Require(name.size() <= NameTextSize && name.find('\0') == std::string::npos, "names fit a slot");
    if (loaded.version == 'T' || loaded.version == '2')
        Require(c.List(ListId::Publisher) == DefaultPublisherList("OTHER"),
                "old versions get default publishers");
    if (loaded.version == '5') {
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* stored = data + 5 + i * TitleRecordSize;
            Require(std::equal(stored, stored + TitleRecordSize, c.titles[i].bytes.begin()),
                    "version-5 records are taken as they are");
        }
    }

    // Save and reload: the same collection, and saving that again gives the same bytes.
    const auto saved = SerializeCollection(c);
    const auto reloaded = ParseCollection(saved, "OTHER");
    Require(reloaded.has_value(), "a saved collection reads back");
    Require(reloaded->version == '5', "what is saved is version 5");
    Require(SameCollection(reloaded->collection, c), "a saved collection reads back unchanged");
    Require(SerializeCollection(reloaded->collection) == saved, "saving is stable");
    return 0;
}
