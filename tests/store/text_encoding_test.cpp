#include "store/text_encoding.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

std::string Byte(unsigned char b) {
    return std::string(1, static_cast<char>(b));
}

TEST(TextEncodingTest, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one = Byte(static_cast<unsigned char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << "byte " << b;
        all += one;
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextEncodingTest, ConvertsTheWindowsCharactersBothWays) {
    struct Pair {
        unsigned char byte;
        std::string utf8;
    };
    const Pair pairs[] = {
        {0x41, "A"},
        {0x80, "\xE2\x82\xAC"}, // €
        {0x8C, "\xC5\x92"},     // Œ
        {0x99, "\xE2\x84\xA2"}, // ™
        {0x9F, "\xC5\xB8"},     // Ÿ
        {0xA0, "\xC2\xA0"},     // no-break space
        {0xA3, "\xC2\xA3"},     // £
        {0xC9, "\xC3\x89"},     // É
        {0xE9, "\xC3\xA9"},     // é
        {0xFF, "\xC3\xBF"},     // ÿ
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(Cp1252ToUtf8(Byte(p.byte)), p.utf8) << int{p.byte};
        EXPECT_EQ(Utf8ToCp1252(p.utf8), Byte(p.byte)) << int{p.byte};
    }
    EXPECT_EQ(Cp1252ToUtf8("CAF\xC9 \x80"
                           "5"),
              "CAF\xC3\x89 \xE2\x82\xAC"
              "5");
}

TEST(TextEncodingTest, CharactersWithoutAWindowsFormBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("A\xE4\xB8\xAD"
                           "B"),
              "A?B");                                 // a CJK ideograph
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?"); // an emoji: one character, one mark
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");         // U+0080 is not the euro byte
    EXPECT_EQ(Utf8ToCp1252("\xC5\x81"), "?");         // Ł
}

TEST(TextEncodingTest, MalformedUtf8BecomesQuestionMarksAndLosesNoNeighbour) {
    EXPECT_EQ(Utf8ToCp1252("\x80"), "?");     // a lone continuation byte
    EXPECT_EQ(Utf8ToCp1252("AB\xC3"), "AB?"); // cut off at the end
    EXPECT_EQ(Utf8ToCp1252("\xC3"
                           "A"),
              "?A");                           // a lead byte without its continuation
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "??"); // a three-byte form cut short
    EXPECT_EQ(Utf8ToCp1252("\xFF"
                           "Z"),
              "?Z"); // never valid
    // Overlong forms are malformed: they must not smuggle a NUL or a plain letter into a title.
    const std::string nul = Utf8ToCp1252("A\xC0\x80"
                                         "B");
    EXPECT_EQ(nul.find('\0'), std::string::npos);
    EXPECT_EQ(nul.front(), 'A');
    EXPECT_EQ(nul.back(), 'B');
    EXPECT_EQ(Utf8ToCp1252("\xC1\x81").find('A'), std::string::npos);
    EXPECT_EQ(Utf8ToCp1252("\xE0\x81\x81").find('A'), std::string::npos);
}

// What a window checks before converting: the characters without a Windows-1252 byte, each once
// in order, never one the code page has.
TEST(TextEncodingTest, FindsTheCharactersACollectionCannotStore) {
    struct Case {
        std::string text;
        std::vector<std::string> refused;
    };
    const Case cases[] = {
        {"Am\xC3\xA9lie", {}},
        {"\xC5\xA0koda \xE2\x82\xAC", {}},                                     // Š and €
        {"\xC5\x93uvre \xC3\xB1 \xC3\xBC \xC5\xBD \xE2\x80\xA6 \xC3\xBF", {}}, // œ ñ ü Ž … ÿ
        {"Cz\xC5\x82owiek z \xC5\xBC"
         "elaza",
         {"\xC5\x82", "\xC5\xBC"}}, // ł, ż
        // となりのトトロ: each kana once, in order of first appearance.
        {"\xE3\x81\xA8\xE3\x81\xAA\xE3\x82\x8A\xE3\x81\xAE\xE3\x83\x88\xE3\x83\x88\xE3\x83\xAD",
         {"\xE3\x81\xA8", "\xE3\x81\xAA", "\xE3\x82\x8A", "\xE3\x81\xAE", "\xE3\x83\x88", "\xE3\x83\xAD"}},
        {"A\xF0\x9F\x98\x80\xF0\x9F\x98\x80", {"\xF0\x9F\x98\x80"}}, // an emoji, twice
        {"\xC2\x80", {"\xC2\x80"}},                                  // U+0080 is not the euro byte
        {"A\xC3", {"\xEF\xBF\xBD"}},                                 // malformed bytes are named by U+FFFD
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnstorableCharacters(c.text), c.refused) << c.text;
        EXPECT_EQ(c.refused.empty(), Utf8ToCp1252(c.text).find('?') == std::string::npos) << c.text;
    }
}

