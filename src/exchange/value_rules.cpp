#include "exchange/value_rules.h"

#include "exchange/catalogue_source.h"
#include "exchange/tellico_export.h"
#include "lang/catalogue.h"
#include "lang/vocabulary.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <span>
#include <utility>

namespace tavrin {
namespace {

// ---- Characters ----

// One character of a text: its code point and its length in bytes; valid is false for a byte
// that starts no well-formed UTF-8 character.
struct Char {
    char32_t cp;
    std::size_t size;
    bool valid;
};

Char DecodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= text.size()) return {lead, 1, extra == 0};
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto cont = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((cont & 0xC0) != 0x80) return {lead, 1, false};
        cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Shortest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return {lead, 1, false};
    return {cp, static_cast<std::size_t>(extra) + 1, true};
}

// The plain letters of the Latin letters Windows-1252 has no byte for, one Windows-1252 byte per
// code point from the first of each block; '.' where there is none, '*' for the two-letter ones.
constexpr std::string_view LatinExtendedA = // U+0100 .. U+017F
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "Ii**JjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "Oo..RrRrRrSsSsSs"
    "..TtTtTtUuUuUuUu"
    "UuUuWwYy.ZzZz..s";
constexpr std::string_view LatinExtendedB = // U+0180 .. U+024F
    "bBBb..OCcDDDd.EE"
    "EF.GGhIIKkl.MNnO"
    "Oo..PpR....tTtTU"
    "uUVYyZz........."
    "....*********AaI"
    "iOoUu\xDC\xFC\xDC\xFC\xDC\xFC\xDC\xFC"
    "e\xC4\xE4"
    "Aa\xC6\xE6"
    "GgGgKkOoOo.."
    "j***GgH.Nn\xC5\xE5\xC6\xE6\xD8\xF8"
    "AaAaEeEeIiIiOoOo"
    "RrRrUuUuSsTt..Hh"
    "Nd..ZzAaEe\xD6\xF6\xD5\xF5"
    "Oo"
    "OoYylntj..ACcLTs"
    "z..BUVEeJjQqRrYy";
constexpr std::string_view LatinExtendedAdditional = // U+1E00 .. U+1EFF
    "AaBbBbBb\xC7\xE7"
    "DdDdDd"
    "DdDdEeEeEeEeEeFf"
    "GgHhHhHhHhHhIi\xCF\xEF"
    "KkKkKkLlLlLlLlMm"
    "MmMmNnNnNnNn\xD5\xF5\xD5\xF5"
    "OoOoPpPpRrRrRrRr"
    "SsSsSs\x8A\x9A"
    "SsTtTtTt"
    "TtUuUuUuUuUuVvVv"
    "WwWwWwWwWwXxXxYy"
    "ZzZzZzhtwyas..*."
    "AaAa\xC2\xE2\xC2\xE2\xC2\xE2\xC2\xE2\xC2\xE2"
    "Aa"
    "AaAaAaAaEeEeEe\xCA\xEA"
    "\xCA\xEA\xCA\xEA\xCA\xEA\xCA\xEA"
    "IiIiOoOo"
    "\xD4\xF4\xD4\xF4\xD4\xF4\xD4\xF4\xD4\xF4"
    "OoOoOo"
    "OoOoUuUuUuUuUuUu"
    "UuYyYyYyYy......";
static_assert(LatinExtendedA.size() == 0x80 && LatinExtendedB.size() == 0xD0 &&
              LatinExtendedAdditional.size() == 0x100);

// The letters of two letters, and the punctuation with a plain form.
constexpr std::pair<char32_t, std::string_view> PlainForms[] = {
    {0x0132, "IJ"}, {0x0133, "ij"}, {0x01C4, "DZ"}, {0x01C5, "Dz"}, {0x01C6, "dz"}, {0x01C7, "LJ"},
    {0x01C8, "Lj"}, {0x01C9, "lj"}, {0x01CA, "NJ"}, {0x01CB, "Nj"}, {0x01CC, "nj"}, {0x01F1, "DZ"},
    {0x01F2, "Dz"}, {0x01F3, "dz"}, {0x1E9E, "SS"}, {0x2010, "-"},  {0x2011, "-"},  {0x2012, "-"},
    {0x2015, "-"},  {0x2212, "-"},  {0x201B, "'"},  {0x2032, "'"},  {0x201F, "\""}, {0x2033, "\""},
    {0x2024, "."},  {0x202F, " "},
};

// The Windows-1252 text that stands for a character Windows-1252 has no byte for; empty: none.
std::string_view PlainFormOf(char32_t cp) {
    auto inBlock = [cp](std::string_view block, char32_t first) -> std::optional<std::string_view> {
        if (cp < first || cp >= first + block.size()) return std::nullopt;
        const std::string_view one = block.substr(cp - first, 1);
        return one == "." || one == "*" ? std::string_view() : one;
    };
    for (const auto& [from, to] : PlainForms)
        if (from == cp) return to;
    if (cp >= 0x2000 && cp <= 0x200A) return " ";
    if (auto one = inBlock(LatinExtendedA, 0x100)) return *one;
    if (auto one = inBlock(LatinExtendedB, 0x180)) return *one;
    if (auto one = inBlock(LatinExtendedAdditional, 0x1E00)) return *one;
    return {};
}

// The accented letters of Windows-1252 by their plain letter and combining mark, so that a letter
// written as two characters (e + U+0301) becomes the one byte. Marks: g grave, a acute,
// c circumflex, t tilde, d diaeresis, r ring, z cedilla, v caron.
constexpr std::string_view AccentBases = "AAAAAA.CEEEEIIII.NOOOOO..UUUUY..aaaaaa.ceeeeiiii.nooooo..uuuuy.y";
constexpr std::string_view AccentMarks = "gactdr.zgacdgacd.tgactd..gacda..gactdr.zgacdgacd.tgactd..gacda.d";
static_assert(AccentBases.size() == 64 && AccentMarks.size() == 64);

