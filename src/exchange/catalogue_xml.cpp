#include "exchange/catalogue_xml.h"

#include "exchange/value_rules.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace tavrin {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The length of the well-formed UTF-8 character at i, 0 when the bytes there are malformed
// (overlong forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) return 1;
    const std::size_t extra = (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : 0;
    if (extra == 0 || i + extra >= s.size()) return 0;
    char32_t cp = lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto cont = static_cast<unsigned char>(s[i + k]);
        if ((cont & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Shortest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
    return extra + 1;
}

// The encoding named in the XML declaration, lower case; empty when there is none.
std::string DeclaredEncoding(std::string_view head) {
    if (!head.starts_with("<?xml")) return {};
    head = head.substr(0, std::min<std::size_t>(head.find("?>"), 1024));
    const std::size_t at = head.find("encoding");
    if (at == std::string_view::npos) return {};
    std::size_t i = at + 8;
    while (i < head.size() && (IsBlank(head[i]) || head[i] == '='))
        ++i;
    if (i >= head.size() || (head[i] != '"' && head[i] != '\'')) return {};
    const char quote = head[i++];
    const std::size_t end = head.find(quote, i);
    if (end == std::string_view::npos) return {};
    std::string name;
    for (char c : head.substr(i, end - i))
        name.push_back(Lower(c));
    return name;
}

// ISO-8859-15 differs from ISO-8859-1 in eight places; those letters all have a Windows-1252 byte.
std::string Latin9ToUtf8(std::string_view text) {
    std::string bytes(text);
    for (char& c : bytes) {
        switch (static_cast<unsigned char>(c)) {
        case 0xA4:
            c = '\x80';
            break; // €
        case 0xA6:
            c = '\x8A';
            break; // Š
        case 0xA8:
            c = '\x9A';
            break; // š
        case 0xB4:
            c = '\x8E';
            break; // Ž
        case 0xB8:
            c = '\x9E';
            break; // ž
        case 0xBC:
            c = '\x8C';
            break; // Œ
        case 0xBD:
            c = '\x9C';
            break; // œ
        case 0xBE:
            c = '\x9F';
            break; // Ÿ
        default:
            break;
        }
    }
    return Cp1252ToUtf8(bytes);
}

bool RootIsOneOf(const pugi::xml_document& doc, std::initializer_list<std::string_view> roots) {
    const std::string_view name = doc.document_element().name();
    return std::find(roots.begin(), roots.end(), name) != roots.end();
}

CatalogueFailure Failure(CatalogueError error, std::string detail) {
    return {error, std::move(detail)};
}

// Decodes one entity or numeric reference at text[i] == '&' into out; false when it is none.
bool DecodeEntity(std::string_view text, std::size_t& i, std::string& out) {
    const std::size_t semi = text.substr(i, 12).find(';');
    if (semi == std::string_view::npos) return false;
    const std::size_t end = i + semi;
    const std::string_view name = text.substr(i + 1, end - i - 1);
    char32_t cp = 0;
    if (name.starts_with("#x") || name.starts_with("#X")) {
        unsigned value = 0;
        const auto r = std::from_chars(name.data() + 2, name.data() + name.size(), value, 16);
        if (r.ec != std::errc{} || r.ptr != name.data() + name.size()) return false;
        cp = value;
    } else if (name.starts_with("#")) {
        unsigned value = 0;
        const auto r = std::from_chars(name.data() + 1, name.data() + name.size(), value);
        if (r.ec != std::errc{} || r.ptr != name.data() + name.size()) return false;
        cp = value;
    } else {
        static constexpr std::pair<std::string_view, char32_t> Named[] = {
            {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0}};
        const auto* found = std::find_if(std::begin(Named), std::end(Named),
                                         [&](const auto& entity) { return entity.first == name; });
        if (found == std::end(Named)) return false;
        cp = found->second;
    }
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    AppendUtf8(out, cp);
    i = end + 1;
    return true;
}

} // namespace

Expected<XmlDocument, CatalogueFailure> ParseCatalogueXml(std::span<const std::uint8_t> bytes,
                                                          std::initializer_list<std::string_view> roots,
                                                          XmlFallback fallback) {
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    auto doc = std::make_unique<pugi::xml_document>();
    const unsigned options = pugi::parse_default;
    pugi::xml_parse_result parsed;
    std::string text; // the UTF-8 that was parsed, for the line of an error
    const bool wide = raw.starts_with("\xFF\xFE") || raw.starts_with("\xFE\xFF");
    if (wide) {
        parsed = doc->load_buffer(raw.data(), raw.size(), options, pugi::encoding_auto);
    } else {
        const std::string_view body = raw.starts_with("\xEF\xBB\xBF") ? raw.substr(3) : raw;
        std::string encoding = DeclaredEncoding(body);
        if (encoding.empty()) encoding = fallback == XmlFallback::Cp1252 ? "windows-1252" : "utf-8";
        // A declaration read as ASCII is not UTF-16's, whatever it says.
        if (encoding == "utf-8" || encoding == "utf8" || encoding == "us-ascii" || encoding == "ascii" ||
            encoding.starts_with("utf-16"))
            text = body;
        else if (encoding == "windows-1252" || encoding == "cp1252" || encoding == "iso-8859-1" ||
                 encoding == "latin1" || encoding == "iso_8859-1")
            text = Cp1252ToUtf8(body);
        else if (encoding == "iso-8859-15" || encoding == "latin9")
            text = Latin9ToUtf8(body);
        else
            return Unexpected(Failure(CatalogueError::Damaged, "the encoding " + encoding + " is not read"));
        parsed = doc->load_buffer(text.data(), text.size(), options, pugi::encoding_utf8);
    }
    if (!doc->document_element() || !RootIsOneOf(*doc, roots)) {
        if (!doc->document_element())
            return Unexpected(Failure(CatalogueError::NotACatalogue, "no XML element"));
        return Unexpected(Failure(CatalogueError::NotACatalogue, std::string("the root element is <") +
                                                                     doc->document_element().name() + ">"));
    }
    if (!parsed) {
        std::string where;
        if (!wide) {
            const auto offset = std::min<std::size_t>(static_cast<std::size_t>(parsed.offset), text.size());
            where =
                "line " + std::to_string(1 + std::count(text.begin(), text.begin() + offset, '\n')) + ": ";
        }
        return Unexpected(Failure(CatalogueError::Damaged, where + parsed.description()));
    }
    return doc;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string CleanText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\r') {
            out.push_back('\n');
            i += i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        const std::size_t n = Utf8Length(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string Text(pugi::xml_node node) {
    std::string text;
    for (pugi::xml_node part = node.first_child(); part; part = part.next_sibling())
        if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata) text += part.value();
    return CleanText(Trimmed(text));
}

std::string ChildText(pugi::xml_node node, const char* name) {
    return Text(node.child(name));
}

std::string Attr(pugi::xml_node node, const char* name) {
    return CleanText(Trimmed(node.attribute(name).value()));
}

std::string PlainFromHtml(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            // A tag holds no '<': the search stops there, so that each byte is looked at twice at most.
            std::size_t end = i + 1;
            while (end < html.size() && html[end] != '>' && html[end] != '<')
                ++end;
            const bool tag = end < html.size() && html[end] == '>' && i + 1 < end &&
                             (std::isalpha(static_cast<unsigned char>(html[i + 1])) || html[i + 1] == '/' ||
                              html[i + 1] == '!');
            if (tag) {
                std::string name;
                for (std::size_t k = i + 1; k < end && name.size() < 4; ++k) {
                    if (IsBlank(html[k]) || (html[k] == '/' && k > i + 1)) break;
                    name.push_back(Lower(html[k]));
                }
                i = end + 1;
                if (name == "br" || name == "/p" || name == "/div" || name == "/li") {
                    out.push_back('\n');
                    // A line break written after the tag as well is the same break.
                    std::size_t k = i;
                    while (k < html.size() && (html[k] == ' ' || html[k] == '\t'))
                        ++k;
                    if (k < html.size() && html[k] == '\r') ++k;
                    if (k < html.size() && html[k] == '\n') i = k + 1;
                }
                continue;
            }
        }
        if (c == '&' && DecodeEntity(html, i, out)) continue;
        out.push_back(c);
        ++i;
    }
    // Each line trimmed, no more than one blank line in a row, none at the ends.
    std::string plain;
    std::size_t blankLines = 0;
    std::size_t start = 0;
    const std::string text = CleanText(out);
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = Trimmed(std::string_view(text).substr(start, end - start));
        if (line.empty()) {
            ++blankLines;
        } else {
            if (!plain.empty()) plain += blankLines ? "\n\n" : "\n";
            plain.append(line);
            blankLines = 0;
        }
        start = end + 1;
    }
    return plain;
}

