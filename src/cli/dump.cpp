#include "cli/dump.h"

#include "cli/cli_files.h"
#include "store/text_encoding.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace tavrin::cli {
namespace {

using Json = nlohmann::ordered_json;

// nlohmann prints doubles with 17 digits, which would turn 12.99f into 12.989999771118164; the
// shortest text of the float, read back as a double, prints as 12.99 and still reads back as the
// same float.
double PriceAsDouble(float price) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text - 1, price).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

// The text that stands for a price that is not a number, or null when it is one.
const char* PriceWord(float price) {
    if (std::isnan(price)) return "NaN";
    if (std::isinf(price)) return price > 0 ? "Infinity" : "-Infinity";
    return nullptr;
}

Json PriceJson(float price) {
    if (const char* word = PriceWord(price)) return word;
    return PriceAsDouble(price);
}

std::string HexText(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (auto b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 0x0F]);
    }
    return text;
}

Json FieldJson(const TitleRecord& t, const FieldInfo& field) {
    switch (field.kind) {
    case FieldKind::Text:
        return Cp1252ToUtf8(t.TitleView());
    case FieldKind::U8:
    case FieldKind::Flag:
        return t.U8(field.offset);
    case FieldKind::U16:
        return t.U16(field.offset);
    case FieldKind::I32:
        return t.I32(field.offset);
    case FieldKind::F32:
        return PriceJson(t.F32(field.offset));
    case FieldKind::Reserved:
        return HexText(t.Reserved());
    case FieldKind::Publisher:
        return t.PublisherStored();
    }
    return nullptr;
}

// The JSON text of a dump written as it is made, through a buffer of fixed size, in exactly the
// form nlohmann's dump(2) gives the tree of CollectionJson: two spaces a level, ", " nowhere,
// strings escaped as it escapes them, doubles by its own shortest-text routine.
class JsonStream {
  public:
    explicit JsonStream(std::ostream& out) : out_(out), buffer_(1 << 16) {}

    void Raw(std::string_view text) {
        Room(text.size());
        std::memcpy(buffer_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }
    template <class Integer> void Number(Integer v) {
        Room(24);
        used_ = static_cast<std::size_t>(std::to_chars(At(), At() + 24, v).ptr - buffer_.data());
    }
    void Double(double v) {
        Room(64);
        used_ = static_cast<std::size_t>(nlohmann::detail::to_chars(At(), At() + 64, v) - buffer_.data());
    }
    // A UTF-8 string, quoted: the two-character escapes, \u00xx for the other control
    // characters, every other byte as it is.
    void String(std::string_view utf8) {
        static constexpr char hex[] = "0123456789abcdef";
        Room(2 + 6 * utf8.size());
        char* p = At();
        *p++ = '"';
        for (const char ch : utf8) {
            const auto b = static_cast<unsigned char>(ch);
            if (b >= 0x20 && b != '"' && b != '\\') {
                *p++ = ch;
                continue;
            }
            *p++ = '\\';
            switch (b) {
            case '"':
                *p++ = '"';
                break;
            case '\\':
                *p++ = '\\';
                break;
            case '\b':
                *p++ = 'b';
                break;
            case '\t':
                *p++ = 't';
                break;
            case '\n':
                *p++ = 'n';
                break;
            case '\f':
                *p++ = 'f';
                break;
            case '\r':
                *p++ = 'r';
                break;
            default:
                *p++ = 'u';
                *p++ = '0';
                *p++ = '0';
                *p++ = hex[b >> 4];
                *p++ = hex[b & 0x0F];
            }
        }
        *p++ = '"';
        used_ = static_cast<std::size_t>(p - buffer_.data());
    }
    void Flush() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
    }

  private:
    char* At() { return buffer_.data() + used_; }
    void Room(std::size_t n) {
        if (buffer_.size() - used_ >= n) return;
        Flush();
        if (buffer_.size() < n) buffer_.resize(n);
    }

