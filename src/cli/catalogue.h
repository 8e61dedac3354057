// `tavrin-cli catalogue [--lang en|fr|de|it|fi]`: every text of one language as JSON, entry name
// to text in catalogue order, for translators to review.
#pragma once

#include "cli/options.h"
#include "store/expected.h"

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tavrin::cli {

inline constexpr Option LangOption{"--lang", "en|fr|de|it|fi",
                                   "the language of the texts (English by default)"};

// The language index a --lang value names, or the refusal.
Expected<int, std::string> ReadLanguage(std::string_view code);

inline constexpr Option CatalogueOptions[] = {LangOption};
inline constexpr Syntax CatalogueSyntax{{}, CatalogueOptions};

int RunCatalogue(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