std::optional<int> LeadingNumber(std::string_view text) {
    text = Trimmed(text);
    if (text.starts_with('+')) text.remove_prefix(1);
    int value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec != std::errc{}) return std::nullopt;
    return value;
}

int YearIn(std::string_view text) {
    int year = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        if (end - i == 4) year = LeadingNumber(text.substr(i, 4)).value_or(0);
        i = end > i ? end : i + 1;
    }
    return year;
}

bool IsTrue(std::string_view text) {
    text = Trimmed(text);
    return SameWord(text, "true") || text == "1" || SameWord(text, "yes");
}

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
    for (std::size_t i = 0; i + word.size() <= text.size(); ++i)
        if (SameWord(text.substr(i, word.size()), word)) return true;
    return false;
}

std::string DateText(DayNumber day) {
    const CivilDate d = DateFromDayNumber(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text, std::size_t limit) {
    if (text.size() / 4 * 3 > limit + limit / 8 + 1024) return std::nullopt; // blanks allowed for
    std::vector<std::uint8_t> out;
    std::uint32_t bits = 0;
    int count = 0;
    bool padded = false;
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=') {
            padded = true;
            continue;
        } else if (IsBlank(c))
            continue;
        else
            return std::nullopt;
        if (padded) return std::nullopt; // data after the padding
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            out.push_back(static_cast<std::uint8_t>(bits >> 16));
            out.push_back(static_cast<std::uint8_t>(bits >> 8));
            out.push_back(static_cast<std::uint8_t>(bits));
            bits = 0;
            count = 0;
            if (out.size() > limit) return std::nullopt;
        }
    }
    if (count == 1) return std::nullopt;
    if (count == 2) out.push_back(static_cast<std::uint8_t>(bits >> 4));
    if (count == 3) {
        out.push_back(static_cast<std::uint8_t>(bits >> 10));
        out.push_back(static_cast<std::uint8_t>(bits >> 2));
    }
    if (out.size() > limit) return std::nullopt;
    return out;
}