char MarkLetter(char32_t cp) {
    switch (cp) {
    case 0x300:
        return 'g';
    case 0x301:
        return 'a';
    case 0x302:
        return 'c';
    case 0x303:
        return 't';
    case 0x308:
        return 'd';
    case 0x30A:
        return 'r';
    case 0x327:
        return 'z';
    case 0x30C:
        return 'v';
    default:
        return '\0';
    }
}

// The Windows-1252 byte of a letter with a combining mark; nothing when the code page has none.
std::optional<char> Composed(char base, char32_t mark) {
    const char m = MarkLetter(mark);
    if (m == '\0') return std::nullopt;
    for (std::size_t i = 0; i < AccentBases.size(); ++i)
        if (AccentBases[i] == base && AccentMarks[i] == m) return static_cast<char>(0xC0 + i);
    constexpr std::pair<char, char> Carons[] = {{'S', '\x8A'}, {'s', '\x9A'}, {'Z', '\x8E'}, {'z', '\x9E'}};
    if (m == 'v')
        for (const auto& [b, c] : Carons)
            if (b == base) return c;
    if (m == 'd' && base == 'Y') return '\x9F';
    return std::nullopt;
}

bool IsCombiningMark(char32_t cp) {
    return cp >= 0x300 && cp <= 0x36F;
}

// A text reduced to what two spellings of one name share: the letters as Windows-1252 upper case
// without accents (a text that is not UTF-8 is read as Windows-1252, as the spreadsheet's cells
// are), the letters of other scripts as their plain letter, blanks and hyphens left out. Each
// byte of the key goes to add.
template <class Add> void Fold(std::string_view text, Add&& add) {
    auto put = [&add](char c) {
        if (c != ' ' && c != '\t' && c != '-')
            add(static_cast<char>(FoldedCp1252[static_cast<unsigned char>(c)]));
    };
    for (std::size_t i = 0; i < text.size();) {
        const Char ch = DecodeAt(text, i);
        i += ch.size;
        if (!ch.valid) {
            put(text[i - 1]);
        } else if (const int byte = Cp1252FromCodePoint(ch.cp); byte >= 0) {
            put(static_cast<char>(byte));
        } else if (!IsCombiningMark(ch.cp)) {
            const std::string_view plain = PlainFormOf(ch.cp);
            if (plain.empty()) add('\x7F'); // a letter of another script: matches no key of a table
            for (char c : plain)
                put(c);
        }
    }
}

// The key of a short text, held in place: keys are made cell by cell. A text too long for it
// matches nothing.
class Key {
  public:
    explicit Key(std::string_view text) {
        Fold(text, [this](char c) {
            if (size_ < text_.size()) text_[size_] = c;
            ++size_;
        });
    }
    std::string_view View() const {
        return size_ <= text_.size() ? std::string_view(text_.data(), size_) : std::string_view("\x7F");
    }

  private:
    std::array<char, 48> text_{};
    std::size_t size_ = 0;
};

std::string MakeKey(std::string_view text) {
    std::string key;
    Fold(text, [&key](char c) { key.push_back(c); });
    return key;
}

// Texts by their key, built once; the first text given for a key keeps it.
class KeyTable {
  public:
    void Add(std::string_view text, int value) { entries_.emplace_back(MakeKey(text), value); }
    void Seal() {
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        entries_.erase(std::unique(entries_.begin(), entries_.end(),
                                   [](const auto& a, const auto& b) { return a.first == b.first; }),
                       entries_.end());
    }
    std::optional<int> Find(std::string_view key) const {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                                         [](const auto& e, std::string_view k) { return e.first < k; });
        if (it == entries_.end() || it->first != key) return std::nullopt;
        return it->second;
    }

  private:
    std::vector<std::pair<std::string, int>> entries_;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
    if (text.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i)
        if (UpperAscii(text[i]) != UpperAscii(start[i])) return false;
    return true;
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (StartsWithNoCase(text.substr(i), part)) return true;
    return false;
}

// A run of digits of at most 9 (so that it fits an int); nothing for none or more.
std::optional<int> WholeNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 9) return std::nullopt;
    int v = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// The digits at the start of text, taken off it.
std::string_view TakeDigits(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && IsDigit(text[n]))
        ++n;
    const std::string_view digits = text.substr(0, n);
    text.remove_prefix(n);
    return digits;
}

// A decimal number at the start of text, with a point or a comma, taken off it.
std::optional<double> TakeDecimal(std::string_view& text) {
    std::string_view rest = text;
    const std::string_view whole = TakeDigits(rest);
    std::string_view fraction;
    if (!rest.empty() && (rest.front() == '.' || rest.front() == ',') && rest.size() > 1 &&
        IsDigit(rest[1])) {
        rest.remove_prefix(1);
        fraction = TakeDigits(rest);
    }
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (whole.size() > 12 || fraction.size() > 12) return std::nullopt;
    char buffer[32];
    std::size_t n = 0;
    for (char c : whole)
        buffer[n++] = c;
    if (whole.empty()) buffer[n++] = '0';
    if (!fraction.empty()) buffer[n++] = '.';
    for (char c : fraction)
        buffer[n++] = c;
    double value = 0;
    const auto [end, ec] = std::from_chars(buffer, buffer + n, value);
    if (ec != std::errc() || end != buffer + n) return std::nullopt;
    text = rest;
    return value;
}

} // namespace

// ---- Texts and names ----

PlainText ToPlainCp1252(std::string_view utf8) {
    PlainText out;
    out.text.reserve(utf8.size());
    auto changed = [&out](std::string_view character) {
        if (out.changed.find(character) == std::string::npos) out.changed.append(character);
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const Char ch = DecodeAt(utf8, i);
        const std::string_view character = utf8.substr(i, ch.size);
        i += ch.size;
        if (!ch.valid) {
            changed("\xEF\xBF\xBD"); // U+FFFD stands for the bytes that are no character
            continue;
        }
        if (const int byte = Cp1252FromCodePoint(ch.cp); byte >= 0) {
            out.text.push_back(static_cast<char>(byte));
            continue;
        }
        if (IsCombiningMark(ch.cp) && !out.text.empty()) {
            if (const auto letter = Composed(out.text.back(), ch.cp)) {
                out.text.back() = *letter;
                continue;
            }
        }
        out.text.append(PlainFormOf(ch.cp));
        changed(character);
    }
    return out;
}

