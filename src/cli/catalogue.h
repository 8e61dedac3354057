// `tavrin-cli catalogue [--lang en|fr|de|it|fi]`: every text of one language as JSON, entry name
// to text in catalogue order, for translators to review.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

nlohmann::ordered_json CatalogueJson(int language);

// The language index of a code "en", "fr", "de", "it" or "fi".
std::optional<int> LanguageFromCode(std::string_view code);

int RunCatalogue(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
