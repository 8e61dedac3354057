// The search over every name of a title: the titles whose title or any of their names holds
// every word typed, compared without regard to case or accents.
#pragma once

#include "store/collection.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The words of a search, folded (upper case, accents off), in the order typed.
struct TitleSearch {
    std::vector<std::string> words;

    bool Empty() const { return words.empty(); }
};

// The words of a typed text (8-bit), split at blanks; no word at all: no search.
TitleSearch SearchWords(std::string_view typed);

// The titles of list whose title, director, actors, composer, publisher, box set, retailer or
// either other information holds every word (a word within one of them, not across two), in
// the order of list. An empty search keeps the whole list.
std::vector<std::uint16_t> SearchTitles(const Collection& c, std::span<const std::uint16_t> list,
                                        const TitleSearch& search);

} // namespace tavrin
