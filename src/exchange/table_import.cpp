#include "exchange/table_import.h"

#include "exchange/value_rules.h"
#include "lang/unstorable_text.h"
#include "lang/vocabulary.h"
#include "reports/detail_block.h"
#include "store/large_blocks.h"
#include "store/text_encoding.h"
#include "store/title_exchange.h"
#include "store/title_order.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace tavrin {
namespace {

using F = TableField;

enum class Kind { Title, Number, Minutes, Code, Name, Flag, Date, Price, Actors, Extras };

struct Rule {
    Kind kind;
    int max = 0;       // Number and Code: the largest value
    bool wide = false; // Number: 16 bits
    ListId list = ListId::Director;
    std::size_t slot = 0; // Name: its place among NameFields
};

// The fields that refer to a name list, each a slot of the names read from a row.
constexpr F NameFields[] = {F::Director, F::Actor1, F::Actor2, F::Actor3, F::Actor4,   F::Actor5,
                            F::Composer, F::Box,    F::Info,   F::Info2,  F::Retailer, F::Publisher};
constexpr std::size_t NameSlots = std::size(NameFields);
constexpr std::size_t FirstActorSlot = 1;

constexpr Rule Number(int max, bool wide = false) {
    return {Kind::Number, max, wide};
}
template <class Names> constexpr int LastOf(const Names& names) {
    return static_cast<int>(names.size()) - 1;
}
constexpr Rule Code(int max) {
    return {Kind::Code, max};
}
constexpr Rule Name(ListId list, std::size_t slot) {
    return {Kind::Name, 0, true, list, slot};
}
constexpr Rule Flag{Kind::Flag};

constexpr int MaxMark = 5;
constexpr int MaxViewings = 32000;
constexpr std::size_t MaxText = TitleTextSize - 1; // titles and names alike

// In TableField order.
constexpr Rule Rules[] = {
    {Kind::Title},                  // Title
    Number(0xFFFF, true),           // Year
    {Kind::Minutes, 0xFFFF, true},  // Length
    Code(LastOf(AspectRatioNames)), // AspectRatio
    Name(ListId::Director, 0),      // Director
    Name(ListId::Actor, 1),         // Actor1
    Name(ListId::Actor, 2),         // Actor2
    Name(ListId::Actor, 3),         // Actor3
    Name(ListId::Actor, 4),         // Actor4
    Name(ListId::Actor, 5),         // Actor5
    Code(GenreCount - 1),           // Genre
    Code(LastOf(MpaaNames)),        // Mpaa
    Number(MaxMark),                // FilmRating
    Number(MaxMark),                // PictureRating
    Number(MaxMark),                // SoundRating
    Number(0xFF),                   // CavSides
    Number(0xFF),                   // ClvSides
    Code(LastOf(StandardNames)),    // Standard
    Code(LastOf(SoundNames)),       // Sound
    Flag,                           // Thx
    Flag,                           // DirectorsCut
    Flag,                           // Subtitled
    Flag,                           // Dubbed
    Flag,                           // Ac3
    Flag,                           // Dts
    Flag,                           // Used
    Name(ListId::Box, 7),           // Box
    Name(ListId::Info, 8),          // Info
    Flag,                           // Widescreen169
    Code(LastOf(SupportNames)),     // Support
    Code(LastOf(ZoneNames)),        // Zone
    Flag,                           // PanScan
    Flag,                           // IsolatedScore
    Name(ListId::Info2, 9),         // Info2
    Flag,                           // MultiAngle
    Code(GenreCount - 1),           // Genre2
    Code(LastOf(TradeNames)),       // Trade
    Name(ListId::Retailer, 10),     // Retailer
    Flag,                           // Flipper
    Code(LastOf(ColorNames)),       // Color
    Flag,                           // Interview
    Flag,                           // Trailer
    Flag,                           // DeletedScenes
    Flag,                           // Featurette
    Flag,                           // Commentary
    Flag,                           // NotesPhotosBio
    Flag,                           // OtherExtras
    Flag,                           // Documentary
    Number(MaxViewings, true),      // Viewings
    Name(ListId::Composer, 6),      // Composer
    {Kind::Date},                   // WatchDate
    {Kind::Price},                  // Price
    {Kind::Date},                   // BuyDate
    Flag,                           // Rotted
    Name(ListId::Publisher, 11),    // Publisher
    {Kind::Actors},                 // Actors
    {Kind::Extras},                 // Extras
};
static_assert(std::size(Rules) == TableFieldCount);

const Rule& RuleOf(F f) {
    return Rules[static_cast<std::size_t>(f)];
}

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The upper case of every byte; bytes that are control characters map to 0, which no text holds.
std::array<char, 256> MakeUpper() {
    std::array<char, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[static_cast<std::size_t>(b)] = b < 0x20 || b == 0x7F ? '\0' : UpperCp1252(static_cast<char>(b));
    return t;
}

const std::array<char, 256> Upper = MakeUpper();

// Upper case into a buffer that is reused from cell to cell; false when the text holds a control
// character.
bool UpperInto(std::string& out, std::string_view text) {
    out.resize(text.size());
    bool textOnly = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char up = Upper[static_cast<unsigned char>(text[i])];
        textOnly &= up != '\0';
        out[i] = up;
    }
    return textOnly;
}