std::string ShortenAtWord(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return std::string(text);
    std::size_t cut = text.substr(0, limit + 1).find_last_of(' ');
    if (cut == std::string_view::npos || text.substr(0, cut).find_first_not_of(' ') == std::string_view::npos)
        cut = limit;
    std::string_view kept = text.substr(0, cut);
    while (!kept.empty() && kept.back() == ' ')
        kept.remove_suffix(1);
    return std::string(kept);
}

std::string_view NextName(std::string_view& cell) {
    while (!cell.empty()) {
        const std::size_t end = std::min(cell.find_first_of(",;/|\r\n"), cell.size());
        const std::string_view name = Trim(cell.substr(0, end));
        cell.remove_prefix(std::min(end + 1, cell.size()));
        if (!name.empty()) return name;
    }
    return {};
}

std::vector<std::string> SplitNames(std::string_view cell) {
    std::vector<std::string> names;
    for (std::string_view name = NextName(cell); !name.empty(); name = NextName(cell))
        names.emplace_back(name);
    return names;
}

// ---- Numbers and dates ----

std::optional<int> RunningMinutes(std::string_view text, bool bareSeconds) {
    text = Trim(text);
    if (text.empty()) return std::nullopt;
    // H:MM:SS and H:MM.
    if (text.find(':') != std::string_view::npos) {
        std::string_view rest = text;
        const auto hours = WholeNumber(TakeDigits(rest));
        if (!hours || rest.empty() || rest.front() != ':') return std::nullopt;
        rest.remove_prefix(1);
        const std::string_view mm = TakeDigits(rest);
        const auto minutes = WholeNumber(mm);
        if (!minutes || mm.size() != 2 || *minutes > 59) return std::nullopt;
        int seconds = 0;
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            rest.remove_prefix(1);
            const std::string_view ss = TakeDigits(rest);
            const auto s = WholeNumber(ss);
            if (!s || ss.size() != 2 || *s > 59 || !rest.empty()) return std::nullopt;
            seconds = *s;
        }
        if (*hours > 1000000) return std::nullopt;
        return *hours * 60 + *minutes + (seconds >= 30 ? 1 : 0);
    }
    // Numbers, each followed by its unit: "98", "98 min", "1h 47m", "1 h 47"; a bare number after
    // hours counts minutes.
    constexpr std::pair<std::string_view, int> Units[] = {
        {"HOURS", 3600}, {"HOUR", 3600}, {"HRS", 3600}, {"HR", 3600}, {"H", 3600}, {"MINUTES", 60},
        {"MINUTE", 60},  {"MINS", 60},   {"MIN", 60},   {"MN", 60},   {"M", 60},   {"SECONDS", 1},
        {"SECOND", 1},   {"SECS", 1},    {"SEC", 1},    {"S", 1},     {"'", 60},   {"\"", 1},
    };
    double seconds = 0;
    int lastUnit = 0;
    std::string_view rest = text;
    while (!rest.empty()) {
        const auto number = TakeDecimal(rest);
        if (!number) return std::nullopt;
        rest = Trim(rest);
        int unit = 0;
        for (const auto& [name, factor] : Units) {
            if (!StartsWithNoCase(rest, name)) continue;
            // The unit ends the word: "MIN" is not the start of "MINX".
            const std::string_view after = rest.substr(name.size());
            if (!after.empty() && ((after.front() >= 'A' && after.front() <= 'Z') ||
                                   (after.front() >= 'a' && after.front() <= 'z')))
                continue;
            unit = factor;
            rest = after;
            if (!rest.empty() && rest.front() == '.') rest.remove_prefix(1);
            break;
        }
        if (unit == 0) unit = lastUnit == 3600 ? 60 : bareSeconds && lastUnit == 0 ? 1 : 60;
        if (unit == 0 || (lastUnit != 0 && unit >= lastUnit)) return std::nullopt; // "5m 2h"
        seconds += *number * unit;
        lastUnit = unit;
        rest = Trim(rest);
    }
    if (seconds > 60.0 * 1000000) return std::nullopt;
    return static_cast<int>(std::floor(seconds / 60 + 0.5));
}

namespace {

// A time after a date: h:mm, h:mm:ss, h:mm:ss.fff, then maybe AM or PM and a zone (Z, +01:00).
bool IsTime(std::string_view text) {
    text = Trim(text);
    const std::string_view hours = TakeDigits(text);
    if (hours.empty() || hours.size() > 2 || text.empty() || text.front() != ':') return false;
    for (int part = 0; part < 2 && !text.empty() && text.front() == ':'; ++part) {
        text.remove_prefix(1);
        if (TakeDigits(text).size() != 2) return false;
    }
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        if (TakeDigits(text).empty()) return false;
    }
    text = Trim(text);
    if (StartsWithNoCase(text, "AM") || StartsWithNoCase(text, "PM")) text = Trim(text.substr(2));
    if (text == "Z" || text.empty()) return true;
    if (text.front() != '+' && text.front() != '-') return false;
    text.remove_prefix(1);
    const std::string_view zone = TakeDigits(text);
    if (zone.size() == 2 && !text.empty() && text.front() == ':') {
        text.remove_prefix(1);
        return TakeDigits(text).size() == 2 && text.empty();
    }
    return (zone.size() == 2 || zone.size() == 4) && text.empty();
}

} // namespace

std::optional<DayNumber> DateFromParts(int year, int month, int day) {
    const auto number = DayNumberFromDate(year, month, day);
    if (!number || *number == 0) return std::nullopt; // 1899-12-30: the empty date
    return number;
}