TEST(TextEncodingTest, ListsCharactersForAMessage) {
    const std::vector<std::string> three{"\xC5\x82", "\xC5\xBC", "\xC5\x91"};
    const std::pair<std::size_t, std::string> cases[] = {
        {0, ""},
        {1, "\xC5\x82"},
        {2, "\xC5\x82 and \xC5\xBC"},
        {3, "\xC5\x82, \xC5\xBC and \xC5\x91"},
    };
    for (const auto& [n, expected] : cases)
        EXPECT_EQ(CharacterList(std::span(three).first(n), " and "), expected) << n;
}

TEST(TextEncodingTest, AnEchoedTextKeepsItsFirst79CharactersWhole) {
    const std::string e = "\xC3\xA9"; // é, two bytes
    std::string many;
    for (int i = 0; i < 79; ++i)
        many += e;
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {std::string(80, 'a'), std::string(80, 'a')},
        {std::string(81, 'a'), std::string(79, 'a') + "\xE2\x80\xA6"},
        {many + "ab", many + "\xE2\x80\xA6"},
        {std::string(1 << 20, 'k'), std::string(79, 'k') + "\xE2\x80\xA6"},
    };
    for (const auto& [text, echoed] : cases)
        EXPECT_EQ(EchoedText(text), echoed) << text.size() << " bytes";
}

TEST(TextEncodingTest, UpperCasesOnlyTheLettersItCanStore) {
    const std::pair<std::string, std::string> cases[] = {
        {"am\xC3\xA9lie \xC5\x93", "AM\xC3\x89LIE \xC5\x92"}, // é to É, œ to Œ
        {"cz\xC5\x82owiek", "CZ\xC5\x82OWIEK"},               // ł left as typed
        {"\xE3\x81\xA8x", "\xE3\x81\xA8X"},
    };
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(UpperStorableLetters(typed), shown) << typed;
}

TEST(TextEncodingTest, UpperCasesWindowsLetters) {
    EXPECT_EQ(UpperCp1252("the thing 2"), "THE THING 2");
    EXPECT_EQ(UpperCp1252("\xE9t\xE9"), "\xC9T\xC9"); // été → ÉTÉ
    EXPECT_EQ(UpperCp1252('\xFF'), '\x9F');           // ÿ → Ÿ
    EXPECT_EQ(UpperCp1252('\x9A'), '\x8A');           // š → Š
    EXPECT_EQ(UpperCp1252('\x9C'), '\x8C');           // œ → Œ
    EXPECT_EQ(UpperCp1252('\x9E'), '\x8E');           // ž → Ž
    EXPECT_EQ(UpperCp1252('\xE0'), '\xC0');           // à → À
    EXPECT_EQ(UpperCp1252('\xFE'), '\xDE');           // þ → Þ
    EXPECT_EQ(UpperCp1252('\xDF'), '\xDF');           // ß has no single upper case
    EXPECT_EQ(UpperCp1252('\xF7'), '\xF7');           // ÷ is not a letter
    EXPECT_EQ(UpperCp1252('\xB5'), '\xB5');           // µ stays
}

} // namespace
} // namespace tavrin