// The texts the values are read from, in every language, upper case and 8-bit; built once.
struct Vocabulary {
    std::array<std::size_t, TableFieldCount> offsets{};
    std::array<std::unordered_map<std::string, int>, TableFieldCount> codes;
    std::array<std::vector<std::string>, TableFieldCount> words; // flags: what stands for set
    struct Extra {
        std::string text;
        std::size_t offset;
    };
    std::vector<Extra> extras; // longest first, so that no text is taken for the start of another

    void AddCode(F f, std::string_view text, int code) {
        std::string key;
        UpperInto(key, Trimmed(text));
        codes[static_cast<std::size_t>(f)].emplace(std::move(key), code);
    }
    template <class Texts> void AddCodes(F f, const Texts& texts) {
        for (std::size_t i = 0; i < std::size(texts); ++i)
            AddCode(f, texts[i], static_cast<int>(i));
    }
    void AddWord(F f, std::string_view text) {
        std::string key;
        UpperInto(key, Trimmed(text));
        auto& list = words[static_cast<std::size_t>(f)];
        if (std::find(list.begin(), list.end(), key) == list.end()) list.push_back(std::move(key));
    }
};

std::size_t OffsetOf(std::string_view name) {
    for (const FieldInfo& info : TitleFields())
        if (info.name == name) return info.offset;
    return 0;
}

Vocabulary MakeVocabulary() {
    Vocabulary v;
    for (F f : AllTableFields())
        if (f != F::Actors && f != F::Extras)
            v.offsets[static_cast<std::size_t>(f)] = OffsetOf(TableFieldName(f));
    v.AddCodes(F::Zone, ZoneNames);
    v.AddCode(F::Zone, "-", 0); // what the export writes for a medium other than DVD
    v.AddCodes(F::Standard, StandardNames);
    v.AddCodes(F::Sound, SoundNames);
    v.AddCodes(F::AspectRatio, AspectRatioNames);
    v.AddCodes(F::Mpaa, MpaaNames);
    v.AddWord(F::Thx, "THX");
    v.AddWord(F::DirectorsCut, "Director's Cut");
    v.AddWord(F::Ac3, "Dolby Digital");
    v.AddWord(F::Dts, "DTS");
    v.AddWord(F::Dts, "DTS Digital");
    v.AddWord(F::Widescreen169, "16/9");
    v.AddWord(F::Flipper, "Flipper");
    for (int language = 0; language < LanguageCount; ++language) {
        MessageCatalogue catalogue;
        catalogue.SetLanguage(language);
        const ReportTexts texts(catalogue);
        for (int code = 0; code < GenreCount; ++code) {
            v.AddCode(F::Genre, texts.Genre(code), code);
            v.AddCode(F::Genre2, texts.Genre(code), code);
        }
        for (std::size_t i = 0; i < TradeNames.size(); ++i)
            v.AddCode(F::Trade, texts(TradeNames[i]), static_cast<int>(i));
        for (std::size_t i = 0; i < ColorNames.size(); ++i)
            v.AddCode(F::Color, texts(ColorNames[i]), static_cast<int>(i));
        v.AddWord(F::Subtitled, texts(Msg::MsgSubtitled));
        v.AddWord(F::Dubbed, texts(Msg::MsgDubbed));
        v.AddWord(F::Used, texts(Msg::MsgUsed));
        v.AddWord(F::PanScan, texts(Msg::MsgPSFullFrame));
        v.AddWord(F::Rotted, texts(Msg::MsgDefectRotted));
        for (const ExtraItem& extra : ReportExtras()) {
            const auto at = std::find(v.offsets.begin(), v.offsets.end(), extra.offset);
            v.AddWord(static_cast<F>(at - v.offsets.begin()), ExtraText(texts, extra));
            std::string key;
            UpperInto(key, ExtraText(texts, extra));
            v.extras.push_back({std::move(key), extra.offset});
        }
    }
    std::stable_sort(v.extras.begin(), v.extras.end(),
                     [](const auto& a, const auto& b) { return a.text.size() > b.text.size(); });
    return v;
}