std::optional<DayNumber> ParseDate(std::string_view text, DateOrder order) {
    text = Trim(text);
    std::size_t end = text.find_first_of(" T");
    if (end != std::string_view::npos && !IsTime(text.substr(end + 1))) return std::nullopt;
    std::string_view rest = text.substr(0, end);
    const std::string_view first = TakeDigits(rest);
    if (rest.empty() || (rest.front() != '-' && rest.front() != '/')) return std::nullopt;
    const char separator = rest.front();
    rest.remove_prefix(1);
    const std::string_view second = TakeDigits(rest);
    if (rest.empty() || rest.front() != separator) return std::nullopt;
    rest.remove_prefix(1);
    const std::string_view third = TakeDigits(rest);
    if (!rest.empty() || second.empty() || second.size() > 2) return std::nullopt;
    if (first.size() == 4 && !third.empty() && third.size() <= 2)
        return DateFromParts(*WholeNumber(first), *WholeNumber(second), *WholeNumber(third));
    if (separator != '/' || third.size() != 4 || first.empty() || first.size() > 2) return std::nullopt;
    const int a = *WholeNumber(first), b = *WholeNumber(second);
    return order == DateOrder::DayFirst ? DateFromParts(*WholeNumber(third), b, a)
                                        : DateFromParts(*WholeNumber(third), a, b);
}

std::optional<DayNumber> ParseFreeDate(std::string_view text) {
    if (auto day = ParseDate(text, DateOrder::DayFirst)) return day;
    return ParseDate(text, DateOrder::MonthFirst);
}

int RatingMark(std::string_view value, double maximum) {
    std::string_view rest = Trim(value);
    const auto number = TakeDecimal(rest);
    rest = Trim(rest);
    // "9 / 10", "9/10": the scale written after the mark is the one the caller gives.
    if (!number || (!rest.empty() && rest.front() != '/') || !(maximum > 0)) return 0;
    const double mark = std::floor(*number * 5 / maximum + 0.5 + 1e-9);
    return static_cast<int>(std::clamp(mark, 0.0, 5.0));
}

std::optional<ParsedPrice> ParsePrice(std::string_view text) {
    text = Trim(text);
    ParsedPrice price;
    // The currency before or after the number: letters, signs, blanks and bytes beyond ASCII.
    auto currency = [](char c) { return !IsDigit(c) && c != '.' && c != ',' && c != '-' && c != '+'; };
    bool negative = false;
    while (!text.empty() && (currency(text.front()) || text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') negative = !negative;
        price.namedCurrency = price.namedCurrency || (currency(text.front()) && !IsBlank(text.front()));
        text.remove_prefix(1);
    }
    while (!text.empty() && currency(text.back())) {
        price.namedCurrency = price.namedCurrency || !IsBlank(text.back());
        text.remove_suffix(1);
    }
    // What is left is digits, marks and blanks between groups of digits.
    char digits[40];
    std::size_t n = 0;
    std::size_t points = 0, commas = 0, lastMark = 0;
    char lastMarkChar = '\0';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((IsDigit(c) || c == '.' || c == ',') && n == 30) return std::nullopt;
        if (IsDigit(c)) {
            digits[n++] = c;
        } else if (c == '.' || c == ',') {
            (c == '.' ? points : commas)++;
            lastMark = n;
            lastMarkChar = c;
            digits[n++] = c;
        } else if (!(c == ' ' || c == '\xA0' || c == '\'') || i == 0 || !IsDigit(text[i - 1]) ||
                   i + 1 == text.size()) {
            return std::nullopt;
        }
    }
    if (std::none_of(digits, digits + n, IsDigit)) return std::nullopt;
    // Which mark, if any, is the decimal one.
    char decimal = '\0';
    if (points && commas)
        decimal = lastMarkChar;
    else if (points + commas == 1)
        decimal = n - lastMark - 1 == 3 ? '\0' : lastMarkChar;
    char number[40];
    std::size_t m = 0;
    if (negative) number[m++] = '-';
    for (std::size_t i = 0; i < n; ++i) {
        if (IsDigit(digits[i]))
            number[m++] = digits[i];
        else if (digits[i] == decimal && i == lastMark)
            number[m++] = '.';
        else if (digits[i] == decimal)
            return std::nullopt; // a second decimal mark
    }
    if (m > 0 && number[m - 1] == '.') --m;
    double value = 0;
    const auto [end, ec] = std::from_chars(number, number + m, value);
    if (ec != std::errc() || end != number + m) return std::nullopt;
    // A 4-byte float holds it to the cent, or the price is not taken.
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single) || std::fabs(value) >= 1e12 ||
        std::llround(value * 100) != std::llround(static_cast<double>(single) * 100))
        return std::nullopt;
    price.value = single;
    return price;
}

// ---- Code fields ----

namespace {

const KeyTable& MediumNames() {
    static const KeyTable table = [] {
        KeyTable t;
        constexpr std::pair<std::string_view, int> Names[] = {
            // LaserDisc
            {"LaserDisc", 0},
            {"LD", 0},
            {"Laser Disk", 0},
            {"Disque laser", 0},
            {"Vidéodisque", 0},
            {"Laserdisque", 0},
            {"Bildplatte", 0},
            {"Laserbildplatte", 0},
            {"Disco laser", 0},
            {"Videodisco", 0},
            {"Laserlevy", 0},
            {"Kuvalevy", 0},
            // DVD
            {"DVD", 1},
            {"DVD Video", 1},
            {"Disque DVD", 1},
            {"DVD-levy", 1},
            // VHS
            {"VHS", 2},
            {"Cassette VHS", 2},
            {"Vidéocassette", 2},
            {"VHS-Kassette", 2},
            {"Videokassette", 2},
            {"Cassetta VHS", 2},
            {"Videocassetta", 2},
            {"VHS-kasetti", 2},
            {"Videokasetti", 2},
            {"Video tape", 2},
            // Video CD
            {"Video CD", 3},
            {"VCD", 3},
            {"CD vidéo", 3},
            {"Vidéo CD", 3},
            {"CD video", 3},
            {"VCD-levy", 3},
            {"Video-CD-levy", 3},
        };
        for (const auto& [name, code] : Names)
            t.Add(name, code);
        for (std::size_t code = 0; code < SupportNames.size(); ++code)
            t.Add(SupportNames[code], static_cast<int>(code));
        t.Seal();
        return t;
    }();
    return table;
}

} // namespace

