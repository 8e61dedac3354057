#include "reports/html_text.h"

#include "store/text_encoding.h"

namespace tavrin {
namespace {

constexpr char HexDigits[] = "0123456789abcdef";

std::string Hex(StoredColour value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), HexDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return digits;
}

// Padded to six digits "bbggrr", then read as "rrggbb".
std::string PadAndReorder(std::string digits) {
    if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
    return digits.substr(4, 2) + digits.substr(2, 2) + digits.substr(0, 2);
}

constexpr bool NeedsEscape(char ch) {
    return ch == '&' || ch == '<' || ch == '>' || ch == '"';
}

void AppendPercent(std::string& out, unsigned char b) {
    out += '%';
    out += "0123456789ABCDEF"[b >> 4];
    out += "0123456789ABCDEF"[b & 0xF];
}

} // namespace

std::string HtmlColour(StoredColour colour) {
    return PadAndReorder(Hex(colour & WhiteColour));
}

std::string RowShade(StoredColour background, int step) {
    std::string digits = Hex(background & WhiteColour);
    if ((background & WhiteColour) != 0) {
        for (std::size_t i = 0; i < digits.size(); i += 2) {
            const bool letter = digits[i] >= 'a';
            int code = digits[i] - step;
            if (letter && code < 'a') code = '9';
            if (code < '0') code = '0';
            digits[i] = static_cast<char>(code);
        }
    }
    return PadAndReorder(digits);
}

void AppendHtmlEscaped(std::string& out, std::string_view text) {
    std::size_t pos = 0;
    while (true) {
        // Runs without a special character go in whole: most texts have none at all.
        std::size_t special = pos;
        while (special < text.size() && !NeedsEscape(text[special]))
            ++special;
        out.append(text.data() + pos, special - pos);
        if (special == text.size()) return;
        switch (text[special]) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += "&quot;";
            break;
        }
        pos = special + 1;
    }
}

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendHtmlEscaped(out, text);
    return out;
}

std::string FileReference(std::string_view cp1252Name) {
    std::string out;
    for (char ch : Cp1252ToUtf8(cp1252Name)) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '-' ||
            b == '.' || b == '_' || b == '~')
            out += ch;
        else
            AppendPercent(out, b);
    }
    return out;
}

std::string TypedReference(std::string_view cp1252Reference) {
    std::string encoded;
    for (char ch : Cp1252ToUtf8(cp1252Reference)) {
        const auto b = static_cast<unsigned char>(ch);
        if (b <= 0x20 || b >= 0x7F || std::string_view("\"<>^`{|}").find(ch) != std::string_view::npos)
            AppendPercent(encoded, b);
        else
            encoded += ch;
    }
    return HtmlEscape(encoded);
}

} // namespace tavrin
