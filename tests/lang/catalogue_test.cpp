#include "lang/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace tavrin {
namespace {

Msg Entry(std::size_t i) {
    return static_cast<Msg>(i);
}

// True for well-formed UTF-8 (shortest forms, no surrogates).
bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int extra = b < 0x80                 ? 0
                          : b >= 0xC2 && b <= 0xDF ? 1
                          : b >= 0xE0 && b <= 0xEF ? 2
                          : b >= 0xF0 && b <= 0xF4 ? 3
                                                   : -1;
        if (extra < 0 || s.size() - i <= static_cast<std::size_t>(extra)) return false;
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF) ||
            cp > 0x10FFFF)
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

TEST(CatalogueTest, EveryEntryHasANameAndAnEnglishText) {
    ASSERT_GT(MessageCount(), 200u);
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < MessageCount(); ++i) {
        const Msg m = Entry(i);
        SCOPED_TRACE(std::string(EntryName(m)));
        EXPECT_TRUE(EntryName(m).starts_with("Msg"));
        EXPECT_TRUE(names.insert(EntryName(m)).second) << "name used twice";
        EXPECT_FALSE(MessageText(m, 0).empty());
        for (int lang = 0; lang < LanguageCount; ++lang) {
            EXPECT_FALSE(MessageText(m, lang).empty()) << "language " << lang;
            EXPECT_TRUE(IsUtf8(MessageText(m, lang))) << "language " << lang;
        }
    }
    // Entry names line up with the entries they name.
    EXPECT_EQ(EntryName(Msg::MsgInvalidFile), "MsgInvalidFile");
    EXPECT_EQ(EntryName(Msg::MsgOther), "MsgOther");
}

struct ExpectedText {
    std::string_view name;
    std::array<std::string_view, LanguageCount> text; // English only: the others empty
};

constexpr ExpectedText English[] = {
#define ENGLISH(name, en) {#name, {en, "", "", "", ""}},
#define TRANSLATED(name, en, fr, de, it, fi)
#include "lang/expected_texts.inc"
#undef ENGLISH
#undef TRANSLATED
};

constexpr ExpectedText Translated[] = {
#define ENGLISH(name, en)
#define TRANSLATED(name, en, fr, de, it, fi) {#name, {en, fr, de, it, fi}},
#include "lang/expected_texts.inc"
#undef ENGLISH
#undef TRANSLATED
};

std::optional<Msg> ByName(std::string_view name) {
    for (std::size_t i = 0; i < MessageCount(); ++i)
        if (EntryName(Entry(i)) == name) return Entry(i);
    return std::nullopt;
}

// Byte for byte, blanks and line breaks included; the program's own additions come after them.
TEST(CatalogueTest, TheEnglishCatalogueInOrder) {
    ASSERT_GE(MessageCount(), std::size(English));
    for (std::size_t i = 0; i < std::size(English); ++i) {
        SCOPED_TRACE(std::string(English[i].name));
        EXPECT_EQ(EntryName(Entry(i)), English[i].name);
        EXPECT_EQ(MessageText(Entry(i), 0), English[i].text[0]);
    }
}

TEST(CatalogueTest, TheGivenTranslations) {
    for (const auto& expected : Translated) {
        SCOPED_TRACE(std::string(expected.name));
        const auto m = ByName(expected.name);
        ASSERT_TRUE(m);
        for (int lang = 0; lang < LanguageCount; ++lang)
            EXPECT_EQ(MessageText(*m, lang), expected.text[lang]) << "language " << lang;
    }
}

