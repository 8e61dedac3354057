// The statistics charts as geometry: from the listed titles, the chart asked for, the period, the
// language and the main window's filter values, the window caption, the bars and labels in
// chart-box pixels, the footer and the message to show. The statistics window only paints this.
#pragma once

#include "lang/catalogue.h"
#include "store/collection.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The chart box the geometry is drawn for; the window stretches it to its own size.
inline constexpr int StatsBoxWidth = 500;
inline constexpr int StatsBoxHeight = 453;
// The height the rows of bars share, from the top; the footer line goes below.
inline constexpr int StatsChartHeight = 434;
// Where the footer line is written.
inline constexpr int FooterX = 0;
inline constexpr int FooterY = 437;
// A label's top sits this far above the middle of its row.
inline constexpr int LabelRise = 7;
// The most rows a chart has (a row per genre): its rows are the lowest of any chart.
inline constexpr int MostChartRows = 33;

enum class StatsChart {
    Medium,    // LD/DVD
    Ratio,     // aspect ratio
    Genre,     // first genre
    MovieMark, // film mark 0..5
    ImageMark,
    SoundMark,
    Mpaa,
    Sound,
    Standard,
    NewUsed,
    CavClv, // LD sides
    Rsdl,   // DVD layers
    Zone,   // DVD zone
    Money,  // per month of a year, or per day of a month
};

// The command-line names of the charts ("medium", "ratio", .. "money"), in StatsChart order.
std::string_view StatsChartName(StatsChart chart);
std::optional<StatsChart> StatsChartNamed(std::string_view name);

// The charts of the fields the main window's filters hold to one value: such a chart would show
// one bar, so it is not drawn.
struct ChartFilters {
    std::array<bool, static_cast<std::size_t>(StatsChart::Money) + 1> narrowed{};

    void Narrow(StatsChart chart) { narrowed[static_cast<std::size_t>(chart)] = true; }
    bool Narrowed(StatsChart chart) const { return narrowed[static_cast<std::size_t>(chart)]; }
};

// A money chart's period: month 0 charts the months of the year, 1..12 the days of that month.
struct MoneyPeriod {
    int year = 0;
    int month = 0;
};

// A bar, outlined and filled red, from (x0, y0) to (x1, y1), the far edges excluded.
struct ChartBar {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    friend bool operator==(const ChartBar&, const ChartBar&) = default;
};

// A text written on white with its top-left corner at (x, y).
struct ChartLabel {
    int x = 0, y = 0;
    std::string text; // UTF-8
    friend bool operator==(const ChartLabel&, const ChartLabel&) = default;
};

// What the window shows after a click: the box cleared, then the bars and labels, the footer.
struct ChartPicture {
    std::string caption; // the window caption (UTF-8)
    std::vector<ChartBar> bars;
    std::vector<ChartLabel> labels;
    std::optional<std::string> footer;  // at (FooterX, FooterY)
    std::optional<std::string> message; // shown in a message box instead of a chart
};

// The chart over the listed titles (record numbers, in list order); nothing when the filters
// forbid the chart, and the window then stays as it was. The period is read by the money chart
// only.
std::optional<ChartPicture> DrawChart(const Collection& c, std::span<const std::uint16_t> list,
                                      StatsChart chart, const ChartFilters& filters,
                                      const MessageCatalogue& catalogue, MoneyPeriod period = {});

// The years the period box offers, ascending: from the earliest purchase year of the listed
// titles to the current year, at least two of them. Empty when every purchase lies after the
// current year. Years before 1 (a damaged date) are not offered.
std::vector<int> StatsYears(const Collection& c, std::span<const std::uint16_t> list, int currentYear);

// A number with exactly `decimals` decimals and a point, whatever the locale ("%.2f").
std::string FixedDecimals(double value, int decimals);

} // namespace tavrin