const Vocabulary& Words() {
    static const Vocabulary v = MakeVocabulary();
    return v;
}

// A whole number within 0 .. max.
std::optional<CellProblem> ParseNumber(std::string_view text, int max, int& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (end != text.data() + text.size() || text.empty()) return CellProblem::NotANumber;
    if (ec == std::errc::result_out_of_range || v < 0 || v > max) return CellProblem::OutOfRange;
    if (ec != std::errc()) return CellProblem::NotANumber;
    value = static_cast<int>(v);
    return std::nullopt;
}

// A text of the field in any language, or its number.
std::optional<CellProblem> ParseCode(F f, std::string_view text, std::string& key, int& value) {
    if (f == F::Support)
        if (const auto medium = MediumByName(text)) {
            value = *medium;
            return std::nullopt;
        }
    const auto& codes = Words().codes[static_cast<std::size_t>(f)];
    UpperInto(key, text);
    if (const auto it = codes.find(key); it != codes.end()) {
        value = it->second;
        return std::nullopt;
    }
    const auto problem = ParseNumber(text, RuleOf(f).max, value);
    return problem == CellProblem::NotANumber ? CellProblem::UnknownValue : problem;
}

// A date as value_rules reads it. The export writes a title's day 0 like any other day, as
// 30/12/1899, which other programs' files mean as no date: here it is that day.
std::optional<DayNumber> ParseTableDate(std::string_view text) {
    if (const auto day = ParseDate(text)) return day;
    if (text == "1899-12-30" || text == "30/12/1899") return DayNumber{0};
    return std::nullopt;
}

// A title or a name, upper-cased into key.
std::optional<CellProblem> TextInto(std::string& key, std::string_view text) {
    if (!UpperInto(key, text)) return CellProblem::ControlCharacter;
    if (text.size() > MaxText) return CellProblem::TooLong;
    return std::nullopt;
}

// The distinct names of one list that a table holds, numbered in the order they are first met:
// each is looked up in the collection's list once, after every row is read, which also appends
// the new ones in that order. Open addressing over one block of text, so that the lookups of
// hundreds of thousands of cells stay in the cache.
class NameTable {
  public:
    std::uint32_t Find(std::string_view name) {
        if (2 * (Size() + 1) > slots_.size()) Grow();
        const std::uint32_t hash = Hash(name);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const std::uint64_t slot = slots_[i];
            if (slot == 0) {
                const auto number = static_cast<std::uint32_t>(Size());
                text_.append(name);
                ends_.push_back(static_cast<std::uint32_t>(text_.size()));
                slots_[i] = std::uint64_t{hash} << 32 | (number + 1);
                return number;
            }
            const auto number = static_cast<std::uint32_t>(slot) - 1;
            if (static_cast<std::uint32_t>(slot >> 32) == hash && Name(number) == name) return number;
        }
    }
    std::size_t Size() const { return ends_.size(); }
    std::string_view Name(std::size_t number) const {
        const std::uint32_t begin = number == 0 ? 0 : ends_[number - 1];
        return std::string_view(text_).substr(begin, ends_[number] - begin);
    }

  private:
    static std::uint32_t Hash(std::string_view text) {
        std::uint32_t h = 2166136261u; // FNV-1a
        for (char ch : text)
            h = (h ^ static_cast<unsigned char>(ch)) * 16777619u;
        return h;
    }
    void Grow() {
        std::vector<std::uint64_t> old(std::max<std::size_t>(64, 2 * slots_.size()), 0);
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (const std::uint64_t slot : old) {
            if (slot == 0) continue;
            std::size_t i = (slot >> 32) & mask;
            while (slots_[i] != 0)
                i = (i + 1) & mask;
            slots_[i] = slot;
        }
    }

    std::string text_;
    std::vector<std::uint32_t> ends_;
    std::vector<std::uint64_t> slots_; // hash << 32 | number + 1; 0 is free
};

