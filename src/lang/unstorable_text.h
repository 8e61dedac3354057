// The refusal of a typed or imported text holding characters a collection cannot store. Every
// place that takes text into a collection asks here first, so that nothing becomes '?' unseen.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// "Title: ł and ż cannot be stored in a collection; type them without accents" in a language,
// naming the field (UTF-8) and every such character of text (UTF-8) once; empty when every
// character of text can be stored.
std::string UnstorableTextMessage(std::string_view field, std::string_view text, int language);

} // namespace tavrin