std::optional<int> MediumByName(std::string_view text) {
    return MediumNames().Find(Key(Trim(text)).View());
}

Coded MediumOf(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return {1, true};
    if (const auto code = MediumByName(text)) return {*code, true};
    return {1, false};
}

Coded ZoneOf(const std::vector<std::string>& regions) {
    // Every region a text names: "Region 2", "Zone 2", "2", "1, 2, 4", "All", "Region Free".
    std::vector<std::string_view> parts;
    for (const std::string& region : regions) {
        std::string_view rest = region;
        while (!rest.empty()) {
            const std::size_t end = std::min(rest.find_first_of(",;/"), rest.size());
            if (const std::string_view part = Trim(rest.substr(0, end)); !part.empty()) parts.push_back(part);
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    if (parts.empty()) return {0, true};
    std::optional<Coded> first;
    unsigned seen = 0; // bit n: zone n named
    bool other = false;
    for (std::string_view part : parts) {
        for (std::string_view word : {"Region", "Zone", "Code"})
            if (StartsWithNoCase(part, word)) part = Trim(part.substr(word.size()));
        const std::string key = MakeKey(part);
        Coded zone{0, false};
        if (key == "0" || key == "ALL" || key == "FREE" || key == "REGIONFREE" || key == "ALLREGIONS")
            zone = {0, true};
        else if (key.size() == 1 && key[0] >= '1' && key[0] <= '6')
            zone = {key[0] - '0', true};
        if (zone.exact && zone.code > 0)
            seen |= 1u << zone.code;
        else if (!zone.exact || zone.code != 0)
            other = true;
        if (!first) first = zone;
    }
    if (seen == 0x7E && !other) return {0, true}; // all six
    if (parts.size() > 1) first->exact = false;
    return *first;
}

std::optional<int> StandardOf(std::string_view text) {
    const Key folded(Trim(text));
    const std::string_view key = folded.View();
    constexpr std::string_view Standards[] = {"NTSC", "PAL", "SECAM"};
    for (std::size_t code = 0; code < std::size(Standards); ++code)
        if (key.starts_with(Standards[code])) return static_cast<int>(code);
    return std::nullopt;
}

AspectLanding AspectOf(const std::vector<std::string>& ratios) {
    AspectLanding landing;
    std::optional<double> ratio;
    std::size_t given = 0;
    for (const std::string& text : ratios) {
        if (Trim(text).empty()) continue;
        ++given;
        if (ContainsNoCase(text, "16:9") || ContainsNoCase(text, "16x9") ||
            ContainsNoCase(text, "anamorphic"))
            landing.widescreen = true;
        const bool fullFrame = ContainsNoCase(text, "Full Frame") || ContainsNoCase(text, "Fullscreen") ||
                               ContainsNoCase(text, "Full Screen");
        if (fullFrame || ContainsNoCase(text, "Pan & Scan") || ContainsNoCase(text, "Pan and Scan") ||
            ContainsNoCase(text, "Pan&Scan"))
            landing.panScan = true;
        if (ratio) continue;
        // The first A:B, else the first decimal number between 1 and 3, else a full frame.
        std::optional<double> decimal;
        for (std::size_t i = 0; i < text.size() && !ratio; ++i) {
            if (!IsDigit(text[i]) || (i > 0 && (IsDigit(text[i - 1]) || text[i - 1] == '.'))) continue;
            std::string_view rest = std::string_view(text).substr(i);
            const auto a = TakeDecimal(rest);
            if (!a) continue;
            std::string_view afterA = Trim(rest);
            if (!afterA.empty() && afterA.front() == ':') {
                afterA = Trim(afterA.substr(1));
                if (const auto b = TakeDecimal(afterA); b && *b > 0) ratio = *a / *b;
            }
            if (!decimal && *a >= 1 && *a <= 3) decimal = *a;
        }
        if (!ratio) ratio = decimal;
        if (!ratio && fullFrame) ratio = 4.0 / 3.0;
    }
    if (ratio && *ratio >= 1.765 && *ratio <= 1.785) landing.widescreen = true;
    if (ratio) {
        double best = 10;
        for (std::size_t code = 0; code < AspectRatioNames.size(); ++code) {
            double value = 0;
            const std::string_view name = AspectRatioNames[code];
            std::from_chars(name.data(), name.data() + name.size(), value);
            // 4:3 is 1.333..., which the record calls 1.33.
            const double distance = std::fabs(*ratio - value);
            if (distance < best - 1e-9) {
                best = distance;
                landing.code = static_cast<int>(code);
            }
        }
    }
    landing.exact = given == 0 || (given == 1 && ratio.has_value());
    return landing;
}

namespace {

const KeyTable& ColorNamesTable() {
    static const KeyTable table = [] {
        KeyTable t;
        constexpr std::pair<std::string_view, int> Names[] = {
            {"Color", 0},       {"Colour", 0},    {"Black & White", 1}, {"Black And White", 1},
            {"B&W", 1},         {"B/W", 1},       {"Color and B&W", 2}, {"Colour and B&W", 2},
            {"Color & B&W", 2}, {"Colorized", 2}, {"Colourised", 2},    {"Mixed", 2},
        };
        for (const auto& [name, code] : Names)
            t.Add(name, code);
        for (int language = 0; language < LanguageCount; ++language)
            for (std::size_t code = 0; code < ColorNames.size(); ++code)
                t.Add(MessageText(ColorNames[code], language), static_cast<int>(code));
        t.Seal();
        return t;
    }();
    return table;
}

} // namespace

std::optional<int> ColorOf(std::string_view text) {
    return ColorNamesTable().Find(Key(Trim(text)).View());
}

namespace {

// The certification's number: an age (≤5 all audiences, 6–11 parental guidance, then 13, 16, 18).
int CodeOfAge(int age) {
    if (age <= 0) return 0;
    if (age <= 5) return 1;
    if (age <= 11) return 2;
    if (age <= 14) return 7;
    if (age <= 17) return 8;
    return 9;
}

} // namespace

Coded CertificationOf(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return {0, true};
    if (const auto colon = text.find(':'); colon != std::string_view::npos)
        text = Trim(text.substr(colon + 1));
    for (std::string_view lead : {"Rated ", "MPAA"})
        if (StartsWithNoCase(text, lead)) text = Trim(text.substr(lead.size()));
    if (text.empty()) return {0, false};
    // "PG-13 (Parental Guidance)", "R (USA)"; "U (USA)" is how the unrated are written.
    if (const auto open = text.find('('); open != std::string_view::npos && text.back() == ')') {
        const std::string_view remark = text.substr(open);
        text = Trim(text.substr(0, open));
        if (MakeKey(text) == "U" && MakeKey(remark) == "(USA)") return {0, true};
    }
    const std::string key = MakeKey(text);
    constexpr std::pair<std::string_view, int> UsForms[] = {
        {"NR", 0}, {"NOTRATED", 0}, {"UNRATED", 0}, {"G", 1},   {"U", 1},  {"PG", 2}, {"PG13", 3},
        {"R", 4},  {"NC17", 5},     {"X", 6},       {"XXX", 6}, {"13", 7}, {"16", 8}, {"18", 9},
    };
    for (const auto& [form, code] : UsForms)
        if (key == form) return {code, true};
    const auto digits = key.find_first_of("0123456789");
    if (digits == std::string::npos) return {0, false};
    std::string_view rest = std::string_view(key).substr(digits);
    const auto age = WholeNumber(TakeDigits(rest));
    return {age ? CodeOfAge(*age) : 9, false};
}

int CertificationOfAge(int age) {
    switch (age) {
    case 0:
    case 1:
        return 0;
    case 2:
        return 1;
    case 5:
        return 2;
    default:
        return CodeOfAge(age);
    }
}

namespace {

const KeyTable& GenreNames() {
    static const KeyTable table = [] {
        KeyTable t;
        for (int language = 0; language < LanguageCount; ++language) {
            MessageCatalogue catalogue;
            catalogue.SetLanguage(language);
            for (int code = 0; code < GenreCount; ++code)
                t.Add(GenreName(catalogue, code), code);
        }
        // What other programs call them, with the English name they stand for.
        constexpr std::pair<std::string_view, std::string_view> Synonyms[] = {
            {"Sci-Fi", "Science Fiction"},
            {"SF", "Science Fiction"},
            {"Animation", "Animated"},
            {"Cartoon", "Animated"},
            {"Anime", "Manga"},
            {"Family", "Children"},
            {"Kids", "Children"},
            {"Children's", "Children"},
            {"Childrens", "Children"},
            {"Music", "Musical"},
            {"Sports", "Sport"},
            {"History", "Historical"},
            {"Period", "Historical"},
            {"Biopic", "Biography"},
            {"Espionage", "Spy"},
            {"Suspense", "Thriller"},
            {"Military", "War"},
            {"Adult", "X / Erotic"},
            {"Erotic", "X / Erotic"},
            {"Erotica", "X / Erotic"},
            {"TV Series", "TV"},
            {"TV Movie", "TV"},
            {"Mini-Series", "TV"},
            {"Miniseries", "TV"},
            {"Stage", "Stageplay"},
            {"Theatre", "Stageplay"},
            {"Theater", "Stageplay"},
            {"Live", "Concert"},
            {"Concert Film", "Concert"},
            {"Martial Arts", "Action"},
            {"Film-Noir", "Crime"},
            {"Gangster", "Crime"},
            {"Romantic", "Romance"},
            {"Politics", "Political"},
            {"Police", "Detective"},
        };
        MessageCatalogue english;
        for (const auto& [name, genre] : Synonyms)
            for (int code = 0; code < GenreCount; ++code)
                if (GenreName(english, code) == genre) t.Add(name, code);
        t.Seal();
        return t;
    }();
    return table;
}

std::optional<int> GenreByName(std::string_view name) {
    return GenreNames().Find(Key(Trim(name)).View());
}

// The parts of a name made of several: "Action & Adventure", "Crime/Thriller", "War and Peace".
std::vector<std::string_view> GenreParts(std::string_view name) {
    std::vector<std::string_view> parts;
    while (!name.empty()) {
        std::size_t end = name.find_first_of("&/"), skip = 1;
        for (std::size_t i = 0; i + 5 <= name.size() && i < end; ++i)
            if (StartsWithNoCase(name.substr(i), " and ")) {
                end = i;
                skip = 5;
                break;
            }
        if (end > name.size()) end = name.size();
        if (const std::string_view part = Trim(name.substr(0, end)); !part.empty()) parts.push_back(part);
        name.remove_prefix(std::min(end + skip, name.size()));
    }
    return parts;
}

} // namespace

GenreLanding GenresOf(const std::vector<std::string>& names) {
    GenreLanding landing;
    std::vector<int> codes;
    auto land = [&codes](int code) {
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    };
    for (const std::string& name : names) {
        if (Trim(name).empty()) continue;
        if (const auto code = GenreByName(name)) {
            land(*code);
            continue;
        }
        const auto parts = GenreParts(name);
        bool whole = !parts.empty();
        for (std::string_view part : parts) {
            const auto code = GenreByName(part);
            whole = whole && code.has_value();
            land(code.value_or(0));
        }
        if (!whole) {
            landing.exact = false;
            if (parts.empty()) land(0);
        }
    }
    if (!codes.empty()) landing.genre = codes[0];
    if (codes.size() > 1) landing.genre2 = codes[1];
    if (codes.size() > 2) landing.exact = false; // a third genre has no field
    return landing;
}

int TradeOf(std::string_view text) {
    const Key folded(Trim(text));
    const std::string_view key = folded.View();
    if (key == "WISHLIST" || key == "ONORDER" || key == "ORDERED") return 1;
    if (key == "FORSALE") return 2;
    for (int language = 0; language < LanguageCount; ++language)
        for (int code : {1, 2})
            if (key == MakeKey(MessageText(TradeNames[static_cast<std::size_t>(code)], language)))
                return code;
    return 0;
}

// ---- DVD audio and subtitles ----

namespace {

const KeyTable& LanguageNames() {
    static const KeyTable table = [] {
        KeyTable t;
        constexpr std::pair<std::string_view, int> Names[] = {
            {"Chinese", 0},  {"Mandarin", 0}, {"Cantonese", 0}, {"ZH", 0},         {"ZHO", 0},
            {"CHI", 0},      {"English", 1},  {"EN", 1},        {"ENG", 1},        {"French", 2},
            {"Français", 2}, {"FR", 2},       {"FRA", 2},       {"FRE", 2},        {"German", 3},
            {"Deutsch", 3},  {"DE", 3},       {"DEU", 3},       {"GER", 3},        {"Italian", 4},
            {"Italiano", 4}, {"IT", 4},       {"ITA", 4},       {"Japanese", 5},   {"JA", 5},
            {"JPN", 5},      {"Spanish", 6},  {"Español", 6},   {"Castellano", 6}, {"ES", 6},
            {"SPA", 6},
        };
        for (const auto& [name, bit] : Names)
            t.Add(name, bit);
        for (int language = 0; language < LanguageCount; ++language)
            for (int bit = 0; bit < 7; ++bit)
                t.Add(MessageText(DvdLanguageItems[static_cast<std::size_t>(bit)], language), bit);
        t.Seal();
        return t;
    }();
    return table;
}

} // namespace

int LanguageBit(std::string_view language) {
    language = Trim(language);
    // The names in their own script, which no key holds.
    constexpr std::pair<std::string_view, int> Own[] = {
        {"\xE4\xB8\xAD\xE6\x96\x87", 0},             // 中文
        {"\xE6\x99\xAE\xE9\x80\x9A\xE8\xAF\x9D", 0}, // 普通话
        {"\xE5\x9B\xBD\xE8\xAF\xAD", 0},             // 国语
        {"\xE5\x9C\x8B\xE8\xAA\x9E", 0},             // 國語
        {"\xE7\xB2\xB5\xE8\xAA\x9E", 0},             // 粵語
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 5}, // 日本語
    };
    for (const auto& [name, bit] : Own)
        if (language == name) return bit;
    // "English (Original)", "Chinese [Mandarin]": the name before the remark.
    const std::string_view name =
        Trim(language.substr(0, std::min(language.find_first_of("([,"), language.size())));
    if (const auto bit = LanguageNames().Find(Key(name).View())) return *bit;
    const std::string_view word = name.substr(0, std::min(name.find(' '), name.size()));
    return LanguageNames().Find(Key(word).View()).value_or(7);
}

namespace {

// The DVD bytes in the order AudioLanding::dvd holds them.
enum Byte : std::size_t { Subtitles, Mpeg20, Mpeg51, Dd10, Dd20, Dd40, Dd51, Dts, Mpeg10, Pcm };

enum class Family { None, DolbyDigital, Dts, Pcm, Mpeg, NoByte };
enum class Channels { Unknown, Mono, Stereo, Four, Surround51 };

struct TrackKind {
    Family family = Family::None;
    Channels channels = Channels::Unknown;
    bool dolbySurround = false;
    bool ultraStereo = false;
};

bool HasWord(std::string_view text, std::string_view word) {
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
        if (!StartsWithNoCase(text.substr(i), word)) continue;
        const bool before = i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1]));
        const bool after = i + word.size() == text.size() ||
                           !std::isalpha(static_cast<unsigned char>(text[i + word.size()]));
        if (before && after) return true;
    }
    return false;
}