using Linkers = std::array<std::optional<NameLinker>, ListCount>;

// Reads the cells of one row into a record; collects what does not fit.
class RowReader {
  public:
    RowReader(const Collection& c, const Table& table, const ColumnMapping& mapping, std::size_t rows)
        : c_(c), words_(Words()) {
        names_.reserve(rows * NameSlots);
        for (std::size_t k = 0; k < mapping.size(); ++k) {
            genre2Column_ = genre2Column_ || mapping[k] == F::Genre2;
            if (mapping[k] == F::Actors && IsExportActorHeader(table.Cell(0, k))) KnowActors();
        }
    }

    // What the last Read could not take whole, taken once.
    std::optional<TableRemark> TakeRemark() { return std::exchange(remark_, std::nullopt); }

    // Opens the name slots of the next row.
    void NextRow() { names_.resize(names_.size() + NameSlots, -1); }

    std::optional<CellProblem> Read(F f, std::string_view cell, TitleRecord& t) {
        const Rule& rule = RuleOf(f);
        const std::size_t offset = words_.offsets[static_cast<std::size_t>(f)];
        const std::string_view text = Trimmed(cell);
        if (text.empty() && rule.kind != Kind::Title) return std::nullopt; // as a new title has it
        switch (rule.kind) {
        case Kind::Title:
            if (text.empty()) return CellProblem::NoTitle;
            if (auto problem = TextInto(key_, text)) return problem;
            t.SetTitle(key_);
            return std::nullopt;
        case Kind::Number:
        case Kind::Minutes: {
            int v = 0;
            auto problem = ParseNumber(text, rule.max, v);
            if (problem == CellProblem::NotANumber && rule.kind == Kind::Minutes)
                if (const auto minutes = RunningMinutes(text)) {
                    v = *minutes;
                    problem = v > rule.max ? std::optional(CellProblem::OutOfRange) : std::nullopt;
                }
            if (problem) return problem;
            if (rule.wide)
                t.SetU16(offset, static_cast<std::uint16_t>(v));
            else
                t.SetU8(offset, static_cast<std::uint8_t>(v));
            return std::nullopt;
        }
        case Kind::Code:
            return ReadCode(f, text, t);
        case Kind::Name: {
            if (auto problem = TextInto(key_, text)) return problem;
            Slot(rule.slot) =
                static_cast<std::int32_t>(lists_[static_cast<std::size_t>(rule.list)].Find(key_));
            return std::nullopt;
        }
        case Kind::Flag: {
            if (text == "1" || text == "0") {
                t.SetFlag(offset, text == "1");
                return std::nullopt;
            }
            UpperInto(key_, text);
            const auto& words = words_.words[static_cast<std::size_t>(f)];
            if (std::find(words.begin(), words.end(), key_) == words.end()) return CellProblem::UnknownValue;
            t.SetFlag(offset, true);
            return std::nullopt;
        }
        case Kind::Date: {
            const auto day = ParseTableDate(text);
            if (!day) return CellProblem::NotADate;
            t.SetI32(offset, *day);
            return std::nullopt;
        }
        case Kind::Price: {
            const auto price = ParsePrice(text);
            if (!price) return CellProblem::NotAPrice;
            t.SetPrice(price->value);
            return std::nullopt;
        }
        case Kind::Actors:
            return ReadActors(text);
        case Kind::Extras:
            return ReadExtras(text, t);
        }
        return std::nullopt;
    }

