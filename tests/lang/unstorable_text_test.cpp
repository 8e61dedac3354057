#include "lang/unstorable_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

TEST(UnstorableTextTest, NamesTheFieldAndEachCharacterInTheLanguage) {
    struct Case {
        std::string field, text;
        int language;
        std::string message;
    };
    const Case cases[] = {
        {"Title", "Am\xC3\xA9lie \xE2\x82\xAC", 0, ""},
        {"Title",
         "Cz\xC5\x82owiek z \xC5\xBC"
         "elaza",
         0, "Title: \xC5\x82 and \xC5\xBC cannot be stored in a collection; type them without accents"},
        {"Actor", "W\xC5\x82odek", 0,
         "Actor: \xC5\x82 cannot be stored in a collection; type it without accents"},
        {"Titre", "\xC5\x82\xC5\xBC\xC5\x91", 1,
         "Titre : \xC5\x82, \xC5\xBC et \xC5\x91 ne peuvent pas \xC3\xAAtre enregistr\xC3\xA9s dans une "
         "collection ; tapez-les sans accents"},
        // A field or character holding "%2" is not filled in again.
        {"%2", "\xC5\x82", 3,
         "%2: \xC5\x82 non pu\xC3\xB2 essere memorizzato in una collezione; scrivetelo senza accenti"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnstorableTextMessage(c.field, c.text, c.language), c.message) << c.text;
}

} // namespace
} // namespace tavrin
