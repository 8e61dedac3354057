#include "cli/catalogue.h"

#include "cli/cli_files.h"
#include "lang/catalogue.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>

namespace tavrin::cli {
namespace {

// Language codes in language-index order.
constexpr std::array<std::string_view, LanguageCount> LanguageCodes{"en", "fr", "de", "it", "fi"};

nlohmann::ordered_json CatalogueJson(int language) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < MessageCount(); ++i) {
        const auto m = static_cast<Msg>(i);
        json[std::string(EntryName(m))] = std::string(MessageText(m, language));
    }
    return json;
}

} // namespace

Expected<int, std::string> ReadLanguage(std::string_view code) {
    const auto found = std::find(LanguageCodes.begin(), LanguageCodes.end(), code);
    if (found == LanguageCodes.end())
        return Unexpected("unknown language '" + std::string(code) + "' (en, fr, de, it or fi)");
    return static_cast<int>(found - LanguageCodes.begin());
}

int RunCatalogue(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const auto parsed = ParseArgs(CatalogueSyntax, args);
    if (!parsed) return Refuse(err, ExitUsage, {}, TakesText("catalogue", CatalogueSyntax));
    int language = 0;
    if (const auto code = parsed->Value(LangOption.name)) {
        const auto read = ReadLanguage(*code);
        if (!read) return Refuse(err, ExitUsage, {}, read.error());
        language = *read;
    }
    out << CatalogueJson(language).dump(2) << '\n';
    return FinishOutput(out, err);
}

} // namespace tavrin::cli