    // Every name read into the collection's lists (by find-or-append, in the order first met) and
    // the new records' references set; the lists themselves only change at Commit. The first list
    // that cannot take its new names, if any.
    std::optional<ListId> Link(std::span<TitleRecord> records) {
        std::array<std::vector<int>, ListCount> entries;
        for (ListId list : AllLists) {
            const NameTable& names = lists_[static_cast<std::size_t>(list)];
            if (names.Size() == 0) continue;
            NameLinker& linker = linkers_[static_cast<std::size_t>(list)].emplace(c_.List(list), list);
            auto& to = entries[static_cast<std::size_t>(list)];
            to.resize(names.Size());
            for (std::size_t i = 0; i < names.Size(); ++i)
                to[i] = linker.FindOrAppend(names.Name(i));
            if (!linker.Fits()) return list;
        }
        for (std::size_t j = 0; j < records.size(); ++j)
            for (std::size_t s = 0; s < NameSlots; ++s) {
                const std::int32_t number = names_[j * NameSlots + s];
                if (number < 0) continue;
                const F f = NameFields[s];
                const int entry =
                    entries[static_cast<std::size_t>(RuleOf(f).list)][static_cast<std::size_t>(number)];
                if (f == F::Publisher)
                    records[j].SetPublisher(entry);
                else
                    records[j].SetU16(words_.offsets[static_cast<std::size_t>(f)], StoredFromEntry(entry));
            }
        return std::nullopt;
    }

    void Commit(Collection& c) const {
        for (ListId list : AllLists)
            if (const auto& linker = linkers_[static_cast<std::size_t>(list)]) linker->Commit(c.List(list));
    }

  private:
    std::int32_t& Slot(std::size_t slot) { return names_[names_.size() - NameSlots + slot]; }

    std::optional<CellProblem> ReadCode(F f, std::string_view text, TitleRecord& t) {
        const std::size_t offset = words_.offsets[static_cast<std::size_t>(f)];
        int v = 0;
        auto problem = ParseCode(f, text, key_, v);
        // The export writes both genres in one cell: "Science Fiction - Horror".
        const auto dash = text.find(" - ");
        if (problem && f == F::Genre && dash != std::string_view::npos) {
            int second = 0;
            problem = ParseCode(f, Trimmed(text.substr(0, dash)), key_, v);
            if (!problem) problem = ParseCode(F::Genre2, Trimmed(text.substr(dash + 3)), key_, second);
            if (!problem && !genre2Column_) t.SetGenre2(static_cast<std::uint8_t>(second));
        }
        if (problem) return problem;
        t.SetU8(offset, static_cast<std::uint8_t>(v));
        return std::nullopt;
    }

