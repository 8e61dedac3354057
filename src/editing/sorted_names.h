// A name list as the choosers show it: sorted for the eye, each row keeping its entry number.
#pragma once

#include "store/collection.h"

#include <string>
#include <vector>

namespace tavrin {

// A row of a chooser's visible list (two rows may show the same text).
struct SortedEntry {
    std::string text;
    int entry = -1;
};

// The entries of a list in the order the choosers show them: by CompareTitleTexts, equal texts
// by entry number.
std::vector<SortedEntry> SortedEntries(const NameList& list);

} // namespace tavrin
