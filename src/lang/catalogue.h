// Every text the user reads comes from this catalogue, by entry, in the current language.
#pragma once

#include <cstddef>
#include <string_view>

namespace tavrin {

enum class Msg {
#define TAVRIN_MSG(name, ...) name,
#include "lang/catalogue_entries.inc"
#undef TAVRIN_MSG
};

inline constexpr int LanguageCount = 5; // 0 English, 1 French, 2 German, 3 Italian, 4 Finnish
std::size_t MessageCount();
std::string_view EntryName(Msg m);

// The text of entry m in a language (UTF-8); an index outside 0 .. 4 reads as English.
// Every entry has its own text in every language.
std::string_view MessageText(Msg m, int language);

// The catalogue of the current language.
class MessageCatalogue {
  public:
    int Language() const { return language_; }
    void SetLanguage(int language) { language_ = language >= 0 && language < LanguageCount ? language : 0; }
    std::string_view operator()(Msg m) const { return MessageText(m, language_); }

  private:
    int language_ = 0;
};

} // namespace tavrin
