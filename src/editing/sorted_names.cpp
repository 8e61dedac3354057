#include "editing/sorted_names.h"

#include "store/title_order.h"

#include <algorithm>

namespace tavrin {

std::vector<SortedEntry> SortedEntries(const NameList& list) {
    std::vector<SortedEntry> rows;
    rows.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        rows.push_back({list[i], static_cast<int>(i)});
    std::stable_sort(rows.begin(), rows.end(), [](const SortedEntry& a, const SortedEntry& b) {
        return CompareTitleTexts(a.text, b.text) < 0;
    });
    return rows;
}

} // namespace tavrin
