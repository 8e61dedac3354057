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
#include <vector>

namespace tavrin::cli {
namespace {

using Json = nlohmann::json;

// A problem and where it was found: "title 3 (ALIEN), field Year: ...".
std::string Problem(std::string_view where, std::string_view what) {
    return std::string(where) + ": " + std::string(what);
}

// A text of the input as a message echoes it: quoted, cut to its first characters.
std::string Quoted(std::string_view text) {
    return '"' + EchoedText(text) + '"';
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

std::string OutOfRange(std::string_view value, long long low, long long high) {
    return "value " + EchoedText(value) + " is out of range " + std::to_string(low) + " .. " +
           std::to_string(high);
}

std::string RangeProblem(const Json& v, long long low, long long high) {
    if (!v.is_number_integer()) return "expects a whole number";
    return OutOfRange(v.dump(), low, high);
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

bool IsReference(const FieldInfo& field) {
    return field.kind == FieldKind::Publisher || (field.kind == FieldKind::U16 && ListOfField(field.offset));
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

// The fields that name an entry of a list, in the order of their names: the order in which a
// title's fields were always read (a JSON object's keys in order), and so the order in which the
// names it gives as text are appended.
const std::vector<const FieldInfo*>& ReferenceFieldsByName() {
    static const auto fields = [] {
        std::vector<const FieldInfo*> found;
        for (const auto& f : TitleFields())
            if (IsReference(f)) found.push_back(&f);
        std::sort(found.begin(), found.end(),
                  [](const FieldInfo* a, const FieldInfo* b) { return a->name < b->name; });
        return found;
    }();
    return fields;
}

// Names given as text: the first entry with exactly that text, or a new one appended (the title
// import's find-or-append). Each list is indexed on first use, so a large file stays quick.
class NameLookup {
  public:
    explicit NameLookup(Collection& c) : c_(c) {}

    Expected<std::uint16_t, std::string> FindOrAppend(ListId id, const std::string& text) {
        auto& index = Index(id);
        if (const auto found = index.find(text); found != index.end()) return found->second;
        int entry = -1;
        if (AddName(c_, id, text, &entry) != StoreError::None)
            return Unexpected(std::string(ListName(id)) + " is full: " + Quoted(Cp1252ToUtf8(text)) +
                              " cannot be added");
        index.emplace(text, static_cast<std::uint16_t>(entry));
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

// A title as read, before the name lists are known (they may come after the titles): every field
// set but the names given as text, and references by number not yet checked against their lists.
struct PendingTitle {
    TitleRecord record;
    std::vector<std::pair<const FieldInfo*, std::string>> names; // field, name (8-bit)
    std::string where;                                           // "title 3 (ALIEN)"
};

std::string TitleWhere(std::size_t index, const Json& object) {
    std::string where = "title " + std::to_string(index);
    const auto title = object.find("Title");
    if (title != object.end() && title->is_string())
        where += " (" + EchoedText(title->get_ref<const std::string&>()) + ")";
    return where;
}

// What a field makes of a value that is no value of it, for a value that cannot even be held:
// a number past any double, as its text.
std::string UnholdableNumber(const FieldInfo& field, std::string_view number) {
    switch (field.kind) {
    case FieldKind::U8:
    case FieldKind::Flag:
        return OutOfRange(number, 0, 255);
    case FieldKind::U16:
    case FieldKind::Publisher:
        return OutOfRange(number, 0, 0xFFFF);
    case FieldKind::I32:
        return OutOfRange(number, std::numeric_limits<std::int32_t>::min(),
                          std::numeric_limits<std::int32_t>::max());
    case FieldKind::F32:
        return "value " + EchoedText(number) + " does not fit a 32-bit float";
    case FieldKind::Text:
        return "expects a text";
    case FieldKind::Reserved:
        break;
    }
    return "expects 24 hexadecimal digits";
}

// Every check of a field that needs no name list; a name as text is only checked for what any
// name must be, and kept for the lists.
std::optional<std::string> ReadField(PendingTitle& pending, const FieldInfo& field, const Json& v) {
    TitleRecord& t = pending.record;
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
    case FieldKind::U16:
    case FieldKind::Publisher: {
        const bool reference = IsReference(field);
        if (reference && v.is_string()) {
            auto text = StoredText(v);
            if (!text) return text.error();
            pending.names.emplace_back(&field, std::move(*text));
            return std::nullopt;
        }
        const auto n = WholeNumber(v, 0, 0xFFFF);
        if (!n)
            return reference && !v.is_number_integer() ? "expects an entry number or a name"
                                                       : RangeProblem(v, 0, 0xFFFF);
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
            return v.is_number() ? "value " + EchoedText(v.dump()) + " does not fit a 32-bit float"
                                 : "expects a number, \"NaN\", \"Infinity\" or \"-Infinity\"";
        t.SetF32(field.offset, *price);
        return std::nullopt;
    }
    case FieldKind::Reserved: {
        const auto bytes = v.is_string() ? HexBytes(v.get<std::string>()) : std::nullopt;
        if (!bytes) return "expects 24 hexadecimal digits";
        std::copy(bytes->begin(), bytes->end(), t.bytes.begin() + static_cast<std::ptrdiff_t>(field.offset));
        return std::nullopt;
    }
    }
    return "is not a field of a title";
}

// A title object read into its record: every field but the lists' part.
Expected<PendingTitle, std::string> ReadTitle(std::size_t index, const Json& object) {
    PendingTitle pending;
    pending.where = TitleWhere(index, object);
    TitleRecord& t = pending.record;
    for (ListId id : AllLists)
        for (auto offset : ReferringOffsets(id))
            t.SetU16(offset, NoEntry);
    t.SetPublisher(-1);
    if (!object.contains("Title"))
        return Unexpected(Problem(pending.where, "the field \"Title\" is missing"));
    for (const auto& [key, value] : object.items()) {
        const FieldInfo* field = FieldNamed(key);
        if (!field) return Unexpected(Problem(pending.where, Quoted(key) + " is not a field of a title"));
        if (auto problem = ReadField(pending, *field, value))
            return Unexpected(Problem(pending.where + ", field " + key, *problem));
    }
    return pending;
}

// The lists' part of a title, once every list is read: names as text found or appended, and each
// reference by number checked against its list, field after field in the order of their names.
Expected<TitleRecord, std::string> ResolveTitle(PendingTitle& pending, NameLookup& names,
                                                const Collection& c) {
    TitleRecord& t = pending.record;
    for (const FieldInfo* field : ReferenceFieldsByName()) {
        const auto problem = [&](std::string what) {
            return Unexpected(Problem(pending.where + ", field " + std::string(field->name), what));
        };
        const bool publisher = field->kind == FieldKind::Publisher;
        const ListId list = publisher ? ListId::Publisher : *ListOfField(field->offset);
        const auto named = std::find_if(pending.names.begin(), pending.names.end(),
                                        [field](const auto& n) { return n.first == field; });
        if (named != pending.names.end()) {
            auto entry = names.FindOrAppend(list, named->second);
            if (!entry) return problem(entry.error());
            if (publisher)
                t.SetPublisher(*entry);
            else
                t.SetU16(field->offset, *entry);
            continue;
        }
        const std::size_t count = c.List(list).size();
        if (publisher) {
            // Read by its low byte alone, 0xFF being none.
            const std::size_t low = t.U16(field->offset) & 0xFF;
            if (low != NoPublisher && low >= count)
                return problem("entry " + std::to_string(low) + " is beyond PublisherList, which has " +
                               std::to_string(count) + " entries");
            continue;
        }
        // Numbers above the highest entry number read as none wherever a reference is read.
        const std::uint16_t n = t.U16(field->offset);
        if (n <= MaxEntryNumber && n >= count)
            return problem("entry " + std::to_string(n) + " is beyond " + std::string(ListName(list)) +
                           ", which has " + std::to_string(count) + " entries");
    }
    return t;
}

// The parts of a collection document, by their keys.
enum class Part { Version, Titles, Lists, Order };

std::optional<Part> PartNamed(std::string_view key) {
    if (key == "version") return Part::Version;
    if (key == "titles") return Part::Titles;
    if (key == "lists") return Part::Lists;
    if (key == "order") return Part::Order;
    return std::nullopt;
}

// Reads the document as the parser goes through it, never building more of it than one title: a
// value in the wrong place is refused where it starts (an array where a number goes is never
// read), and the titles, the names of a list and the record numbers of the order are refused as
// soon as there are more than a collection holds. The names lists can come after the titles, so
// the titles are kept as records and their names resolved at the end.
class CollectionReader final : public nlohmann::json_sax<Json> {
  public:
    Expected<Collection, std::string> Read(std::string_view text) {
        const bool parsed = Json::sax_parse(text.begin(), text.end(), this);
        if (!parsed || !problem_.empty())
            return Unexpected(problem_.empty() ? std::string("not valid JSON") : problem_);
        if (!seen_[static_cast<std::size_t>(Part::Titles)])
            return Unexpected(std::string("\"titles\" is missing"));
        c_.titles.reserve(pending_.size());
        NameLookup names(c_);
        for (PendingTitle& pending : pending_) {
            auto record = ResolveTitle(pending, names, c_);
            if (!record) return Unexpected(record.error());
            c_.titles.push_back(*record);
        }
        pending_.clear();
        if (seen_[static_cast<std::size_t>(Part::Order)]) {
            if (auto problem = ReadOrder()) return Unexpected(std::move(*problem));
        } else {
            c_.ListeIndex = SortedTitleOrder(c_.titles);
        }
        return std::move(c_);
    }

    bool null() override { return Value(nullptr); }
    bool boolean(bool v) override { return Value(v); }
    bool number_integer(number_integer_t v) override { return Value(v); }
    bool number_unsigned(number_unsigned_t v) override { return Value(v); }
    bool number_float(number_float_t v, const string_t&) override { return Value(v); }
    bool string(string_t& v) override { return Value(std::move(v)); }
    bool binary(binary_t&) override { return Value(nullptr); } // JSON text holds none

    bool key(string_t& k) override {
        switch (At()) {
        case Place::Document: {
            const auto part = PartNamed(k);
            if (!part) return Refuse(Quoted(k) + " is not part of a collection");
            auto& seen = seen_[static_cast<std::size_t>(*part)];
            if (seen) return Refuse(Quoted(k) + " is given twice");
            seen = true;
            part_ = *part;
            return true;
        }
        case Place::Title:
            field_ = FieldNamed(k);
            if (!field_)
                return Refuse(
                    Problem(TitleWhere(pending_.size(), title_), Quoted(k) + " is not a field of a title"));
            fieldName_ = std::move(k);
            return true;
        case Place::Lists: {
            list_.reset();
            for (ListId candidate : AllLists)
                if (ListName(candidate) == k) list_ = candidate;
            if (!list_) return Refuse("lists: " + Quoted(k) + " is not a name list");
            return true;
        }
        default:
            return true; // no other place holds keys
        }
    }

    bool start_object(std::size_t) override {
        switch (At()) {
        case Place::Start:
            places_.push_back(Place::Document);
            return true;
        case Place::Document:
            if (part_ != Part::Lists) return Misplaced(Json::object());
            places_.push_back(Place::Lists);
            return true;
        case Place::Titles:
            if (pending_.size() >= TitleCapacity) return Refuse(TooManyTitles());
            title_ = Json::object();
            places_.push_back(Place::Title);
            return true;
        default:
            return Misplaced(Json::object());
        }
    }

    bool end_object() override {
        if (At() == Place::Title) {
            auto pending = ReadTitle(pending_.size(), title_);
            if (!pending) return Refuse(pending.error());
            pending_.push_back(std::move(*pending));
            title_ = nullptr;
        }
        places_.pop_back();
        return true;
    }

    bool start_array(std::size_t) override {
        if (At() == Place::Document && part_ == Part::Titles) {
            places_.push_back(Place::Titles);
            return true;
        }
        if (At() == Place::Document && part_ == Part::Order) {
            order_.clear();
            places_.push_back(Place::Order);
            return true;
        }
        if (At() == Place::Lists) {
            c_.List(*list_).clear();
            places_.push_back(Place::List);
            return true;
        }
        return Misplaced(Json::array());
    }

    bool end_array() override {
        places_.pop_back();
        return true;
    }

    bool parse_error(std::size_t, const std::string& token, const nlohmann::detail::exception& e) override {
        // A number past any double (1e400, 5,000 digits) is refused where it stands, as any
        // number that does not fit.
        if (e.id == 406) {
            if (At() == Place::Title)
                return Refuse(Problem(TitleWhere(pending_.size(), title_) + ", field " + fieldName_,
                                      UnholdableNumber(*field_, token)));
            if (At() == Place::Order)
                return Refuse("order, position " + std::to_string(order_.size()) + ": value " +
                              EchoedText(token) + " is no record number");
            return Misplaced(0);
        }
        // The parser's words, but the text it read echoed no longer than any other.
        std::string what = e.what();
        if (const auto marker = what.find("] "); marker != std::string::npos) what.erase(0, marker + 2);
        if (const auto at = token.empty() ? std::string::npos : what.rfind(token); at != std::string::npos)
            what.replace(at, token.size(), EchoedText(token));
        return Refuse("not valid JSON: " + what);
    }

  private:
    enum class Place { Start, Document, Titles, Title, Lists, List, Order };

    Place At() const { return places_.empty() ? Place::Start : places_.back(); }

    bool Refuse(std::string problem) {
        if (problem_.empty()) problem_ = std::move(problem);
        return false;
    }

    std::string TooManyTitles() const {
        return "titles: a collection holds at most " + std::to_string(TitleCapacity) + " titles";
    }

    // A scalar value: kept where it belongs, refused anywhere else.
    bool Value(Json v) {
        switch (At()) {
        case Place::Document:
            if (part_ == Part::Version) return Version(v);
            return Misplaced(std::move(v));
        case Place::Title:
            title_[fieldName_] = std::move(v);
            return true;
        case Place::List: {
            auto& list = c_.List(*list_);
            const std::string key(ListName(*list_));
            // A file section counts its entries in 16 bits.
            if (list.size() >= 0xFFFF) return Refuse("list " + key + ": holds more than 65535 names");
            auto text = StoredText(v);
            if (!text)
                return Refuse("list " + key + ", entry " + std::to_string(list.size()) + ": " + text.error());
            list.push_back(std::move(*text));
            return true;
        }
        case Place::Order:
            if (!v.is_number_integer())
                return Refuse("order, position " + std::to_string(order_.size()) +
                              ": expects a whole number");
            if (order_.size() >= TitleCapacity)
                return Refuse("order: holds more than " + std::to_string(TitleCapacity) + " record numbers");
            order_.push_back(std::move(v));
            return true;
        default:
            return Misplaced(std::move(v));
        }
    }

    // A value (or the start of an object or array, given empty) where it does not belong.
    bool Misplaced(const Json& v) {
        switch (At()) {
        case Place::Start:
            return Refuse("expects a JSON object");
        case Place::Document:
            switch (part_) {
            case Part::Version:
                return Version(v);
            case Part::Titles:
                return Refuse("titles: expects an array of titles");
            case Part::Lists:
                return Refuse("lists: expects an object of name lists");
            case Part::Order:
                return Refuse("order: expects an array of record numbers");
            }
            break;
        case Place::Titles:
            if (pending_.size() >= TitleCapacity) return Refuse(TooManyTitles());
            return Refuse("title " + std::to_string(pending_.size()) + ": expects an object");
        case Place::Title: {
            PendingTitle ignored;
            return Refuse(Problem(TitleWhere(pending_.size(), title_) + ", field " + fieldName_,
                                  ReadField(ignored, *field_, v).value_or("expects a value")));
        }
        case Place::Lists:
            return Refuse("list " + std::string(ListName(*list_)) + ": expects an array of names");
        case Place::List:
            return Refuse("list " + std::string(ListName(*list_)) + ", entry " +
                          std::to_string(c_.List(*list_).size()) + ": expects a text");
        case Place::Order:
            return Refuse("order, position " + std::to_string(order_.size()) + ": expects a whole number");
        }
        return Refuse("expects a JSON object");
    }

    // Whatever version was read, what is written is version 5.
    bool Version(const Json& v) {
        static const std::array<std::string_view, 5> known{"KXT", "KX2", "KX3", "KX4", "KX5"};
        if (v.is_string() &&
            std::find(known.begin(), known.end(), v.get_ref<const std::string&>()) != known.end())
            return true;
        return Refuse("version: expects \"KXT\", \"KX2\", \"KX3\", \"KX4\" or \"KX5\"");
    }

    std::optional<std::string> ReadOrder() {
        const std::size_t n = c_.titles.size();
        if (order_.size() != n)
            return "order: holds " + std::to_string(order_.size()) + " record numbers for " +
                   std::to_string(n) + " titles";
        std::vector<bool> seen(n, false);
        c_.ListeIndex.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const auto r = WholeNumber(order_[i], 0, static_cast<long long>(n) - 1);
            if (!r)
                return "order, position " + std::to_string(i) + ": " +
                       RangeProblem(order_[i], 0, static_cast<long long>(n) - 1);
            if (seen[static_cast<std::size_t>(*r)])
                return "order, position " + std::to_string(i) + ": record " + std::to_string(*r) +
                       " is listed twice";
            seen[static_cast<std::size_t>(*r)] = true;
            c_.ListeIndex.push_back(static_cast<std::uint16_t>(*r));
        }
        return std::nullopt;
    }

    Collection c_;
    std::vector<Place> places_;
    std::array<bool, 4> seen_{}; // by Part
    Part part_ = Part::Version;  // the part whose value comes next
    std::optional<ListId> list_; // the list whose names come next
    Json title_;                 // the title being read
    std::string fieldName_;      // its field whose value comes next
    const FieldInfo* field_ = nullptr;
    std::vector<PendingTitle> pending_;
    std::vector<Json> order_;
    std::string problem_;
};

// Past the dump of the largest collection (296 MB when every text is escaped), with room for
// a dump laid out again by an editor. The reading holds the file and little more than the
// collection it describes.
constexpr std::size_t LargestJsonFile = std::size_t{512} << 20;

Expected<std::vector<std::uint8_t>, FileFailure> ReadWholeFile(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path, LargestJsonFile);
    if (bytes) return bytes;
    // The messages this command has always given: a missing file with the system's reason.
    FileFailure failure = bytes.error();
    if (failure.error == FileError::NotFound) failure.detail = SystemReason(ENOENT);
    return Unexpected(std::move(failure));
}

} // namespace

Expected<Collection, std::string> CollectionFromJson(std::string_view text) {
    return CollectionReader().Read(text);
}

int RunFromJson(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    const std::filesystem::path in(args[0]), out(args[1]);
    const auto text = ReadWholeFile(in);
    if (!text) return ReportFailure(err, text.error());
    const auto collection =
        CollectionFromJson(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
    if (!collection) return Refuse(err, ExitFailure, PathText(in), collection.error());
    const auto written = WriteFileReplacing(out, SerializeCollection(*collection));
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace tavrin::cli
