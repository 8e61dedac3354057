#include "cli/list.h"

#include "app/browse/title_search.h"
#include "cli/browse_input.h"
#include "cli/cli_files.h"
#include "store/text_encoding.h"

#include <charconv>
#include <ctime>
#include <functional>
#include <map>

namespace tavrin::cli {
namespace {

using Json = nlohmann::json;

// How one key is read: a check of the value and where it goes.
using Setter = std::function<std::optional<std::string>(const Json& value, BrowseFilters& f)>;

std::string Named(std::string_view key, std::string_view problem) {
    return "filter " + std::string(key) + ": " + std::string(problem);
}

// An integer within [low, high], or one of the extra values allowed.
Setter IntSetter(std::string key, int BrowseFilters::*member, int low, int high,
                 std::initializer_list<int> extra = {}) {
    std::vector<int> also(extra);
    return [key, member, low, high, also](const Json& v, BrowseFilters& f) -> std::optional<std::string> {
        if (!v.is_number_integer()) return Named(key, "expects a whole number");
        const auto n = v.get<long long>();
        const bool allowed = (n >= low && n <= high) || std::find(also.begin(), also.end(), n) != also.end();
        if (!allowed) return Named(key, "value " + std::to_string(n) + " is out of range");
        f.*member = static_cast<int>(n);
        return std::nullopt;
    };
}

Setter BoolSetter(std::string key, bool BrowseFilters::*member) {
    return [key, member](const Json& v, BrowseFilters& f) -> std::optional<std::string> {
        if (!v.is_boolean()) return Named(key, "expects true or false");
        f.*member = v.get<bool>();
        return std::nullopt;
    };
}

Setter DvdSetter(std::string key, DvdFilter filter) {
    return [key, filter](const Json& v, BrowseFilters& f) -> std::optional<std::string> {
        if (!v.is_number_integer()) return Named(key, "expects a whole number");
        const auto n = v.get<long long>();
        if (n < 0 || n > DvdAllLang) return Named(key, "value " + std::to_string(n) + " is out of range");
        f.DvdCombo(filter) = static_cast<int>(n);
        return std::nullopt;
    };
}

template <class Choice> Setter ChoiceSetter(std::string key, Choice BrowseFilters::*member) {
    return [key, member](const Json& v, BrowseFilters& f) -> std::optional<std::string> {
        if (!v.is_number_integer()) return Named(key, "expects a whole number");
        const auto n = v.get<long long>();
        if (n < 0 || n > 2) return Named(key, "value " + std::to_string(n) + " is out of range");
        f.*member = static_cast<Choice>(n);
        return std::nullopt;
    };
}

const std::map<std::string, Setter, std::less<>>& Setters() {
    static const auto table = [] {
        // The combos come from their own table (FiltersFromJson looks there first).
        std::map<std::string, Setter, std::less<>> t;
        const std::pair<const char*, bool BrowseFilters::*> boxes[] = {
            {"TTHX", &BrowseFilters::TTHX},
            {"TAC3", &BrowseFilters::TAC3},
            {"TDTS", &BrowseFilters::TDTS},
            {"TDirectorCut", &BrowseFilters::TDirectorCut},
            {"TSubtitled", &BrowseFilters::TSubtitled},
            {"TDubbed", &BrowseFilters::TDubbed},
            {"TRotted", &BrowseFilters::TRotted},
            {"TInterview", &BrowseFilters::TInterview},
            {"TTrailer", &BrowseFilters::TTrailer},
            {"TPS", &BrowseFilters::TPS},
            {"TIsolated", &BrowseFilters::TIsolated},
            {"TMultiAngle", &BrowseFilters::TMultiAngle},
            {"TDeletedScene", &BrowseFilters::TDeletedScene},
            {"TDocumentary", &BrowseFilters::TDocumentary},
            {"TFeaturette", &BrowseFilters::TFeaturette},
            {"TCommentary", &BrowseFilters::TCommentary},
            {"TStillFrame", &BrowseFilters::TStillFrame},
            {"TSupAutre", &BrowseFilters::TSupAutre},
            {"T169", &BrowseFilters::T169},
            {"TUsed", &BrowseFilters::TUsed},
            {"TFlipper", &BrowseFilters::TFlipper},
        };
        for (const auto& [key, m] : boxes)
            t[key] = BoolSetter(key, m);

        t["TAnnee1"] = IntSetter("TAnnee1", &BrowseFilters::TAnnee1, 0, 9999);
        t["TAnnee2"] = IntSetter("TAnnee2", &BrowseFilters::TAnnee2, 0, 9999);
        const std::pair<const char*, int BrowseFilters::*> marks[] = {
            {"TNoteFilm1", &BrowseFilters::TNoteFilm1},   {"TNoteFilm2", &BrowseFilters::TNoteFilm2},
            {"TNoteImage1", &BrowseFilters::TNoteImage1}, {"TNoteImage2", &BrowseFilters::TNoteImage2},
            {"TNoteSon1", &BrowseFilters::TNoteSon1},     {"TNoteSon2", &BrowseFilters::TNoteSon2},
        };
        for (const auto& [key, m] : marks)
            t[key] = IntSetter(key, m, 0, 5);
        t["Watched"] = ChoiceSetter("Watched", &BrowseFilters::Watched);
        t["TWatched"] = ChoiceSetter("TWatched", &BrowseFilters::TWatched);

        const std::pair<const char*, int BrowseFilters::*> names[] = {
            {"TDirector", &BrowseFilters::TDirector}, {"TComposer", &BrowseFilters::TComposer},
            {"TBox", &BrowseFilters::TBox},           {"TBoutique", &BrowseFilters::TBoutique},
            {"TInfo", &BrowseFilters::TInfo},         {"TInfo2", &BrowseFilters::TInfo2},
        };
        for (const auto& [key, m] : names)
            t[key] = IntSetter(key, m, 0, MaxEntryNumber, {-1, NoEntry});
        t["TEditeur"] =
            IntSetter("TEditeur", &BrowseFilters::TEditeur, 0, NoPublisher - 1, {-1, NoPublisher});

        t["TActor"] = [](const Json& v, BrowseFilters& f) -> std::optional<std::string> {
            if (!v.is_array()) return Named("TActor", "expects an array of actor entry numbers");
            if (v.size() > f.TActor.size()) return Named("TActor", "holds at most three actors");
            std::array<int, 3> actors{-1, -1, -1};
            for (std::size_t i = 0; i < v.size(); ++i) {
                if (!v[i].is_number_integer())
                    return Named("TActor", "expects an array of actor entry numbers");
                const auto n = v[i].get<long long>();
                if (n < 0 || n > MaxEntryNumber)
                    return Named("TActor", "actor " + std::to_string(n) + " is out of range");
                // The window takes each actor once.
                if (std::find(actors.begin(), actors.end(), n) != actors.end())
                    return Named("TActor", "actor " + std::to_string(n) + " is chosen twice");
                actors[i] = static_cast<int>(n);
            }
            f.TActor = actors;
            return std::nullopt;
        };
        t["EntrySince"] = [](const Json& v, BrowseFilters& f) -> std::optional<std::string> {
            if (!v.is_string()) return Named("EntrySince", "expects a date \"YYYY-MM-DD\"");
            const auto day = ParseIsoDate(v.get<std::string>());
            if (!day) return Named("EntrySince", "\"" + v.get<std::string>() + "\" is not a date YYYY-MM-DD");
            f.EntrySince = *day;
            return std::nullopt;
        };
        return t;
    }();
    return table;
}

} // namespace

DayNumber SystemToday() {
    const std::tm local = LocalTimeNow();
    return DayNumberFromDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0);
}

