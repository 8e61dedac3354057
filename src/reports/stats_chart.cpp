#include "reports/stats_chart.h"

#include "lang/vocabulary.h"
#include "store/day_number.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace tavrin {
namespace {

constexpr std::size_t CounterCount = 100;
constexpr std::uint16_t LastBoxLink = MaxEntryNumber; // links above it belong to no box set

static_assert(MostChartRows >= GenreCount && MostChartRows >= 31,
              "the genre chart or the day chart has more rows");

constexpr std::array<std::string_view, 14> ChartNames{
    "medium", "ratio",    "genre",    "movie-mark", "image-mark", "sound-mark", "mpaa",
    "sound",  "standard", "new-used", "cav-clv",    "rsdl",       "zone",       "money"};

constexpr std::array<Msg, 12> MonthNames{Msg::MsgJanuary, Msg::MsgFebruary, Msg::MsgMarch,
                                         Msg::MsgApril,   Msg::MsgMay,      Msg::MsgJune,
                                         Msg::MsgJuly,    Msg::MsgAugust,   Msg::MsgSeptember,
                                         Msg::MsgOctober, Msg::MsgNovember, Msg::MsgDecember};

// A pixel position from a float product, truncated toward zero; a product that is not a number
// (a damaged price) draws at 0 rather than anywhere.
int Pixel(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string Decimal(long long n) {
    return std::to_string(n);
}

std::string Footer(const Collection& c, std::span<const std::uint16_t> list,
                   const MessageCatalogue& catalogue) {
    return std::string(catalogue(list.size() == c.Count() ? Msg::MsgTheseStatsAreMadeWithAll
                                                          : Msg::MsgTheseStatsAreMadeWithA));
}

std::string MonthName(const MessageCatalogue& catalogue, int month) {
    return std::string(catalogue(MonthNames[static_cast<std::size_t>(month - 1)]));
}

// ---- Counting charts ----

struct CountingChart {
    Msg caption;            // the caption's entry, unless fixed is given
    std::string_view fixed; // a caption the same in every language
    int length;             // the maximal bar length L
    std::uint8_t (*field)(const TitleRecord&);
};

std::vector<std::string> FixedCategories(std::span<const std::string_view> names) {
    return {names.begin(), names.end()};
}

std::vector<std::string> Categories(StatsChart chart, const MessageCatalogue& catalogue) {
    switch (chart) {
    case StatsChart::Medium:
        return FixedCategories(SupportNames);
    case StatsChart::Ratio:
        return FixedCategories(AspectRatioNames);
    case StatsChart::Genre: {
        std::vector<std::string> names;
        for (int code = 0; code < GenreCount; ++code)
            names.push_back(GenreName(catalogue, code));
        return names;
    }
    case StatsChart::MovieMark:
    case StatsChart::ImageMark:
    case StatsChart::SoundMark: {
        std::vector<std::string> names;
        for (int mark = 0; mark <= 5; ++mark)
            names.push_back(std::string(catalogue(Msg::MsgChartMarkItem)) + Decimal(mark));
        return names;
    }
    case StatsChart::Mpaa:
        return FixedCategories(MpaaNames);
    case StatsChart::Sound:
        return FixedCategories(SoundNames);
    case StatsChart::Standard:
        return FixedCategories(StandardNames);
    case StatsChart::NewUsed:
        return {std::string(catalogue(Msg::MsgBrandNew)), std::string(catalogue(Msg::MsgUsed))};
    case StatsChart::Zone:
        return FixedCategories(ZoneNames);
    default:
        return {};
    }
}

const CountingChart* CountingChartOf(StatsChart chart) {
    static constexpr CountingChart medium{Msg::MsgOther, "LD/DVD/VHS", 390,
                                          [](const TitleRecord& r) { return r.Support(); }};
    static constexpr CountingChart ratio{
        Msg::MsgChartAspectRatios, {}, 390, [](const TitleRecord& r) { return r.AspectRatio(); }};
    static constexpr CountingChart genre{
        Msg::MsgChartGenre, {}, 330, [](const TitleRecord& r) { return r.Genre(); }};
    static constexpr CountingChart movie{
        Msg::MsgChartMovieMark, {}, 360, [](const TitleRecord& r) { return r.FilmRating(); }};
    static constexpr CountingChart image{
        Msg::MsgChartImageMark, {}, 360, [](const TitleRecord& r) { return r.PictureRating(); }};
    static constexpr CountingChart sound{
        Msg::MsgChartSoundMark, {}, 360, [](const TitleRecord& r) { return r.SoundRating(); }};
    static constexpr CountingChart mpaa{Msg::MsgOther, "MPAA", 390,
                                        [](const TitleRecord& r) { return r.Mpaa(); }};
    static constexpr CountingChart soundKind{
        Msg::MsgChartSound, {}, 330, [](const TitleRecord& r) { return r.Sound(); }};
    static constexpr CountingChart standard{
        Msg::MsgChartStandard, {}, 370, [](const TitleRecord& r) { return r.Standard(); }};
    static constexpr CountingChart newUsed{
        Msg::MsgChartNewUsed, {}, 350, [](const TitleRecord& r) { return r.U8(FlagOffset("Used")); }};
    static constexpr CountingChart zone{
        Msg::MsgChartDvdZone, {}, 380, [](const TitleRecord& r) { return r.Zone(); }};
    switch (chart) {
    case StatsChart::Medium:
        return &medium;
    case StatsChart::Ratio:
        return &ratio;
    case StatsChart::Genre:
        return &genre;
    case StatsChart::MovieMark:
        return &movie;
    case StatsChart::ImageMark:
        return &image;
    case StatsChart::SoundMark:
        return &sound;
    case StatsChart::Mpaa:
        return &mpaa;
    case StatsChart::Sound:
        return &soundKind;
    case StatsChart::Standard:
        return &standard;
    case StatsChart::NewUsed:
        return &newUsed;
    case StatsChart::Zone:
        return &zone;
    default:
        return nullptr;
    }
}

// One bar per category: count over the list (DVDs only for the zone chart), percentages of every
// listed title, the largest bar about L pixels long.
void CountingBars(const Collection& c, std::span<const std::uint16_t> list, const CountingChart& chart,
                  const std::vector<std::string>& names, bool dvdOnly, const MessageCatalogue& catalogue,
                  ChartPicture& picture) {
    const std::size_t k = names.size();
    const std::size_t n = list.size();
    const int rowHeight = StatsChartHeight / static_cast<int>(k);

    std::array<int, CounterCount> counters{};
    bool anyDvd = false;
    for (const std::uint16_t r : list) {
        const TitleRecord& title = c.RecordAt(r);
        if (dvdOnly) {
            if (title.Support() != 1) continue;
            anyDvd = true;
        }
        const std::uint8_t value = chart.field(title);
        if (value < k) ++counters[value];
    }
    if (dvdOnly && !anyDvd) {
        picture.message = std::string(catalogue(Msg::MsgTheseWorksOnlyWithDvd));
        return;
    }

    std::array<float, CounterCount> percent{};
    const double share = 100.0 / static_cast<double>(n);
    float largest = 0;
    int m = 0;
    for (std::size_t i = 0; i < k; ++i) {
        percent[i] = static_cast<float>(counters[i] * share);
        largest = std::max(largest, percent[i]);
        if (percent[i] > static_cast<float>(m)) m = static_cast<int>(percent[i]);
    }
    // The largest share truncates to 0 when it is below one percent (most titles outside the
    // categories): scale on the share itself, so no bar runs past L.
    const float scale = m > 0         ? static_cast<float>(chart.length) / static_cast<float>(m)
                        : largest > 0 ? static_cast<float>(chart.length) / largest
                                      : 0.0f;

    for (std::size_t i = 0; i < k; ++i) {
        const int row = static_cast<int>(i) * rowHeight;
        const int end = Pixel(static_cast<double>(scale) * static_cast<double>(percent[i]));
        if (counters[i] != 0) picture.bars.push_back({0, row, end, row + rowHeight});
        picture.labels.push_back({end, row + rowHeight / 2 - LabelRise,
                                  names[i] + " (" + Decimal(counters[i]) +
                                      "): " + Padded(FixedDecimals(percent[i], 2), 3) + " %"});
    }
    picture.footer = Footer(c, list, catalogue);
}

// ---- Side charts ----

void SideBars(const Collection& c, std::span<const std::uint16_t> list, bool laserDisc,
              const MessageCatalogue& catalogue, ChartPicture& picture) {
    const std::uint8_t medium = laserDisc ? 0 : 1;
    const int length = laserDisc ? 350 : 330;
    long long a = 0, b = 0;
    for (const std::uint16_t r : list) {
        const TitleRecord& title = c.RecordAt(r);
        if (title.Support() != medium) continue;
        a += title.CavSides();
        b += title.ClvSides();
    }
    if (a + b == 0) {
        picture.message =
            std::string(catalogue(laserDisc ? Msg::MsgTheseWorksOnlyWithLd : Msg::MsgTheseWorksOnlyWithDvd));
        return;
    }
    const double f = 100.0 / static_cast<double>(a + b);
    const auto pA = static_cast<float>(static_cast<double>(a) * f);
    const auto pB = static_cast<float>(static_cast<double>(b) * f);
    const int m = static_cast<int>(f * static_cast<double>(std::max(a, b))); // at least 50
    const float scale = static_cast<float>(length) / static_cast<float>(m);
    const std::string sides(catalogue(Msg::MsgChartSides));
    const auto label = [&](Msg name, long long count, float p) {
        return std::string(catalogue(name)) + " : " + Padded(Decimal(count), 3) + " " + sides + " (" +
               Padded(FixedDecimals(p, 2), 3) + " %)";
    };
    const int endB = Pixel(static_cast<double>(scale) * static_cast<double>(pB));
    const int endA = Pixel(static_cast<double>(scale) * static_cast<double>(pA));
    constexpr int half = StatsChartHeight / 2;
    picture.bars.push_back({0, 0, endB, half});
    picture.labels.push_back(
        {endB, half / 2 - LabelRise, label(laserDisc ? Msg::MsgClv : Msg::MsgSimpleSide, b, pB)});
    picture.bars.push_back({0, half, endA, StatsChartHeight});
    picture.labels.push_back(
        {endA, half + half / 2 - LabelRise, label(laserDisc ? Msg::MsgCav : Msg::MsgRsdl, a, pA)});
    picture.footer = Footer(c, list, catalogue);
}

// ---- Money charts ----

void MoneyBars(const Collection& c, std::span<const std::uint16_t> list, MoneyPeriod period,
               const MessageCatalogue& catalogue, ChartPicture& picture) {
    const bool perDay = period.month != 0;
    const int k = perDay ? 31 : 12;
    std::array<float, 32> sums{};
    std::array<int, 32> counts{};
    // Links of the box sets already priced in this chart: any number of them.
    std::vector<bool> counted(static_cast<std::size_t>(LastBoxLink) + 1, false);
    // The period as a range of day numbers, so that only its own titles need their date decoded.
    const auto first = DayNumberFromDate(period.year, perDay ? period.month : 1, 1);
    const auto after = !perDay || period.month == 12 ? DayNumberFromDate(period.year + 1, 1, 1)
                                                     : DayNumberFromDate(period.year, period.month + 1, 1);
    const std::int64_t low = first ? *first : std::numeric_limits<std::int64_t>::max();
    const std::int64_t high = after ? *after : std::numeric_limits<std::int64_t>::max();
    for (const std::uint16_t r : list) {
        const TitleRecord& title = c.RecordAt(r);
        const std::int64_t day = title.BuyDate();
        if (day < low || day >= high) continue;
        const std::uint16_t box = title.Box();
        if (box <= LastBoxLink) {
            if (counted[box]) continue;
            counted[box] = true;
        }
        const auto bucket =
            static_cast<std::size_t>(perDay ? day - low + 1 : DateFromDayNumber(title.BuyDate()).month);
        sums[bucket] += title.Price();
        ++counts[bucket];
    }

    const int rowHeight = StatsChartHeight / k;
    float largest = 0;
    for (int i = 1; i <= k; ++i)
        largest = std::max(largest, sums[static_cast<std::size_t>(i)]);
    const float scale = largest != 0 ? 350.0f / largest : 0.0f;
    const std::string year = Decimal(period.year);
    for (int i = 1; i <= k; ++i) {
        const auto b = static_cast<std::size_t>(i);
        const int row = (i - 1) * rowHeight;
        const int end = Pixel(static_cast<double>(scale) * static_cast<double>(sums[b]));
        if (sums[b] != 0) picture.bars.push_back({0, row, end, row + rowHeight});
        const std::string head = perDay ? MonthName(catalogue, period.month) + " " + Decimal(i) + " " + year
                                        : MonthName(catalogue, i) + " " + year;
        picture.labels.push_back({end, row + rowHeight / 2 - LabelRise,
                                  head + " (" + Decimal(counts[b]) + ") : " + FixedDecimals(sums[b], 2)});
    }
    picture.footer = Footer(c, list, catalogue);
}

} // namespace

std::string_view StatsChartName(StatsChart chart) {
    return ChartNames[static_cast<std::size_t>(chart)];
}

std::optional<StatsChart> StatsChartNamed(std::string_view name) {
    const auto at = std::find(ChartNames.begin(), ChartNames.end(), name);
    if (at == ChartNames.end()) return std::nullopt;
    return static_cast<StatsChart>(at - ChartNames.begin());
}

std::string FixedDecimals(double value, int decimals) {
    std::array<char, 400> text{};
    const auto [end, ec] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "?";
    return std::string(text.data(), end);
}

std::optional<ChartPicture> DrawChart(const Collection& c, std::span<const std::uint16_t> list,
                                      StatsChart chart, const ChartFilters& filters,
                                      const MessageCatalogue& catalogue, MoneyPeriod period) {
    ChartPicture picture;
    switch (chart) {
    case StatsChart::CavClv:
    case StatsChart::Rsdl:
        picture.caption = chart == StatsChart::CavClv ? std::string("CAV - CLV")
                                                      : std::string(catalogue(Msg::MsgChartSingleRsdl));
        SideBars(c, list, chart == StatsChart::CavClv, catalogue, picture);
        return picture;
    case StatsChart::Money:
        if (period.month < 0 || period.month > 12) return std::nullopt;
        picture.caption = period.month == 0
                              ? std::string(catalogue(Msg::MsgMoneyPerMonthIn)) + Decimal(period.year)
                              : std::string(catalogue(Msg::MsgMoneyPerDayIn)) +
                                    MonthName(catalogue, period.month) + " " + Decimal(period.year);
        MoneyBars(c, list, period, catalogue, picture);
        return picture;
    default:
        break;
    }
    const CountingChart* counting = CountingChartOf(chart);
    if (!counting || filters.Narrowed(chart)) return std::nullopt;
    picture.caption = std::string(counting->fixed.empty() ? catalogue(counting->caption) : counting->fixed);
    // Fewer than two titles: the box is only cleared.
    if (list.size() < 2) return picture;
    CountingBars(c, list, *counting, Categories(chart, catalogue), chart == StatsChart::Zone, catalogue,
                 picture);
    return picture;
}

std::vector<int> StatsYears(const Collection& c, std::span<const std::uint16_t> list, int currentYear) {
    // The earliest purchase is in the earliest year: one date to decode.
    std::optional<DayNumber> earliest;
    for (const std::uint16_t r : list)
        earliest = std::min(earliest.value_or(c.RecordAt(r).BuyDate()), c.RecordAt(r).BuyDate());
    int first = 5000;
    if (earliest) first = std::min(first, DateFromDayNumber(*earliest).year);
    if (first == currentYear) first = currentYear - 1;
    first = std::max(first, 1);
    std::vector<int> years;
    for (int y = first; y <= currentYear; ++y)
        years.push_back(y);
    return years;
}

} // namespace tavrin