TrackKind KindOf(const SourceAudio& track) {
    TrackKind kind;
    const std::string text = track.format + " " + track.channels;
    if (ContainsNoCase(text, "TrueHD") || ContainsNoCase(text, "Atmos"))
        kind.family = Family::NoByte;
    else if (HasWord(text, "DTS"))
        kind.family = Family::Dts;
    else if (ContainsNoCase(text, "Dolby") || ContainsNoCase(text, "AC-3") || ContainsNoCase(text, "AC3") ||
             HasWord(text, "DD"))
        kind.family = Family::DolbyDigital;
    else if (ContainsNoCase(text, "PCM"))
        kind.family = Family::Pcm;
    else if (ContainsNoCase(text, "MPEG") || HasWord(text, "MP2"))
        kind.family = Family::Mpeg;
    else if (!Trim(track.format).empty())
        kind.family = Family::NoByte;
    kind.dolbySurround = ContainsNoCase(text, "Surround") && !ContainsNoCase(text, "DTS Surround");
    kind.ultraStereo = ContainsNoCase(text, "Ultra Stereo");
    if (ContainsNoCase(text, "5.1") || ContainsNoCase(text, "5.0") || ContainsNoCase(text, "6.1") ||
        ContainsNoCase(text, "7.1") || HasWord(text, "EX"))
        kind.channels = Channels::Surround51;
    else if (ContainsNoCase(text, "3.0") || ContainsNoCase(text, "3.1") || ContainsNoCase(text, "4.0") ||
             ContainsNoCase(text, "4.1"))
        kind.channels = Channels::Four;
    else if (ContainsNoCase(text, "2.0") || ContainsNoCase(text, "Stereo") ||
             ContainsNoCase(text, "2-Channel") || ContainsNoCase(text, "2 Channel") || kind.dolbySurround)
        kind.channels = Channels::Stereo;
    else if (ContainsNoCase(text, "1.0") || ContainsNoCase(text, "Mono"))
        kind.channels = Channels::Mono;
    return kind;
}