std::optional<DayNumber> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        int n = 0;
        const char* first = text.data() + at;
        const auto [end, ec] = std::from_chars(first, first + length, n);
        if (ec != std::errc() || end != first + length) return std::nullopt;
        return n;
    };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (!year || !month || !day) return std::nullopt;
    return DayNumberFromDate(*year, *month, *day);
}

Expected<BrowseFilters, std::string> FiltersFromJson(const nlohmann::json& doc,
                                                     const BrowseFilters& neutral) {
    if (!doc.is_object()) return Unexpected(std::string("--filters expects a JSON object"));
    BrowseFilters f = neutral;
    const auto& setters = Setters();
    for (const auto& [key, value] : doc.items()) {
        // A combo takes any item of its list, up to its neutral one.
        if (const FilterCombo* combo = FilterComboNamed(key)) {
            const Setter set =
                combo->member ? IntSetter(key, combo->member, 0, combo->neutral) : DvdSetter(key, combo->dvd);
            if (auto problem = set(value, f)) return Unexpected(std::move(*problem));
            continue;
        }
        const auto setter = setters.find(key);
        if (setter == setters.end()) return Unexpected(Named(key, "is not a filter control"));
        if (auto problem = setter->second(value, f)) return Unexpected(std::move(*problem));
    }
    return f;
}

int RunList(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    std::optional<DayNumber> today;
    const auto parsed = ParseArgs(ListSyntax, args, TodayReader(today));
    if (!parsed) return Refuse(err, ExitUsage, "list", FaultText(parsed.error(), FaultWords::List));
    auto input = LoadBrowseInput(std::filesystem::path(parsed->positionals[0]),
                                 parsed->Value(FiltersOption.name), today, "list", err);
    if (!input) return input.error();
    if (const auto typed = parsed->Value(SearchOption.name))
        input->browse = SearchTitles(input->collection, input->browse, SearchWords(Utf8ToCp1252(*typed)));
    for (auto r : input->browse)
        out << r << '\t' << Cp1252ToUtf8(input->collection.RecordAt(r).TitleView()) << '\n';
    return FinishOutput(out, err);
}

} // namespace tavrin::cli