    // The names of an Actors cell into the actor slots, in order: split at , ; / | and line
    // breaks; a cell without them is one name, but in the export's Actor column the names joined by
    // blanks, read by the actor list.
    std::optional<CellProblem> ReadActors(std::string_view text) {
        actors_ = 0;
        bool more = false;
        if (!exportActors_ || text.find_first_of(",;/|\r\n") != std::string_view::npos) {
            for (std::string_view name = NextName(text); !name.empty(); name = NextName(text)) {
                if (auto problem = TextInto(key_, name)) return problem;
                more = !AddActor(key_) || more;
            }
        } else {
            if (!UpperInto(key_, text)) return CellProblem::ControlCharacter;
            // One blank between words, as the names in the list have them.
            key_.erase(
                std::unique(key_.begin(), key_.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                key_.end());
            if (key_.find(' ') == std::string::npos) {
                if (key_.size() > MaxText) return CellProblem::TooLong;
                AddActor(key_);
            } else if (CoverByKnownActors()) {
                for (const auto& [start, length] : cover_)
                    more = !AddActor(std::string_view(key_).substr(start, length)) || more;
            } else {
                remark_ = TableRemark::ActorsNotInList;
                return std::nullopt;
            }
        }
        if (more) remark_ = TableRemark::MoreThanFiveActors;
        return std::nullopt;
    }

    // An actor in the next free slot of the row; one already there is not taken twice. False when
    // the five slots are full.
    bool AddActor(std::string_view name) {
        NameTable& names = lists_[static_cast<std::size_t>(ListId::Actor)];
        for (std::size_t i = 0; i < actors_; ++i)
            if (names.Name(static_cast<std::size_t>(Slot(FirstActorSlot + i))) == name) return true;
        if (actors_ == ActorOffsets.size()) return false;
        Slot(FirstActorSlot + actors_++) = static_cast<std::int32_t>(names.Find(name));
        return true;
    }

    // The actor list's names, upper case, for reading the export's Actor column.
    void KnowActors() {
        exportActors_ = true;
        knownStore_.clear();
        for (const std::string& name : c_.List(ListId::Actor)) {
            std::string upper;
            if (UpperInto(upper, name) && !upper.empty()) knownStore_.push_back(std::move(upper));
        }
        for (const std::string& name : knownStore_)
            knownActors_.insert(name);
    }

    // Splits key_ (words joined by one blank) into the fewest names of the actor list that cover it
    // whole, into cover_ as (start, length); false when they do not cover it.
    bool CoverByKnownActors() {
        constexpr std::size_t MaxWords = 64;
        std::array<std::size_t, MaxWords + 1> starts{};
        std::size_t words = 0;
        for (std::size_t i = 0; i < key_.size(); ++i)
            if (i == 0 || key_[i - 1] == ' ') {
                if (words == MaxWords) return false;
                starts[words++] = i;
            }
        starts[words] = key_.size() + 1;
        // fewest[j]: the fewest names covering the first j words; from[j]: where the last begins.
        constexpr std::size_t None = MaxWords + 1;
        std::array<std::size_t, MaxWords + 1> fewest, from{};
        fewest.fill(None);
        fewest[0] = 0;
        for (std::size_t j = 1; j <= words; ++j)
            for (std::size_t i = 0; i < j; ++i) {
                const std::size_t length = starts[j] - 1 - starts[i];
                if (fewest[i] == None || fewest[i] + 1 >= fewest[j] || length > MaxText) continue;
                if (!knownActors_.contains(std::string_view(key_).substr(starts[i], length))) continue;
                fewest[j] = fewest[i] + 1;
                from[j] = i;
            }
        cover_.clear();
        if (fewest[words] == None) return false;
        for (std::size_t j = words; j > 0; j = from[j])
            cover_.emplace_back(starts[from[j]], starts[j] - 1 - starts[from[j]]);
        std::reverse(cover_.begin(), cover_.end());
        return true;
    }

    // The extras' texts one after the other, each followed by a blank (the last one may not be).
    std::optional<CellProblem> ReadExtras(std::string_view text, TitleRecord& t) {
        UpperInto(key_, text);
        std::string_view rest = key_;
        while (!rest.empty()) {
            const auto found =
                std::find_if(words_.extras.begin(), words_.extras.end(), [rest](const auto& e) {
                    return rest.starts_with(e.text) &&
                           (rest.size() == e.text.size() || rest[e.text.size()] == ' ');
                });
            if (found == words_.extras.end()) return CellProblem::UnknownValue;
            t.SetFlag(found->offset, true);
            rest = Trimmed(rest.substr(found->text.size()));
        }
        return std::nullopt;
    }

    const Collection& c_;
    const Vocabulary& words_;
    bool genre2Column_ = false;
    std::optional<TableRemark> remark_;
    std::size_t actors_ = 0; // the actors of the row read so far
    bool exportActors_ = false;
    std::vector<std::string> knownStore_;
    std::unordered_set<std::string_view> knownActors_;       // views of knownStore_
    std::vector<std::pair<std::size_t, std::size_t>> cover_; // names of key_: start, length
    std::array<NameTable, ListCount> lists_;
    std::vector<std::int32_t> names_; // NameSlots per row: a number of lists_, or -1 for none
    Linkers linkers_;
    std::string key_;
};

// What an empty cell leaves: no name, no multimedia file, bought and watched today, 0 elsewhere.
TitleRecord NewTitle(DayNumber today) {
    TitleRecord t;
    t.SetDirector(NoEntry);
    t.SetComposer(NoEntry);
    t.SetBox(NoEntry);
    t.SetInfo(NoEntry);
    t.SetInfo2(NoEntry);
    t.SetRetailer(NoEntry);
    for (std::size_t off : ActorOffsets)
        t.SetU16(off, NoEntry);
    for (std::size_t off : MediaOffsets)
        t.SetU16(off, NoEntry);
    t.SetPublisher(-1);
    t.SetBuyDate(today);
    t.SetWatchDate(today);
    return t;
}

bool BlankRow(const Table& table, std::size_t row) {
    for (std::size_t k = 0; k < table.ColumnCount(row); ++k)
        if (!Trimmed(table.Cell(row, k)).empty()) return false;
    return true;
}

// A message with its %1 and %2 filled in one pass.
std::string Filled(std::string_view pattern, std::string_view first, std::string_view second = {}) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[++i] == '1' ? first : second;
            continue;
        }
        out.push_back(pattern[i]);
    }
    return out;
}