// A text equal to the English one is almost always a forgotten translation; these are the words
// that really are the same in that language.
TEST(CatalogueTest, TranslationsAreNotCopiesOfTheEnglish) {
    // clang-format off
    const std::set<std::pair<std::string_view, int>> sameWord{
        {"MsgApril", 2}, {"MsgAugust", 2}, {"MsgSeptember", 2}, {"MsgNovember", 2}, {"MsgTrailer", 3},
        {"MsgGenre", 1}, {"MsgGenre", 2}, {"MsgFiles", 3}, {"MsgDrama", 2}, {"MsgConcert", 1},
        {"MsgHorror", 3}, {"MsgMusical", 2}, {"MsgRomance", 1}, {"MsgTabMultimedia", 2},
        {"MsgTabMultimedia", 3}, {"MsgTabMultimedia", 4}, {"MsgTabText", 2}, {"MsgConfirmation", 1},
        {"MsgTotalPanel", 1}, {"MsgVersion", 1}, {"MsgVersion", 2}, {"MsgPageFrame", 1}, {"MsgExtras", 2},
        {"MsgChartGenre", 1}, {"MsgChartGenre", 2}, {"MsgChartStandard", 1}, {"MsgChartStandardButton", 1},
        {"MsgChartStandardButton", 3},
        // The chart captions the classic program showed in English in French too.
        {"MsgChartAspectRatios", 1}, {"MsgChartDvdZone", 1}, {"MsgChartSingleRsdl", 1}};
    // clang-format on
    const std::set<std::string_view> sameEverywhere{"MsgClv", "MsgCav", "MsgRsdl", "MsgNoBuySell", "MsgOk"};
    for (std::size_t i = 0; i < MessageCount(); ++i) {
        const Msg m = Entry(i);
        if (sameEverywhere.contains(EntryName(m))) continue;
        for (int lang = 1; lang < LanguageCount; ++lang) {
            if (!sameWord.contains({EntryName(m), lang})) {
                EXPECT_NE(MessageText(m, lang), MessageText(m, 0)) << EntryName(m) << " language " << lang;
            }
        }
    }
}

// Blanks at either end carry layout: the translations keep them where the English has them.
TEST(CatalogueTest, TranslationsKeepTheBlanksAtTheEnds) {
    for (std::size_t i = 0; i < MessageCount(); ++i) {
        const Msg m = Entry(i);
        const std::string_view en = MessageText(m, 0);
        for (int lang = 1; lang < LanguageCount; ++lang) {
            const std::string_view t = MessageText(m, lang);
            EXPECT_EQ(en.starts_with(' '), t.starts_with(' ')) << EntryName(m) << " language " << lang;
            EXPECT_EQ(en.ends_with(' '), t.ends_with(' ')) << EntryName(m) << " language " << lang;
        }
    }
}

TEST(CatalogueTest, EnglishTextsAsShown) {
    EXPECT_EQ(MessageText(Msg::MsgInvalidFile, 0), "Invalid file!");
    EXPECT_EQ(MessageText(Msg::MsgAmazingCollectionButI, 0),
              "Amazing Collection! But I can't go further!\nContact me if you will!");
    EXPECT_EQ(MessageText(Msg::MsgOtherLanguage, 0), "Other Language ");
    EXPECT_EQ(MessageText(Msg::MsgDoYouWantTo, 0), "Do you want to save the change?");
    EXPECT_EQ(MessageText(Msg::MsgNotEnoughMemoryTo, 0), "Not enough memory to allocate buffer");
    EXPECT_EQ(MessageText(Msg::MsgYouHaveMadeNo, 0), "You have made no selection!");
    EXPECT_EQ(MessageText(Msg::MsgOther, 0), "Other");
    EXPECT_EQ(MessageText(Msg::MsgNewFile, 0), "New File");
}

TEST(CatalogueTest, LanguagesAndFallBackToEnglish) {
    EXPECT_EQ(MessageText(Msg::MsgDoYouWantTo, 1), "Voulez vous sauvegarder les changements?");
    EXPECT_EQ(MessageText(Msg::MsgDoYouWantTo, 2), "Wollen Sie die \xC3\x84nderungen speichern?");
    EXPECT_EQ(MessageText(Msg::MsgOpen, 4), "Avaa");
    // Outside 0 .. 4 English is read.
    for (int lang : {-1, 5, 7, 1000})
        EXPECT_EQ(MessageText(Msg::MsgDoYouWantTo, lang), "Do you want to save the change?");

    MessageCatalogue catalogue;
    EXPECT_EQ(catalogue(Msg::MsgSave), "Save");
    catalogue.SetLanguage(3);
    EXPECT_EQ(catalogue.Language(), 3);
    EXPECT_EQ(catalogue(Msg::MsgSave), "Salva");
    catalogue.SetLanguage(7);
    EXPECT_EQ(catalogue.Language(), 0);
    EXPECT_EQ(catalogue(Msg::MsgSave), "Save");
}

} // namespace
} // namespace tavrin
