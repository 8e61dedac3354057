// What the title-exchange fuzz targets check of a collection after an import or a merge: every
// reference names an entry of its list (or none) and the master order holds every title once, in
// title order.
#pragma once

#include "require.h"
#include "store/collection.h"
#include "store/title_order.h"

#include <vector>

namespace tavrin::fuzz {

// Titles from record `from` on: every reference re-linked into its list.
inline void RequireLinked(const Collection& c, std::size_t from) {
    for (std::size_t r = from; r < c.Count(); ++r) {
        const TitleRecord& t = c.RecordAt(r);
        for (ListId list : AllLists) {
            if (list == ListId::Publisher) {
                const int p = t.PublisherEntry();
                Require(p < 0 || static_cast<std::size_t>(p) < c.List(list).size(),
                        "publisher within its list");
                continue;
            }
            for (std::size_t off : ReferringOffsets(list)) {
                const int e = EntryFromStored(t.U16(off));
                Require(e < 0 || static_cast<std::size_t>(e) < c.List(list).size(),
                        "reference within its list");
                Require(e >= 0 || t.U16(off) == NoEntry, "none is stored as 0xFFFF");
            }
        }
    }
}

inline void RequireOrdered(const Collection& c) {
    Require(c.ListeIndex == SortedTitleOrder(c.titles), "master order is the title order");
}

} // namespace tavrin::fuzz
