#include "store/title_record.h"

#include <algorithm>

namespace tavrin {

// The title text starts the record, so the bytes' start is the text's.
static_assert(FieldOffset("Title", FieldKind::Text) == 0);

std::string_view TitleRecord::TitleView() const {
    const auto* text = reinterpret_cast<const char*>(bytes.data());
    const auto* end = std::find(text, text + TitleTextSize, '\0');
    return {text, static_cast<std::size_t>(end - text)};
}

std::string TitleRecord::Title() const {
    return std::string(TitleView());
}

void TitleRecord::SetTitle(std::string_view text) {
    const std::size_t n = std::min(text.size(), TitleTextSize - 1);
    std::fill(bytes.begin(), bytes.begin() + TitleTextSize, std::uint8_t{0});
    std::copy_n(text.begin(), n, reinterpret_cast<char*>(bytes.data()));
}

} // namespace tavrin