std::string LoanText(const Loan& loan) {
    std::string text = loan.name.empty() ? "(name not given)" : loan.name;
    if (loan.returned) {
        text += loan.since ? ", " + DateText(*loan.since) + " to " : std::string(", returned ");
        text += DateText(*loan.returned);
    } else {
        if (loan.since) text += ", since " + DateText(*loan.since);
        if (loan.due) text += ", due " + DateText(*loan.due);
    }
    if (!loan.note.empty()) text += ": " + loan.note;
    return text;
}

void AddDiscSides(SourceTitle& title, bool dualSided, bool dualLayerA, bool dualLayerB, int discs) {
    const auto medium = MediumByName(title.medium);
    if (discs <= 0 || (medium && (*medium == 0 || *medium == 2))) return;
    discs = std::min(discs, 255);
    (dualLayerA ? title.cavSides : title.clvSides) += discs;
    if (dualSided) (dualLayerB ? title.cavSides : title.clvSides) += discs;
}

void NoteList::Add(std::string_view label, std::string_view value) {
    value = Trimmed(value);
    if (value.empty()) return;
    const bool block = label == "Plot" || label == "Episodes" || label == "Comments";
    const auto it =
        std::find_if(notes_.begin(), notes_.end(), [&](const SourceNote& n) { return n.label == label; });
    if (it == notes_.end()) {
        notes_.push_back({std::string(label), std::string(value)});
        return;
    }
    it->value += block ? "\n\n" : "; ";
    it->value.append(value);
}

void NoteList::Add(std::string_view label, const std::vector<std::string>& values) {
    Add(label, Joined(values, "; "));
}

void NoteList::Line(std::string_view name, std::string_view value) {
    value = Trimmed(value);
    if (value.empty()) return;
    if (!lines_.empty()) lines_ += '\n';
    lines_.append(name);
    lines_ += ": ";
    lines_.append(value);
}

std::vector<SourceNote> NoteList::Take() {
    if (!lines_.empty()) {
        const auto it = std::find_if(notes_.begin(), notes_.end(),
                                     [](const SourceNote& n) { return n.label == "Comments"; });
        if (it == notes_.end())
            notes_.push_back({"Comments", lines_});
        else
            it->value += "\n\n" + lines_;
    }
    const auto comments =
        std::find_if(notes_.begin(), notes_.end(), [](const SourceNote& n) { return n.label == "Comments"; });
    if (comments != notes_.end()) std::rotate(comments, comments + 1, notes_.end());
    lines_.clear();
    return std::move(notes_);
}

std::string Joined(const std::vector<std::string>& values, std::string_view sep) {
    std::string text;
    for (const std::string& v : values) {
        if (v.empty()) continue;
        if (!text.empty()) text.append(sep);
        text += v;
    }
    return text;
}

void AddOnce(std::vector<std::string>& values, std::string value) {
    if (!value.empty() && std::find(values.begin(), values.end(), value) == values.end())
        values.push_back(std::move(value));
}

} // namespace tavrin
