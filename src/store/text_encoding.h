// Texts in records and files are 8-bit Windows-1252. This is the one converter between that and
// UTF-8 (what the windows and the command line speak), and the one upper-casing rule.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

std::string Cp1252ToUtf8(std::string_view text);
// Characters with no Windows-1252 form become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view text);
// The Windows-1252 byte of a code point; -1 when the code page has none.
int Cp1252FromCodePoint(char32_t cp);

// The characters of a UTF-8 text that Windows-1252 cannot hold, each once, in the order they first
// appear, each as its UTF-8 bytes; empty when the whole text can be stored. A malformed byte counts
// as U+FFFD, which cannot be stored either. Checked before Utf8ToCp1252, so that nothing typed
// becomes '?' unseen.
std::vector<std::string> UnstorableCharacters(std::string_view utf8);
// The characters for a message: "ł", "ł and ż", "ł, ż and ő", with the language's word for "and"
// given blanks and all (" and ").
std::string CharacterList(std::span<const std::string> characters, std::string_view andWord);
// A UTF-8 text with its Windows-1252 letters upper-cased as UpperCp1252 does; every other
// character is left exactly as it is.
std::string UpperStorableLetters(std::string_view utf8);

// A UTF-8 text as a message echoes it: whole when it has at most 80 characters, else its first 79
// and "…", so that no input, however long, floods a message. A character is never cut in two.
inline constexpr std::size_t EchoedTextLimit = 80;
std::string EchoedText(std::string_view utf8);

// Upper case of one Windows-1252 character: a..z, the accented letters (é to É), š, œ, ž, ÿ.
char UpperCp1252(char c);
std::string UpperCp1252(std::string_view text);

namespace detail {
constexpr std::array<unsigned char, 256> MakeFolded() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b)
        t[b] = static_cast<unsigned char>(b - 0x20);
    auto fold = [&t](int from, int to, char base) {
        for (int b = from; b <= to; ++b) {
            t[b] = static_cast<unsigned char>(base);
            t[b + 0x20] = static_cast<unsigned char>(base);
        }
    };
    fold(0xC0, 0xC6, 'A'); // À .. Æ
    fold(0xC7, 0xC7, 'C');
    fold(0xC8, 0xCB, 'E');
    fold(0xCC, 0xCF, 'I');
    fold(0xD0, 0xD0, 'D');
    fold(0xD1, 0xD1, 'N');
    fold(0xD2, 0xD6, 'O');
    fold(0xD8, 0xD8, 'O');
    fold(0xD9, 0xDC, 'U');
    fold(0xDD, 0xDD, 'Y');
    fold(0xDE, 0xDE, 'T');
    t[0xDF] = 'S'; // ß
    t[0xFF] = 'Y';
    t[0x8A] = t[0x9A] = 'S';
    t[0x8C] = t[0x9C] = 'O';
    t[0x8E] = t[0x9E] = 'Z';
    t[0x9F] = 'Y';
    return t;
}
} // namespace detail

// Each Windows-1252 byte upper case with its accent taken off (é and É to E, ß to S, œ to O):
// the weight titles sort by, and how a search compares.
inline constexpr std::array<unsigned char, 256> FoldedCp1252 = detail::MakeFolded();

} // namespace tavrin
