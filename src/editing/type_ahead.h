// Type-ahead completion of the name lists' edit lines: typing the start of a name puts the first
// name of the list that begins so into the edit line, with the completed part selected so that
// typing on replaces it.
#pragma once

#include "editing/sorted_names.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

struct TypeAhead {
    std::string text;               // what the edit line shows now
    std::size_t selectionStart = 0; // the selected part of it (length 0: none, caret at start)
    std::size_t selectionLength = 0;
    int row = -1; // the row of the sorted list to select, -1 for none
};

// After each change of the edit text. No completion after Backspace or Delete, nor with the caret
// anywhere but at the end: the text stays and the row is the one that shows exactly this text
// (without regard to case), if any. Otherwise the first row whose text begins with the typed text
// (without regard to case) gives its full text, the typed part stays unselected and the rest is
// selected; without such a row nothing changes. Texts are 8-bit, one byte per character.
TypeAhead CompleteTyped(std::string_view text, std::size_t caret, bool erasing,
                        std::span<const SortedEntry> rows);

} // namespace tavrin
