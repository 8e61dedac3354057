#include "reports/stats_chart.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace tavrin {
namespace {

using List = std::vector<std::uint16_t>;

constexpr DayNumber March10th2025 = 45726;

class StatsChartTest : public ::testing::Test {
  protected:
    TitleRecord& Add(std::uint8_t support = 0) {
        TitleRecord t = test::MakeTitle("T" + std::to_string(c.Count()));
        t.SetSupport(support);
        AppendTitle(c, t);
        return c.titles.back();
    }
    List All() const { return c.ListeIndex; }
    std::optional<ChartPicture> Draw(StatsChart chart, const List& list, MoneyPeriod period = {}) {
        return DrawChart(c, list, chart, filters, catalogue, period);
    }

    Collection c;
    ChartFilters filters;
    MessageCatalogue catalogue;
};

TEST_F(StatsChartTest, RatioChartOfThreeTitles) {
    for (std::uint8_t code : {0, 0, 6})
        Add().SetAspectRatio(code);
    const auto picture = Draw(StatsChart::Ratio, All());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->caption, "ASPECT RATIOS");
    // Nine rows of 434 / 9 = 48 pixels; M = 66, S = 390 / 66.
    EXPECT_EQ(picture->bars, (std::vector<ChartBar>{{0, 0, 393, 48}, {0, 288, 196, 336}}));
    ASSERT_EQ(picture->labels.size(), 9u);
    EXPECT_EQ(picture->labels[0], (ChartLabel{393, 17, "1.33 (2): 66.67 %"}));
    EXPECT_EQ(picture->labels[1], (ChartLabel{0, 65, "1.66 (0): 0.00 %"}));
    EXPECT_EQ(picture->labels[6], (ChartLabel{196, 305, "2.35 (1): 33.33 %"}));
    EXPECT_EQ(picture->footer, "These stats are made with all titles!");
    EXPECT_FALSE(picture->message);

    const auto part = Draw(StatsChart::Ratio, List{0, 1});
    ASSERT_TRUE(part);
    EXPECT_EQ(part->footer, "These stats are made with a sorted list of discs!");
}

TEST_F(StatsChartTest, FewerThanTwoTitlesOnlyClear) {
    Add();
    const auto picture = Draw(StatsChart::Medium, All());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->caption, "LD/DVD/VHS");
    EXPECT_TRUE(picture->bars.empty());
    EXPECT_TRUE(picture->labels.empty());
    EXPECT_FALSE(picture->footer);
    EXPECT_FALSE(picture->message);
}

// A chart of a field the list is filtered on is not drawn.
TEST_F(StatsChartTest, NarrowedChartsAreNotDrawn) {
    Add();
    Add();
    for (StatsChart chart :
         {StatsChart::Medium, StatsChart::Ratio, StatsChart::Genre, StatsChart::MovieMark,
          StatsChart::ImageMark, StatsChart::SoundMark, StatsChart::Mpaa, StatsChart::Sound,
          StatsChart::Standard, StatsChart::NewUsed, StatsChart::Zone}) {
        SCOPED_TRACE(std::string(StatsChartName(chart)));
        filters = {};
        EXPECT_TRUE(Draw(chart, All()));
        filters.Narrow(chart);
        EXPECT_FALSE(Draw(chart, All()));
    }
}

TEST_F(StatsChartTest, ZonePercentagesAreOfEveryListedTitle) {
    Add(0);
    Add(0);
    Add(1).SetZone(2);
    Add(1).SetZone(2);
    const auto picture = Draw(StatsChart::Zone, All());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->caption, "DVD ZONE");
    ASSERT_EQ(picture->labels.size(), 7u);
    EXPECT_EQ(picture->labels[0].text, "Zone All (0): 0.00 %");
    EXPECT_EQ(picture->labels[2].text, "Zone 2 (2): 50.00 %");
    // Rows of 62 pixels; M = 50 and S = 380 / 50 in single precision, a hair below 7.6.
    EXPECT_EQ(picture->bars, (std::vector<ChartBar>{{0, 124, 379, 186}}));

    const auto noDvd = Draw(StatsChart::Zone, List{0, 1});
    ASSERT_TRUE(noDvd);
    EXPECT_EQ(noDvd->message, "These works only with DVD and there's none selected!");
    EXPECT_TRUE(noDvd->bars.empty());
    EXPECT_FALSE(noDvd->footer);
}

