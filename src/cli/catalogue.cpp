#include "cli/catalogue.h"

#include "cli/cli_files.h"
#include "lang/catalogue.h"

#include <algorithm>
#include <array>
#include <string>

namespace tavrin::cli {
namespace {

// Language codes in language-index order.
constexpr std::array<std::string_view, LanguageCount> LanguageCodes{"en", "fr", "de", "it", "fi"};

} // namespace

std::optional<int> LanguageFromCode(std::string_view code) {
    const auto found = std::find(LanguageCodes.begin(), LanguageCodes.end(), code);
    if (found == LanguageCodes.end()) return std::nullopt;
    return static_cast<int>(found - LanguageCodes.begin());
}

nlohmann::ordered_json CatalogueJson(int language) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < MessageCount(); ++i) {
        const auto m = static_cast<Msg>(i);
        json[std::string(EntryName(m))] = std::string(MessageText(m, language));
    }
    return json;
}

int RunCatalogue(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    int language = 0;
    if (!args.empty()) {
        if (args.size() != 2 || args[0] != "--lang") {
            err << "tavrin-cli: catalogue takes [--lang en|fr|de|it|fi]\n";
            return ExitUsage;
        }
        const auto code = std::find(LanguageCodes.begin(), LanguageCodes.end(), args[1]);
        if (code == LanguageCodes.end()) {
            err << "tavrin-cli: unknown language '" << args[1] << "' (en, fr, de, it or fi)\n";
            return ExitUsage;
        }
        language = static_cast<int>(code - LanguageCodes.begin());
    }
    out << CatalogueJson(language).dump(2) << '\n';
    return FinishOutput(out, err);
}

} // namespace tavrin::cli