    std::ostream& out_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

void StreamField(JsonStream& json, const TitleRecord& t, const FieldInfo& field) {
    switch (field.kind) {
    case FieldKind::Text:
        json.String(Cp1252ToUtf8(t.TitleView()));
        return;
    case FieldKind::U8:
    case FieldKind::Flag:
        json.Number(t.U8(field.offset));
        return;
    case FieldKind::U16:
        json.Number(t.U16(field.offset));
        return;
    case FieldKind::I32:
        json.Number(t.I32(field.offset));
        return;
    case FieldKind::F32:
        if (const char* word = PriceWord(t.F32(field.offset)))
            json.String(word);
        else
            json.Double(PriceAsDouble(t.F32(field.offset)));
        return;
    case FieldKind::Reserved:
        json.String(HexText(t.Reserved()));
        return;
    case FieldKind::Publisher:
        json.Number(t.PublisherStored());
        return;
    }
}

// Writes "[]" or each item on its own line at indent, closed at the indent of its owner.
template <class Items, class Item>
void StreamArray(JsonStream& json, const Items& items, std::string_view indent, Item&& item) {
    if (items.empty()) {
        json.Raw("[]");
        return;
    }
    json.Raw("[\n");
    bool first = true;
    for (const auto& x : items) {
        if (!first) json.Raw(",\n");
        first = false;
        json.Raw(indent);
        item(x);
    }
    json.Raw("\n");
    json.Raw(indent.substr(2));
    json.Raw("]");
}

} // namespace

void WriteCollectionJson(const LoadedCollection& loaded, std::ostream& out) {
    const Collection& c = loaded.collection;
    // Each field's line start, with the comma and line end of the field before it.
    std::vector<std::string> starts;
    for (const auto& field : TitleFields())
        starts.push_back((starts.empty() ? "      \"" : ",\n      \"") + std::string(field.name) + "\": ");

    JsonStream json(out);
    json.Raw("{\n  \"version\": ");
    json.String(loaded.magic);
    json.Raw(",\n  \"titles\": ");
    StreamArray(json, c.titles, "    ", [&](const TitleRecord& t) {
        json.Raw("{\n");
        std::size_t i = 0;
        for (const auto& field : TitleFields()) {
            json.Raw(starts[i++]);
            StreamField(json, t, field);
        }
        json.Raw("\n    }");
    });
    json.Raw(",\n  \"lists\": {\n");
    for (ListId id : AllLists) {
        if (id != AllLists.front()) json.Raw(",\n");
        json.Raw("    ");
        json.String(ListName(id));
        json.Raw(": ");
        StreamArray(json, c.List(id), "      ",
                    [&](const std::string& name) { json.String(Cp1252ToUtf8(name)); });
    }
    json.Raw("\n  },\n  \"order\": ");
    StreamArray(json, c.ListeIndex, "    ", [&](std::uint16_t r) { json.Number(r); });
    json.Raw("\n}\n");
    json.Flush();
}

Json CollectionJson(const LoadedCollection& loaded) {
    const Collection& c = loaded.collection;
    Json titles = Json::array();
    for (const auto& t : c.titles) {
        Json record = Json::object();
        for (const auto& field : TitleFields())
            record[std::string(field.name)] = FieldJson(t, field);
        titles.push_back(std::move(record));
    }
    Json lists = Json::object();
    for (ListId id : AllLists) {
        Json names = Json::array();
        for (const auto& name : c.List(id))
            names.push_back(Cp1252ToUtf8(name));
        lists[std::string(ListName(id))] = std::move(names);
    }
    Json doc = Json::object();
    doc["version"] = loaded.magic;
    doc["titles"] = std::move(titles);
    doc["lists"] = std::move(lists);
    doc["order"] = c.ListeIndex;
    return doc;
}

int RunDump(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    auto loaded = LoadForCli(std::filesystem::path(args[0]), err);
    if (!loaded) return ExitFailure;
    WriteCollectionJson(*loaded, out);
    return FinishOutput(out, err);
}

} // namespace tavrin::cli
