// Keyboard mnemonics for menu titles and items: one underlined letter each, distinct within a
// menu, chosen from the texts of the current language when they are applied.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The texts (UTF-8, as shown) marked for a toolkit that underlines the letter after '&': every
// '&' of a text doubled, and one '&' put before a letter or digit that no earlier text of the list
// uses, without regard to case. The first letter of a word is preferred, then any other; when
// letters run short, as many texts as possible get one (an earlier text may take another of its
// letters to leave one to a later text), and a text left without a free letter gets none. Only ASCII letters and digits are chosen: every keyboard has them.
std::vector<std::string> WithMnemonics(std::span<const std::string> texts);

} // namespace tavrin
