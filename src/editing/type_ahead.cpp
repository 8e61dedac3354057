#include "editing/type_ahead.h"

#include "store/text_encoding.h"

namespace tavrin {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (UpperCp1252(text[i]) != UpperCp1252(prefix[i])) return false;
    return true;
}

} // namespace

TypeAhead CompleteTyped(std::string_view text, std::size_t caret, bool erasing,
                        std::span<const SortedEntry> rows) {
    TypeAhead out{std::string(text), caret, 0, -1};
    if (!erasing && !text.empty() && caret == text.size()) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!StartsWithIgnoringCase(rows[i].text, text)) continue;
            out.text = rows[i].text;
            out.selectionStart = text.size();
            out.selectionLength = out.text.size() - text.size();
            out.row = static_cast<int>(i);
            return out;
        }
        return out;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].text.size() == text.size() && StartsWithIgnoringCase(rows[i].text, text)) {
            out.row = static_cast<int>(i);
            break;
        }
    }
    return out;
}

} // namespace tavrin