// The word a flag takes besides 1 and 0 in a language: an extra's text, else the field's label.
std::string FlagWord(F f, int language) {
    const std::size_t offset = Words().offsets[static_cast<std::size_t>(f)];
    for (const ExtraItem& extra : ReportExtras())
        if (extra.offset == offset)
            return std::string(extra.entry ? MessageText(*extra.entry, language) : extra.fixed);
    return TableFieldLabel(f, language);
}

// The texts a code field, a flag or the extras take in a language (UTF-8), the numbers of a code
// field last: "LaserDisc, DVD, VHS, Video CD, 0 .. 3". Empty for the other fields.
std::string AllowedValues(F f, int language) {
    std::string out;
    auto add = [&out](std::string_view text) {
        const auto trimmed = Trimmed(text);
        if (trimmed.empty()) return;
        if (!out.empty()) out += ", ";
        out += trimmed;
    };
    auto addAll = [&add](const auto& texts) {
        for (const auto& text : texts)
            add(text);
    };
    auto addEntries = [&add, language](const auto& entries) {
        for (const Msg m : entries)
            add(MessageText(m, language));
    };
    const Rule& rule = RuleOf(f);
    switch (f) {
    case F::Support:
        add("LaserDisc, DVD, VHS, Video CD");
        break;
    case F::Zone:
        addAll(ZoneNames);
        break;
    case F::Standard:
        addAll(StandardNames);
        break;
    case F::Sound:
        addAll(SoundNames);
        break;
    case F::AspectRatio:
        addAll(AspectRatioNames);
        break;
    case F::Mpaa:
        addAll(MpaaNames);
        break;
    case F::Genre:
    case F::Genre2: {
        MessageCatalogue catalogue;
        catalogue.SetLanguage(language);
        for (int code = 0; code < GenreCount; ++code)
            add(GenreName(catalogue, code));
        break;
    }
    case F::Trade:
        addEntries(TradeNames);
        break;
    case F::Color:
        addEntries(ColorNames);
        break;
    case F::Extras:
        for (const ExtraItem& extra : ReportExtras())
            add(extra.entry ? MessageText(*extra.entry, language) : extra.fixed);
        return out;
    default:
        if (rule.kind != Kind::Flag) return {};
        return "1, 0, " + FlagWord(f, language);
    }
    add("0 .. " + std::to_string(rule.max));
    return out;
}

} // namespace

Msg CellProblemMessage(CellProblem problem) {
    switch (problem) {
    case CellProblem::Unconvertible:
        return Msg::MsgCellUnconvertible;
    case CellProblem::ControlCharacter:
        return Msg::MsgCellControlCharacter;
    case CellProblem::TooLong:
        return Msg::MsgCellTooLong;
    case CellProblem::NoTitle:
        return Msg::MsgThereSNoTitle;
    case CellProblem::NotANumber:
        return Msg::MsgCellNotANumber;
    case CellProblem::OutOfRange:
        return Msg::MsgCellOutOfRange;
    case CellProblem::UnknownValue:
        return Msg::MsgCellUnknownValue;
    case CellProblem::NotADate:
        return Msg::MsgCellNotADate;
    case CellProblem::NotAPrice:
        return Msg::MsgPriceInvalid;
    }
    return Msg::MsgCellUnknownValue;
}

std::string RefusedCellReason(const RefusedCell& cell, std::string_view header, int language,
                              std::optional<TableField> field) {
    if (cell.problem == CellProblem::Unconvertible && !cell.characters.empty())
        return UnstorableTextMessage(header, cell.characters, language);
    if (cell.problem == CellProblem::UnknownValue && field)
        if (const std::string allowed = AllowedValues(*field, language); !allowed.empty())
            return Filled(MessageText(Msg::MsgCellAllowedValues, language), allowed);
    return std::string(MessageText(CellProblemMessage(cell.problem), language));
}

std::string TableWarningText(const TableWarning& warning, std::string_view header, int language) {
    const Msg m = warning.remark == TableRemark::ActorsNotInList ? Msg::MsgTableActorsNotInList
                                                                 : Msg::MsgTableMoreThanFiveActors;
    return Filled(MessageText(m, language), std::to_string(warning.row), header);
}

Msg TableImportMessage(const TableImportRefusal& refusal) {
    switch (refusal.error) {
    case TableImportError::NoTitleColumn:
        return Msg::MsgTableHasNoTitle;
    case TableImportError::RefusedCells:
        return Msg::MsgTableCellsRefused;
    case TableImportError::CollectionFull:
        return Msg::MsgAmazingCollectionButI;
    case TableImportError::ListFull:
        return refusal.list == ListId::Publisher ? Msg::MsgYouCanTAddMore : Msg::MsgYouCanTAddA;
    }
    return Msg::MsgTableCellsRefused;
}