std::optional<std::size_t> ByteOf(const TrackKind& kind) {
    switch (kind.family) {
    case Family::DolbyDigital:
        switch (kind.channels) {
        case Channels::Mono:
            return Dd10;
        case Channels::Stereo:
            return Dd20;
        case Channels::Four:
            return Dd40;
        default: // a Dolby Digital track that does not say is taken for the DVD's usual 5.1
            return Dd51;
        }
    case Family::Dts:
        return Dts;
    case Family::Pcm:
        return Pcm;
    case Family::Mpeg:
        return kind.channels == Channels::Mono         ? std::optional<std::size_t>(Mpeg10)
               : kind.channels == Channels::Surround51 ? std::optional<std::size_t>(Mpeg51)
                                                       : std::optional<std::size_t>(Mpeg20);
    default:
        return std::nullopt;
    }
}

// The Sound code of a track, ranked so that the best track of a title decides: mono, stereo,
// ultra stereo, surround, DTS.
std::pair<int, int> SoundOf(const TrackKind& kind) {
    if (kind.family == Family::Dts) return {4, 3};
    const bool unknownDolby = kind.family == Family::DolbyDigital && kind.channels == Channels::Unknown;
    if (kind.dolbySurround || kind.channels == Channels::Four || kind.channels == Channels::Surround51 ||
        unknownDolby)
        return {3, 4};
    if (kind.ultraStereo) return {2, 2};
    if (kind.channels == Channels::Stereo ||
        (kind.channels == Channels::Unknown && kind.family != Family::None && kind.family != Family::NoByte))
        return {1, 1};
    return {0, 0};
}

