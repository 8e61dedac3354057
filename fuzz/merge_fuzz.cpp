// libFuzzer target for "Add A List": any bytes that read as a collection are merged into a small
// collection; the merge is refused with the collection unchanged, or leaves every new title linked
// to the collection's lists and the master order in title order. Never a crash.
#include "exchange_checks.h"
#include "store/files/collection_file.h"
#include "store/title_exchange.h"

#include <algorithm>
#include <cstdint>

namespace {

using namespace tavrin;
using tavrin::fuzz::Require;

Collection Small() {
    Collection c;
    c.List(ListId::Director) = {"VERDI", "LANG"};
    c.List(ListId::Retailer) = {"FNAC"};
    for (int i = 0; i < 250; ++i)
        c.List(ListId::Publisher).push_back("P" + std::to_string(i));
    TitleRecord t;
    t.SetTitle("METROPOLIS");
    t.SetDirector(1);
    t.SetPublisher(-1);
    for (std::size_t off : {57, 59, 61, 63, 65, 83, 85, 88, 106, 111, 113, 115, 117, 143})
        t.SetU16(off, NoEntry);
    AppendTitle(c, t);
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parsed = ParseCollection({data, size}, "OTHER");
    if (!parsed) return 0;
    const std::size_t m = parsed->collection.Count();
    Collection c = Small();
    const Collection before = c;
    const auto merged = MergeCollection(c, std::move(parsed->collection));
    if (!merged || m == 0) {
        Require(c.titles == before.titles && c.lists == before.lists && c.ListeIndex == before.ListeIndex,
                "a refused or empty merge changes nothing");
        return 0;
    }
    Require(c.Count() == 1 + m, "every title is appended");
    Require(c.RecordAt(0) == before.RecordAt(0), "the titles held stay as they were");
    for (ListId list : AllLists) {
        const auto& held = before.List(list);
        Require(std::equal(held.begin(), held.end(), c.List(list).begin()), "entries never move");
    }
    for (std::size_t r = 1; r < c.Count(); ++r)
        for (std::size_t off : MediaOffsets)
            Require(c.RecordAt(r).U16(off) == NoEntry, "multimedia files are dropped");
    tavrin::fuzz::RequireLinked(c, 0);
    tavrin::fuzz::RequireOrdered(c);
    return 0;
}
