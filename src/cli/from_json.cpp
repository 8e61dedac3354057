#include "cli/from_json.h"

#include "cli/cli_files.h"
#include "cli/list.h"
#include "store/files/collection_file.h"
#include "store/text_encoding.h"
#include "store/title_order.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>

namespace tavrin::cli {
namespace {

using Json = nlohmann::json;

// A problem and where it was found: "title 3 (ALIEN), field Year: ...".
std::string Problem(std::string_view where, std::string_view what) {
    return std::string(where) + ": " + std::string(what);
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

// A whole number within [low, high]; nothing for another type or a value outside.
std::optional<long long> WholeNumber(const Json& v, long long low, long long high) {
    if (v.is_number_unsigned()) {
        const auto u = v.get<unsigned long long>();
        if (u > static_cast<unsigned long long>(high)) return std::nullopt;
        const auto n = static_cast<long long>(u);
        return n < low ? std::nullopt : std::optional(n);
    }
    if (!v.is_number_integer()) return std::nullopt;
    const auto n = v.get<long long>();
    return n < low || n > high ? std::nullopt : std::optional(n);
}

std::string RangeProblem(const Json& v, long long low, long long high) {
    if (!v.is_number_integer()) return "expects a whole number";
    return "value " + v.dump() + " is out of range " + std::to_string(low) + " .. " + std::to_string(high);
}

// A UTF-8 text as the 8-bit text stored: at most 49 characters, each with a Windows-1252 form.
Expected<std::string, std::string> StoredText(const Json& v) {
    if (!v.is_string()) return Unexpected(std::string("expects a text"));
    const auto& utf8 = v.get_ref<const std::string&>();
    std::string text = Utf8ToCp1252(utf8);
    if (Cp1252ToUtf8(text) != utf8)
        return Unexpected(Quoted(utf8) + " holds a character that Windows-1252 cannot store");
    if (text.find('\0') != std::string::npos) return Unexpected(Quoted(utf8) + " holds a NUL character");
    if (text.size() > TitleTextSize - 1)
        return Unexpected(Quoted(utf8) + " has " + std::to_string(text.size()) + " characters, over 49");
    return text;
}

std::optional<std::array<std::uint8_t, 12>> HexBytes(std::string_view text) {
    std::array<std::uint8_t, 12> bytes{};
    if (text.size() != bytes.size() * 2) return std::nullopt;
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = digit(text[2 * i]), low = digit(text[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return bytes;
}

std::optional<float> PriceValue(const Json& v) {
    if (v.is_string()) {
        const auto& s = v.get_ref<const std::string&>();
        if (s == "NaN") return std::numeric_limits<float>::quiet_NaN();
        if (s == "Infinity") return std::numeric_limits<float>::infinity();
        if (s == "-Infinity") return -std::numeric_limits<float>::infinity();
        return std::nullopt;
    }
    if (!v.is_number()) return std::nullopt;
    const double d = v.get<double>();
    const auto f = static_cast<float>(d);
    if (!std::isfinite(d) || !std::isfinite(f)) return std::nullopt;
    return f;
}

// The list a 16-bit field refers to, if it is a reference.
std::optional<ListId> ListOfField(std::size_t offset) {
    static const auto byOffset = [] {
        std::array<std::optional<ListId>, TitleRecordSize> table{};
        for (ListId id : AllLists)
            for (auto refOffset : ReferringOffsets(id))
                table[refOffset] = id;
        return table;
    }();
    return byOffset[offset];
}

const FieldInfo* FieldNamed(std::string_view name) {
    static const auto byName = [] {
        std::unordered_map<std::string_view, const FieldInfo*> table;
        for (const auto& f : TitleFields())
            table.emplace(f.name, &f);
        return table;
    }();
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

// Names given as text: the first entry with exactly that text, or a new one appended (the title
// import's find-or-append). Each list is indexed on first use, so a large file stays quick.
class NameLookup {
  public:
    explicit NameLookup(Collection& c) : c_(c) {}

    Collection& Data() { return c_; }

    Expected<std::uint16_t, std::string> FindOrAppend(ListId id, const Json& v) {
        auto text = StoredText(v);
        if (!text) return Unexpected(text.error());
        auto& index = Index(id);
        if (const auto found = index.find(*text); found != index.end()) return found->second;
        int entry = -1;
        if (AddName(c_, id, *text, &entry) != StoreError::None)
            return Unexpected(std::string(ListName(id)) + " is full: " + Quoted(v.get<std::string>()) +
                              " cannot be added");
        index.emplace(std::move(*text), static_cast<std::uint16_t>(entry));
        return static_cast<std::uint16_t>(entry);
    }

  private:
    // Text to entry number, for the entries a title can refer to.
    std::unordered_map<std::string, std::uint16_t>& Index(ListId id) {
        auto& index = indexes_[static_cast<std::size_t>(id)];
        if (!index) {
            index.emplace();
            const auto& list = c_.List(id);
            const std::size_t highest =
                id == ListId::Publisher ? NoPublisher - 1u : std::size_t{MaxEntryNumber};
            for (std::size_t e = 0; e < list.size() && e <= highest; ++e)
                index->emplace(list[e], static_cast<std::uint16_t>(e)); // the first of equal names wins
        }
        return *index;
    }

    Collection& c_;
    std::array<std::optional<std::unordered_map<std::string, std::uint16_t>>, ListCount> indexes_;
};

class TitleReader {
  public:
    TitleReader(NameLookup& names, std::size_t index, const Json& object)
        : names_(names), c_(names.Data()), object_(object) {
        where_ = "title " + std::to_string(index);
        const auto title = object.find("Title");
        if (title != object.end() && title->is_string()) where_ += " (" + title->get<std::string>() + ")";
    }

    Expected<TitleRecord, std::string> Read() {
        TitleRecord t;
        for (ListId id : AllLists)
            for (auto offset : ReferringOffsets(id))
                t.SetU16(offset, NoEntry);
        t.SetPublisher(-1);
        if (!object_.contains("Title")) return Unexpected(Problem(where_, "the field \"Title\" is missing"));
        for (const auto& [key, value] : object_.items()) {
            const FieldInfo* field = FieldNamed(key);
            if (!field) return Unexpected(Problem(where_, Quoted(key) + " is not a field of a title"));
            if (auto problem = ReadField(t, *field, value))
                return Unexpected(Problem(where_ + ", field " + key, *problem));
        }
        return t;
    }

  private:
    std::optional<std::string> ReadField(TitleRecord& t, const FieldInfo& field, const Json& v) {
        switch (field.kind) {
        case FieldKind::Text: {
            auto text = StoredText(v);
            if (!text) return text.error();
            t.SetTitle(*text);
            return std::nullopt;
        }
        case FieldKind::U8:
        case FieldKind::Flag: {
            const auto n = WholeNumber(v, 0, 255);
            if (!n) return RangeProblem(v, 0, 255);
            t.SetU8(field.offset, static_cast<std::uint8_t>(*n));
            return std::nullopt;
        }
        case FieldKind::U16: {
            const auto list = ListOfField(field.offset);
            if (list && v.is_string()) {
                auto entry = names_.FindOrAppend(*list, v);
                if (!entry) return entry.error();
                t.SetU16(field.offset, *entry);
                return std::nullopt;
            }
            const auto n = WholeNumber(v, 0, 0xFFFF);
            if (!n)
                return list && !v.is_number_integer() ? "expects an entry number or a name"
                                                      : RangeProblem(v, 0, 0xFFFF);
            // Numbers above the highest entry number read as none wherever a reference is read.
            if (list && *n <= MaxEntryNumber && static_cast<std::size_t>(*n) >= c_.List(*list).size())
                return "entry " + std::to_string(*n) + " is beyond " + std::string(ListName(*list)) +
                       ", which has " + std::to_string(c_.List(*list).size()) + " entries";
            t.SetU16(field.offset, static_cast<std::uint16_t>(*n));
            return std::nullopt;
        }
        case FieldKind::I32: {
            if (v.is_string()) {
                const auto day = ParseIsoDate(v.get<std::string>());
                if (!day) return Quoted(v.get<std::string>()) + " is not a date YYYY-MM-DD";
                t.SetI32(field.offset, *day);
                return std::nullopt;
            }
            const long long low = std::numeric_limits<std::int32_t>::min();
            const long long high = std::numeric_limits<std::int32_t>::max();
            const auto n = WholeNumber(v, low, high);
            if (!n)
                return v.is_number_integer() ? RangeProblem(v, low, high)
                                             : "expects a day number or a date \"YYYY-MM-DD\"";
            t.SetI32(field.offset, static_cast<std::int32_t>(*n));
            return std::nullopt;
        }
        case FieldKind::F32: {
            const auto price = PriceValue(v);
            if (!price)
                return v.is_number() ? "value " + v.dump() + " does not fit a 32-bit float"
                                     : "expects a number, \"NaN\", \"Infinity\" or \"-Infinity\"";
            t.SetF32(field.offset, *price);
            return std::nullopt;
        }
        case FieldKind::Reserved: {
            const auto bytes = v.is_string() ? HexBytes(v.get<std::string>()) : std::nullopt;
            if (!bytes) return "expects 24 hexadecimal digits";
            std::copy(bytes->begin(), bytes->end(),
                      t.bytes.begin() + static_cast<std::ptrdiff_t>(field.offset));
            return std::nullopt;
        }
        case FieldKind::Publisher: {
            if (v.is_string()) {
                auto entry = names_.FindOrAppend(ListId::Publisher, v);
                if (!entry) return entry.error();
                t.SetPublisher(*entry);
                return std::nullopt;
            }
            const auto n = WholeNumber(v, 0, 0xFFFF);
            if (!n)
                return v.is_number_integer() ? RangeProblem(v, 0, 0xFFFF)
                                             : "expects an entry number or a name";
            // Read by its low byte alone, 0xFF being none.
            const auto low = static_cast<std::size_t>(*n & 0xFF);
            const auto count = c_.List(ListId::Publisher).size();
            if (low != NoPublisher && low >= count)
                return "entry " + std::to_string(low) + " is beyond PublisherList, which has " +
                       std::to_string(count) + " entries";
            t.SetU16(field.offset, static_cast<std::uint16_t>(*n));
            return std::nullopt;
        }
        }
        return "is not a field of a title";
    }

    NameLookup& names_;
    Collection& c_;
    const Json& object_;
    std::string where_; // "title 3 (ALIEN)"
};

std::optional<std::string> ReadLists(Collection& c, const Json& lists) {
    if (!lists.is_object()) return "lists: expects an object of name lists";
    for (const auto& [key, names] : lists.items()) {
        std::optional<ListId> id;
        for (ListId candidate : AllLists)
            if (ListName(candidate) == key) id = candidate;
        if (!id) return "lists: " + Quoted(key) + " is not a name list";
        if (!names.is_array()) return "list " + key + ": expects an array of names";
        // A file section counts its entries in 16 bits.
        if (names.size() > 0xFFFF) return "list " + key + ": holds more than 65535 names";
        auto& list = c.List(*id);
        list.clear();
        list.reserve(names.size());
        for (std::size_t e = 0; e < names.size(); ++e) {
            auto text = StoredText(names[e]);
            if (!text) return "list " + key + ", entry " + std::to_string(e) + ": " + text.error();
            list.push_back(std::move(*text));
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadOrder(Collection& c, const Json& order) {
    if (!order.is_array()) return std::string("order: expects an array of record numbers");
    const std::size_t n = c.titles.size();
    if (order.size() != n)
        return "order: holds " + std::to_string(order.size()) + " record numbers for " + std::to_string(n) +
               " titles";
    std::vector<bool> seen(n, false);
    c.ListeIndex.clear();
    for (std::size_t i = 0; i < n; ++i) {
        const auto r = WholeNumber(order[i], 0, static_cast<long long>(n) - 1);
        if (!r) return "order, position " + std::to_string(i) + ": " + RangeProblem(order[i], 0, n - 1);
        if (seen[static_cast<std::size_t>(*r)])
            return "order, position " + std::to_string(i) + ": record " + std::to_string(*r) +
                   " is listed twice";
        seen[static_cast<std::size_t>(*r)] = true;
        c.ListeIndex.push_back(static_cast<std::uint16_t>(*r));
    }
    return std::nullopt;
}

// Far above the dump of the largest collection (some 350 MB when every text is escaped), and
// still a size the parser can hold in memory.
constexpr std::size_t LargestJsonFile = std::size_t{1} << 30;

Expected<std::vector<std::uint8_t>, FileFailure> ReadWholeFile(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path, LargestJsonFile);
    if (bytes) return bytes;
    // The messages this command has always given: a missing file with the system's reason.
    FileFailure failure = bytes.error();
    if (failure.error == FileError::NotFound) failure.detail = SystemReason(ENOENT);
    return Unexpected(std::move(failure));
}

} // namespace

Expected<Collection, std::string> CollectionFromJson(const Json& doc) {
    if (!doc.is_object()) return Unexpected(std::string("expects a JSON object"));
    for (const auto& [key, value] : doc.items())
        if (key != "version" && key != "titles" && key != "lists" && key != "order")
            return Unexpected(Quoted(key) + " is not part of a collection");

    // Whatever version was read, what is written is version 5.
    if (const auto version = doc.find("version"); version != doc.end()) {
        static const std::array<std::string_view, 5> known{"KXT", "KX2", "KX3", "KX4", "KX5"};
        if (!version->is_string() ||
            std::find(known.begin(), known.end(), version->get<std::string>()) == known.end())
            return Unexpected(std::string("version: expects \"KXT\", \"KX2\", \"KX3\", \"KX4\" or \"KX5\""));
    }

    Collection c;
    if (const auto lists = doc.find("lists"); lists != doc.end())
        if (auto problem = ReadLists(c, *lists)) return Unexpected(std::move(*problem));

    const auto titles = doc.find("titles");
    if (titles == doc.end()) return Unexpected(std::string("\"titles\" is missing"));
    {
        if (!titles->is_array()) return Unexpected(std::string("titles: expects an array of titles"));
        if (titles->size() > TitleCapacity)
            return Unexpected("titles: a collection holds at most " + std::to_string(TitleCapacity) +
                              " titles");
        c.titles.reserve(titles->size());
        NameLookup names(c);
        for (std::size_t i = 0; i < titles->size(); ++i) {
            const Json& object = (*titles)[i];
            if (!object.is_object()) return Unexpected("title " + std::to_string(i) + ": expects an object");
            auto record = TitleReader(names, i, object).Read();
            if (!record) return Unexpected(record.error());
            c.titles.push_back(*record);
        }
    }

    if (const auto order = doc.find("order"); order != doc.end()) {
        if (auto problem = ReadOrder(c, *order)) return Unexpected(std::move(*problem));
    } else {
        c.ListeIndex = SortedTitleOrder(c.titles);
    }
    return c;
}

int RunFromJson(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    const std::filesystem::path in(args[0]), out(args[1]);
    const auto text = ReadWholeFile(in);
    if (!text) return ReportFailure(err, text.error());
    const auto refuse = [&](std::string_view problem) {
        return Refuse(err, ExitFailure, PathText(in), problem);
    };
    Json doc;
    try {
        doc = Json::parse(*text);
    } catch (const Json::parse_error& e) {
        return refuse(std::string("not valid JSON: ") + e.what());
    }
    const auto collection = CollectionFromJson(doc);
    if (!collection) return refuse(collection.error());
    const auto written = WriteFileReplacing(out, SerializeCollection(*collection));
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace tavrin::cli