void AddOnce(std::vector<std::string>& list, std::string text) {
    if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(std::move(text));
}

} // namespace

AudioLanding AudioOf(const std::vector<SourceAudio>& tracks, const std::vector<std::string>& subtitles,
                     bool dvd) {
    AudioLanding landing;
    int bestRank = -1;
    for (const SourceAudio& track : tracks) {
        const std::string_view language = Trim(track.language);
        std::string format(Trim(track.format));
        if (const std::string_view channels = Trim(track.channels); !channels.empty())
            format += format.empty() ? std::string(channels) : " " + std::string(channels);
        if (language.empty() && format.empty()) continue;
        const TrackKind kind = KindOf(track);
        landing.ac3 = landing.ac3 || kind.family == Family::DolbyDigital;
        landing.dts = landing.dts || kind.family == Family::Dts;
        if (!format.empty()) {
            const auto [rank, sound] = SoundOf(kind);
            if (rank > bestRank) {
                bestRank = rank;
                landing.sound = sound;
            }
        }
        const int bit = language.empty() ? -1 : LanguageBit(language);
        const auto byte = ByteOf(kind);
        if (dvd && bit >= 0 && byte) landing.dvd[*byte] |= static_cast<std::uint8_t>(1u << bit);
        if (!dvd || bit < 0 || bit == 7 || !byte) {
            std::string entry(language);
            if (!format.empty()) entry += entry.empty() ? format : " (" + format + ")";
            AddOnce(landing.audioReview, std::move(entry));
        }
    }
    for (const std::string& subtitle : subtitles) {
        const std::string_view language = Trim(subtitle);
        if (language.empty()) continue;
        landing.subtitled = true;
        const int bit = LanguageBit(language);
        if (dvd) landing.dvd[Subtitles] |= static_cast<std::uint8_t>(1u << bit);
        if (!dvd || bit == 7) AddOnce(landing.subtitleReview, std::string(language));
    }
    return landing;
}

ExtrasLanding ExtrasOf(const std::vector<std::string>& names) {
    ExtrasLanding landing;
    // A part of a name, blanks and hyphens left out, and the flag it sets.
    constexpr std::pair<std::string_view, std::string_view> Flags[] = {
        {"COMMENTAR", "Commentary"},        {"TRAILER", "Trailer"},
        {"DELETED", "DeletedScenes"},       {"OUTTAKE", "DeletedScenes"},
        {"FEATURETTE", "Featurette"},       {"MAKINGOF", "Featurette"},
        {"INTERVIEW", "Interview"},         {"PHOTO", "NotesPhotosBio"},
        {"GALLER", "NotesPhotosBio"},       {"PRODUCTIONNOTE", "NotesPhotosBio"},
        {"BIOGRAPH", "NotesPhotosBio"},     {"DOCUMENTAR", "Documentary"},
        {"MULTIANGLE", "MultiAngle"},       {"THX", "Thx"},
        {"ISOLATEDSCORE", "IsolatedScore"}, {"ISOLATEDMUSIC", "IsolatedScore"},
    };
    constexpr std::string_view Ignored[] = {"SCENEACCESS", "SCENESELECTION", "CHAPTERS", "CLOSEDCAPTION"};
    auto flag = [&landing](std::string_view name) {
        if (std::find(landing.flags.begin(), landing.flags.end(), name) == landing.flags.end())
            landing.flags.push_back(name);
    };
    for (const std::string& name : names) {
        const std::string_view text = Trim(name);
        if (text.empty()) continue;
        const std::string key = MakeKey(text);
        // Our own exports name each flag by its own text ("Flipper", "Used", "P&S/Full Frame").
        const auto ours = std::ranges::find_if(TellicoFeatures(), [&key](const TellicoFeature& feature) {
            return MakeKey(feature.text) == key;
        });
        if (ours != TellicoFeatures().end()) {
            flag(ours->field);
            continue;
        }
        if (std::any_of(std::begin(Ignored), std::end(Ignored),
                        [&key](std::string_view part) { return key.find(part) != std::string::npos; }))
            continue;
        bool known = false;
        for (const auto& [part, field] : Flags)
            if (key.find(part) != std::string::npos) {
                flag(field);
                known = true;
            }
        if (!known) {
            flag("OtherExtras");
            AddOnce(landing.review, std::string(text));
        }
    }
    return landing;
}

} // namespace tavrin