Msg TableFailureMessage(const TableFailure& failure) {
    return failure.error == TableError::UnclosedQuote ? Msg::MsgTableUnclosedQuote : Msg::MsgInvalidFile;
}

Expected<TableImported, TableImportRefusal> ImportTable(Collection& c, const Table& table,
                                                        const ColumnMapping& mapping, DayNumber today) {
    if (std::find(mapping.begin(), mapping.end(), F::Title) == mapping.end())
        return Unexpected{TableImportRefusal{TableImportError::NoTitleColumn, {}}};
    std::vector<std::uint32_t> rows;
    for (std::size_t r = 1; r < table.RowCount(); ++r)
        if (!BlankRow(table, r)) rows.push_back(static_cast<std::uint32_t>(r));
    const std::size_t n = c.Count(), m = rows.size();
    if (n + m > TitleCapacity) return Unexpected{TableImportRefusal{TableImportError::CollectionFull, {}}};
    if (m == 0) return TableImported{n, 0, {}};

    std::vector<std::pair<std::size_t, F>> columns; // the mapped ones
    for (std::size_t k = 0; k < mapping.size(); ++k)
        if (mapping[k]) columns.emplace_back(k, *mapping[k]);

    // The grown store is made aside and takes its place only at the end, in one step.
    std::vector<TitleRecord> titles;
    ReserveLargeBlock(titles, n + m);
    titles.insert(titles.end(), c.titles.begin(), c.titles.end());
    TableImportRefusal refusal{TableImportError::RefusedCells, {}};
    RowReader reader(c, table, mapping, m);
    std::vector<TableWarning> warnings;
    const TitleRecord blank = NewTitle(today);
    for (const std::uint32_t r : rows) {
        TitleRecord& t = titles.emplace_back(blank);
        reader.NextRow();
        for (const auto& [k, f] : columns) {
            auto problem = table.Unconvertible(r, k) ? std::optional(CellProblem::Unconvertible)
                                                     : reader.Read(f, table.Cell(r, k), t);
            if (problem)
                refusal.cells.push_back(
                    {r + 1, k, *problem, std::string(table.UnconvertibleCharacters(r, k))});
            else if (const auto remark = reader.TakeRemark())
                warnings.push_back({r + 1, k, *remark});
        }
    }
    if (!refusal.cells.empty()) return Unexpected{std::move(refusal)};
    if (const auto full = reader.Link(std::span(titles).subspan(n)))
        return Unexpected{TableImportRefusal{TableImportError::ListFull, {}, *full}};

    // The new titles in title order, merged into the master order.
    std::vector<std::uint16_t> added = SortedTitleOrder(std::span<const TitleRecord>(titles).subspan(n));
    for (auto& r : added)
        r = static_cast<std::uint16_t>(r + n);
    const auto heads = TitleHeads(titles);
    std::vector<std::uint16_t> order;
    order.reserve(n + m);
    std::merge(c.ListeIndex.begin(), c.ListeIndex.end(), added.begin(), added.end(),
               std::back_inserter(order), [&titles, &heads](std::uint16_t a, std::uint16_t b) {
                   return TitleSortsBefore(titles, heads, a, b);
               });

    DayNumber earliest = c.EarliestBuyDate;
    for (std::size_t j = n; j < n + m; ++j)
        earliest = std::min(earliest, titles[j].BuyDate());
    reader.Commit(c);
    c.titles = std::move(titles);
    c.ListeIndex = std::move(order);
    c.EarliestBuyDate = earliest;
    return TableImported{n, m, std::move(warnings)};
}

Expected<TableImported, TableImportRefusal> ImportTable(Changes ch, const Table& table,
                                                        const ColumnMapping& mapping, DayNumber today,
                                                        std::optional<std::size_t> current) {
    Expected<TableImported, TableImportRefusal> done = TableImported{};
    AppendTitles(ch, ChangeKind::ImportTable, current, today, [&](Collection& c) {
        done = ImportTable(c, table, mapping, today);
        return done && done->count > 0;
    });
    return done;
}

} // namespace tavrin