// Below one percent the largest share truncates to 0: the bars still end within L.
TEST_F(StatsChartTest, NoBarLongerThanLWhenTheLargestShareIsBelowOnePercent) {
    Add().SetAspectRatio(0);
    for (int i = 0; i < 199; ++i)
        Add().SetAspectRatio(50); // outside the categories
    const auto picture = Draw(StatsChart::Ratio, All());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->bars, (std::vector<ChartBar>{{0, 0, 390, 48}}));
    EXPECT_EQ(picture->labels[0], (ChartLabel{390, 17, "1.33 (1): 0.50 %"}));

    c.titles[0].SetAspectRatio(50); // nothing in any category
    const auto none = Draw(StatsChart::Ratio, All());
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->bars.empty());
    for (const auto& label : none->labels)
        EXPECT_EQ(label.x, 0);
}

TEST_F(StatsChartTest, SideChartsSumTheSidesOfTheirMedium) {
    TitleRecord& ld = Add(0);
    ld.SetCavSides(1);
    ld.SetClvSides(2);
    Add(1).SetClvSides(9); // a DVD: not an LD side
    const auto picture = Draw(StatsChart::CavClv, All());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->caption, "CAV - CLV");
    EXPECT_EQ(picture->bars, (std::vector<ChartBar>{{0, 0, 353, 217}, {0, 217, 176, 434}}));
    EXPECT_EQ(picture->labels, (std::vector<ChartLabel>{{353, 101, "CLV :   2 Sides (66.67 %)"},
                                                        {176, 318, "CAV :   1 Sides (33.33 %)"}}));
    EXPECT_TRUE(picture->footer);

    const auto rsdl = Draw(StatsChart::Rsdl, List{0});
    ASSERT_TRUE(rsdl);
    EXPECT_EQ(rsdl->caption, "SIMPLE - RSDL");
    EXPECT_EQ(rsdl->message, "These works only with DVD and there's none selected!");
    EXPECT_FALSE(rsdl->footer);
    const auto noLd = Draw(StatsChart::CavClv, List{1});
    EXPECT_EQ(noLd->message, "These works only with LD and there's none selected!");
}

TEST_F(StatsChartTest, FrenchWording) {
    catalogue.SetLanguage(1);
    Add().SetFilmRating(5);
    Add().SetFilmRating(5);
    const auto picture = Draw(StatsChart::MovieMark, All());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->caption, "NOTE FILM");
    EXPECT_EQ(picture->labels[5].text, "NOTE 5 (2): 100.00 %");
    c.titles[0].SetCavSides(1);
    EXPECT_EQ(Draw(StatsChart::CavClv, All())->labels[1].text, "CAV :   1 Faces (100.00 %)");
    EXPECT_EQ(Draw(StatsChart::NewUsed, All())->caption, "NEUF / OCCASION");
    EXPECT_EQ(Draw(StatsChart::Money, All(), {2025, 3})->caption, "DÉPENSES PAR JOUR EN Mars 2025");
}

