#include "app/browse/special_selections.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace tavrin {
namespace {

using List = std::vector<std::uint16_t>;

TitleRecord Priced(std::string_view title, float price, std::uint16_t box = NoEntry) {
    TitleRecord t = test::MakeTitle(title);
    t.SetPrice(price);
    t.SetBox(box);
    return t;
}

TEST(PriceTest, ABoxSetCountsOnceWithThePriceOfItsFirstTitle) {
    Collection c;
    for (const auto& t : {Priced("A", 10, 3), Priced("B", 0, 3), Priced("C", 5, 3), Priced("D", 0)})
        AppendTitle(c, t);
    const PriceSummary s = CalculatePrice(c, List{0, 1, 2, 3});
    EXPECT_EQ(s, (PriceSummary{10.0f, 2, 2}));
    EXPECT_EQ(TotalPriceText(s), "10.00");
    // List order decides which title of the box is priced.
    EXPECT_EQ(CalculatePrice(c, List{2, 0, 1}).TotalPrice, 5.0f);
}

TEST(PriceTest, ALinkAbove65000IsNoBoxAndIsLeftAsItIs) {
    Collection c;
    AppendTitle(c, Priced("A", 1.5f, 65001));
    AppendTitle(c, Priced("B", 2.25f, 65001));
    AppendTitle(c, Priced("C", 4, 65000)); // the last real link
    AppendTitle(c, Priced("D", 4, 65000));
    const PriceSummary s = CalculatePrice(c, List{0, 1, 2, 3});
    EXPECT_EQ(s, (PriceSummary{7.75f, 3, 0}));
    EXPECT_EQ(c.titles[0].Box(), 65001) << "counting only reads";
    EXPECT_EQ(c.titles[2].Box(), 65000);
}

TEST(PriceTest, AnyNumberOfBoxSets) {
    Collection c;
    List list;
    for (int box = 0; box < 20000; ++box) {
        c.titles.push_back(Priced("T", 1, static_cast<std::uint16_t>(box)));
        list.push_back(static_cast<std::uint16_t>(box));
    }
    const PriceSummary s = CalculatePrice(c, list);
    EXPECT_EQ(s.NbDisc, 20000);
    EXPECT_EQ(TotalPriceText(s), "20000.00");
}

TEST(PriceTest, NullPricesAreTheFourZeroBytes) {
    Collection c;
    for (const auto& t : {Priced("A", 0), Priced("B", 3), Priced("C", -0.0f), Priced("D", 0, 4)})
        AppendTitle(c, t);
    EXPECT_EQ(KeepNullPrices(c, List{3, 2, 1, 0}), (List{3, 0}));
}

TEST(RussianRouletteTest, EveryListedTitleCanBeDrawn) {
    RussianRoulette roulette(12345);
    EXPECT_FALSE(roulette.Draw(0));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(roulette.Draw(1), 0u);
    std::set<std::size_t> drawn;
    for (int i = 0; i < 500; ++i) {
        const auto entry = roulette.Draw(7);
        ASSERT_TRUE(entry);
        ASSERT_LT(*entry, 7u);
        drawn.insert(*entry);
    }
    EXPECT_EQ(drawn.size(), 7u);
    // The seed decides the draws.
    RussianRoulette a(1), b(1), other(2);
    List fromA, fromB, fromOther;
    for (int i = 0; i < 20; ++i) {
        fromA.push_back(static_cast<std::uint16_t>(*a.Draw(1000)));
        fromB.push_back(static_cast<std::uint16_t>(*b.Draw(1000)));
        fromOther.push_back(static_cast<std::uint16_t>(*other.Draw(1000)));
    }
    EXPECT_EQ(fromA, fromB);
    EXPECT_NE(fromA, fromOther);
}

TEST(TitlePickerTest, BothListsStayInTitleOrder) {
    const Collection c = test::MakeCollection({"DUNE", "ALIEN", "CASABLANCA", "BRAZIL", "\xC9T\xC9"});
    // Records 0 DUNE, 1 ALIEN, 2 CASABLANCA, 3 BRAZIL, 4 ÉTÉ; listed in any order.
    TitlePicker picker(c, List{0, 4, 2, 1, 3});
    EXPECT_EQ(picker.Available(), (List{1, 3, 2, 0, 4}));
    EXPECT_TRUE(picker.Chosen().empty());

    const int several[] = {4, 0, 2, 2, 99, -1}; // ÉTÉ, ALIEN, CASABLANCA; the rest ignored
    picker.Choose(several);
    EXPECT_EQ(picker.Chosen(), (List{1, 2, 4}));
    EXPECT_EQ(picker.Available(), (List{3, 0}));

    const int dune[] = {1};
    picker.Choose(dune);
    EXPECT_EQ(picker.Chosen(), (List{1, 2, 0, 4}));
    const int first[] = {0};
    picker.Unchoose(first);
    EXPECT_EQ(picker.Available(), (List{1, 3}));

    picker.ChooseAll();
    EXPECT_EQ(picker.Chosen(), (List{1, 3, 2, 0, 4}));
    EXPECT_TRUE(picker.Available().empty());
    picker.UnchooseAll();
    EXPECT_EQ(picker.Available(), (List{1, 3, 2, 0, 4}));
}

// Each filter that holds a chart's field to one value forbids that chart, and only that one.
TEST(ChartFiltersTest, EachFilterNarrowsTheChartOfItsField) {
    EXPECT_EQ(ChartFiltersOf(BrowseFilters{}).narrowed, ChartFilters{}.narrowed);
    const std::pair<StatsChart, void (*)(BrowseFilters&)> cases[] = {
        {StatsChart::Medium, [](BrowseFilters& f) { f.TSupport = 1; }},
        {StatsChart::Ratio, [](BrowseFilters& f) { f.TAspectRatio = 0; }},
        {StatsChart::Genre, [](BrowseFilters& f) { f.TGenre = 5; }},
        {StatsChart::MovieMark, [](BrowseFilters& f) { f.TNoteFilm1 = f.TNoteFilm2 = 3; }},
        {StatsChart::ImageMark, [](BrowseFilters& f) { f.TNoteImage1 = f.TNoteImage2 = 5; }},
        {StatsChart::SoundMark, [](BrowseFilters& f) { f.TNoteSon1 = f.TNoteSon2 = 0; }},
        {StatsChart::Mpaa, [](BrowseFilters& f) { f.TMPAA = 2; }},
        {StatsChart::Sound, [](BrowseFilters& f) { f.TSound = 1; }},
        {StatsChart::Standard, [](BrowseFilters& f) { f.TStandard = 0; }},
        {StatsChart::NewUsed, [](BrowseFilters& f) { f.TUsed = true; }},
        {StatsChart::Zone, [](BrowseFilters& f) { f.TZone = 2; }},
    };
    for (const auto& [chart, narrow] : cases) {
        SCOPED_TRACE(std::string(StatsChartName(chart)));
        BrowseFilters f;
        narrow(f);
        ChartFilters expected;
        expected.Narrow(chart);
        EXPECT_EQ(ChartFiltersOf(f).narrowed, expected.narrowed);
    }
}

} // namespace
} // namespace tavrin
