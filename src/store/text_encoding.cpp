#include "store/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tavrin {
namespace {

// Code points of bytes 0x80 .. 0x9F. The five bytes Windows-1252 leaves undefined map to the C1
// control of the same value, so every byte survives a round trip through UTF-8.
constexpr std::array<char32_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePoint(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// One character of a UTF-8 text: its code point (U+FFFD when malformed) and its length in bytes.
struct Decoded {
    char32_t cp;
    std::size_t size;
};

Decoded DecodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) return {0xFFFD, 1};
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((cont & 0xC0) != 0x80) return {0xFFFD, 1};
        cp = (cp << 6) | (cont & 0x3F);
    }
    // An overlong form (C0 80 for NUL) is malformed: it must not slip a NUL or a plain letter in.
    static constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Shortest[extra] || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    return {cp, static_cast<std::size_t>(extra) + 1};
}

char ByteFor(char32_t cp) {
    const int byte = Cp1252FromCodePoint(cp);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

} // namespace

int Cp1252FromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < High.size(); ++i)
        if (High[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text)
        AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = DecodeAt(text, i);
        out.push_back(ByteFor(d.cp));
        i += d.size;
    }
    return out;
}

std::string EchoedText(std::string_view utf8) {
    std::size_t end = 0;
    std::size_t cut = 0; // where the last character that fits before the ellipsis ends
    for (std::size_t count = 0; end < utf8.size(); ++count) {
        if (count == EchoedTextLimit) return std::string(utf8.substr(0, cut)) + "\xE2\x80\xA6"; // …
        end += DecodeAt(utf8, end).size;
        if (count + 1 < EchoedTextLimit) cut = end;
    }
    return std::string(utf8);
}

std::vector<std::string> UnstorableCharacters(std::string_view utf8) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = DecodeAt(utf8, i);
        if (Cp1252FromCodePoint(d.cp) < 0) {
            std::string one;
            if (d.cp == 0xFFFD)
                AppendUtf8(one, d.cp); // malformed bytes are named by the replacement character
            else
                one.assign(utf8.substr(i, d.size));
            if (std::find(found.begin(), found.end(), one) == found.end()) found.push_back(std::move(one));
        }
        i += d.size;
    }
    return found;
}

std::string CharacterList(std::span<const std::string> characters, std::string_view andWord) {
    std::string out;
    for (std::size_t k = 0; k < characters.size(); ++k) {
        if (k > 0) out += k + 1 == characters.size() ? andWord : std::string_view(", ");
        out += characters[k];
    }
    return out;
}

std::string UpperStorableLetters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = DecodeAt(utf8, i);
        const int byte = Cp1252FromCodePoint(d.cp);
        if (byte < 0 || d.cp == 0xFFFD)
            out.append(utf8.substr(i, d.size));
        else
            AppendUtf8(out, CodePoint(static_cast<unsigned char>(UpperCp1252(static_cast<char>(byte)))));
        i += d.size;
    }
    return out;
}

char UpperCp1252(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A:
        return static_cast<char>(0x8A); // š
    case 0x9C:
        return static_cast<char>(0x8C); // œ
    case 0x9E:
        return static_cast<char>(0x8E); // ž
    case 0xFF:
        return static_cast<char>(0x9F); // ÿ
    default:
        return c;
    }
}

std::string UpperCp1252(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = UpperCp1252(c);
    return out;
}

} // namespace tavrin