// A box set is priced once per chart, in the bucket of its first listed title.
TEST_F(StatsChartTest, MoneyChartCountsABoxSetOnce) {
    for (float price : {10.0f, 20.0f, 30.0f}) {
        TitleRecord& t = Add();
        t.SetBox(7);
        t.SetPrice(price);
        t.SetBuyDate(March10th2025);
    }
    TitleRecord& single = Add();
    single.SetPrice(5);
    single.SetBuyDate(March10th2025 + 1);
    TitleRecord& stray = Add(); // a link above 65000 is no box set
    stray.SetBox(65001);
    stray.SetPrice(1);
    stray.SetBuyDate(March10th2025 - 30);  // in February
    Add().SetBuyDate(March10th2025 - 365); // another year

    const auto months = Draw(StatsChart::Money, All(), {2025, 0});
    ASSERT_TRUE(months);
    EXPECT_EQ(months->caption, "MONEY PER MONTH IN 2025");
    ASSERT_EQ(months->labels.size(), 12u);
    // Rows of 36 pixels; the largest sum (15) is 350 pixels long.
    EXPECT_EQ(months->labels[2], (ChartLabel{350, 83, "March 2025 (2) : 15.00"}));
    EXPECT_EQ(months->labels[1], (ChartLabel{23, 47, "February 2025 (1) : 1.00"}));
    EXPECT_EQ(months->labels[0], (ChartLabel{0, 11, "January 2025 (0) : 0.00"}));
    EXPECT_EQ(months->bars, (std::vector<ChartBar>{{0, 36, 23, 72}, {0, 72, 350, 108}}));

    const auto days = Draw(StatsChart::Money, All(), {2025, 3});
    ASSERT_TRUE(days);
    EXPECT_EQ(days->caption, "MONEY PER DAY IN March 2025");
    ASSERT_EQ(days->labels.size(), 31u);
    EXPECT_EQ(days->labels[9].text, "March 10 2025 (1) : 10.00");
    EXPECT_EQ(days->labels[10].text, "March 11 2025 (1) : 5.00");
    EXPECT_EQ(days->bars, (std::vector<ChartBar>{{0, 126, 350, 140}, {0, 140, 175, 154}}));
}

TEST_F(StatsChartTest, MoneyChartTellsApartAnyNumberOfBoxSets) {
    for (int box = 0; box < 13000; ++box) {
        TitleRecord t = test::MakeTitle("T");
        t.SetBox(static_cast<std::uint16_t>(box));
        t.SetPrice(1);
        t.SetBuyDate(March10th2025);
        c.titles.push_back(t);
        c.ListeIndex.push_back(static_cast<std::uint16_t>(box));
    }
    const auto months = Draw(StatsChart::Money, All(), {2025, 0});
    EXPECT_EQ(months->labels[2].text, "March 2025 (13000) : 13000.00");
}

// A price that is not a number (a damaged record) draws nothing outside the box.
TEST_F(StatsChartTest, ADamagedPriceStaysInTheBox) {
    for (float price :
         {std::numeric_limits<float>::quiet_NaN(), 5.0f, std::numeric_limits<float>::infinity()}) {
        TitleRecord& t = Add();
        t.SetPrice(price);
        t.SetBuyDate(March10th2025 + static_cast<DayNumber>(c.Count()) * 31);
    }
    const auto months = Draw(StatsChart::Money, All(), {2025, 0});
    ASSERT_TRUE(months);
    for (const auto& bar : months->bars)
        EXPECT_TRUE(bar.x1 >= 0 && bar.x1 <= StatsBoxWidth) << bar.x1;
    for (const auto& label : months->labels)
        EXPECT_TRUE(label.x >= 0 && label.x <= StatsBoxWidth) << label.text;
}

TEST_F(StatsChartTest, YearList) {
    Add().SetBuyDate(DayNumberFromDate(2026, 5, 1).value());
    EXPECT_EQ(StatsYears(c, All(), 2026), (std::vector<int>{2025, 2026}));
    Add().SetBuyDate(DayNumberFromDate(2022, 1, 1).value());
    EXPECT_EQ(StatsYears(c, All(), 2026), (std::vector<int>{2022, 2023, 2024, 2025, 2026}));
    EXPECT_TRUE(StatsYears(c, List{0}, 2020).empty()); // bought after the current year
    Add().SetBuyDate(0);
    EXPECT_EQ(StatsYears(c, All(), 2026).front(), 1899);
    Add().SetBuyDate(INT_MIN); // a damaged date does not make millions of years
    EXPECT_EQ(StatsYears(c, All(), 2026).front(), 1);
}

TEST(StatsChartNames, EveryChartHasItsCommandLineName) {
    for (int i = 0; i <= static_cast<int>(StatsChart::Money); ++i) {
        const auto chart = static_cast<StatsChart>(i);
        EXPECT_EQ(StatsChartNamed(StatsChartName(chart)), chart);
    }
    EXPECT_EQ(StatsChartNamed("movie-mark"), StatsChart::MovieMark);
    EXPECT_FALSE(StatsChartNamed("pie"));
    EXPECT_EQ(FixedDecimals(2.0 / 3.0, 2), "0.67");
}

} // namespace
} // namespace tavrin
