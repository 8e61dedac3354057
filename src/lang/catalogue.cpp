#include "lang/catalogue.h"

#include <array>

namespace tavrin {
namespace {

struct Entry {
    std::string_view name;
    std::array<std::string_view, LanguageCount> text;
};

constexpr Entry Entries[] = {
#define TAVRIN_MSG(name, en, fr, de, it, fi) {#name, {en, fr, de, it, fi}},
#include "lang/catalogue_entries.inc"
#undef TAVRIN_MSG
};

} // namespace

std::size_t MessageCount() { return std::size(Entries); }

std::string_view EntryName(Msg m) { return Entries[static_cast<std::size_t>(m)].name; }

std::string_view MessageText(Msg m, int language) {
    const auto& e = Entries[static_cast<std::size_t>(m)];
    return e.text[language >= 0 && language < LanguageCount ? language : 0];
}

} // namespace tavrin
