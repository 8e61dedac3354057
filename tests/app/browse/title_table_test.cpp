#include "app/browse/title_table.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrin {
namespace {

using Records = std::vector<std::uint16_t>;

// Records: 0 ZULU (1964, VHS, director HAWKS, genre War, 139 min, 10.50, bought day 40100,
// marks 3/4/5), 1 ALIEN (1979, DVD, SCOTT, Science Fiction, 117 min, 20.00, day 40000, 5/1/1),
// 2 MASH (1970, LD, no director, War, 116 min, -1.00, day 40000, 3/4/5), 3 BRAZIL (1985,
// VideoCD, ALTMAN, Comedy, 142 min, 20.00, day 39000, 3/4/4). Title order: ALIEN, BRAZIL, MASH,
// ZULU.
Collection Sample() {
    Collection c;
    c.List(ListId::Director) = {"SCOTT", "HAWKS", "altman"};
    struct Row {
        const char* title;
        std::uint16_t year;
        std::uint8_t support;
        std::uint16_t director;
        std::uint8_t genre;
        std::uint16_t length;
        float price;
        DayNumber bought, watched;
        std::uint8_t film, picture, sound;
    };
    const Row rows[] = {
        {"ZULU", 1964, 2, 1, 24, 139, 10.5f, 40100, 0, 3, 4, 5},
        {"ALIEN", 1979, 1, 0, 19, 117, 20.0f, 40000, 41000, 5, 1, 1},
        {"MASH", 1970, 0, NoEntry, 24, 116, -1.0f, 40000, 40500, 3, 4, 5},
        {"BRAZIL", 1985, 3, 2, 5, 142, 20.0f, 39000, 40500, 3, 4, 4},
    };
    for (const Row& r : rows) {
        TitleRecord t = test::MakeTitle(r.title, r.year);
        t.SetSupport(r.support);
        t.SetDirector(r.director);
        t.SetGenre(r.genre);
        t.SetLength(r.length);
        t.SetPrice(r.price);
        t.SetBuyDate(r.bought);
        t.SetWatchDate(r.watched);
        t.SetFilmRating(r.film);
        t.SetPictureRating(r.picture);
        t.SetSoundRating(r.sound);
        AppendTitle(c, t);
    }
    return c;
}

Records Sorted(const Collection& c, TableColumn column, bool descending, Records list) {
    SortTitles(c, list, {column, descending}, MessageCatalogue());
    return list;
}

TEST(TitleTableTest, SortsByEachColumnWithTiesInTitleOrderBothWays) {
    const Collection c = Sample();
    ASSERT_EQ(c.ListeIndex, (Records{1, 3, 2, 0}));
    const struct {
        TableColumn column;
        Records ascending, descending;
    } cases[] = {
        {TableColumn::Title, {1, 3, 2, 0}, {0, 2, 3, 1}},
        {TableColumn::Year, {0, 2, 1, 3}, {3, 1, 2, 0}},
        {TableColumn::Medium, {1, 2, 0, 3}, {3, 0, 2, 1}},   // DVD, LD, VHS, VideoCD
        {TableColumn::Director, {2, 3, 0, 1}, {1, 0, 3, 2}}, // none first; ALTMAN in any case
        {TableColumn::Genre, {3, 1, 2, 0}, {2, 0, 1, 3}},    // Comedy, Science Fiction, War
        {TableColumn::Length, {2, 1, 0, 3}, {3, 0, 1, 2}},
        {TableColumn::Price, {2, 0, 1, 3}, {1, 3, 0, 2}}, // a negative price first
        {TableColumn::Purchased, {3, 1, 2, 0}, {0, 1, 2, 3}},
        {TableColumn::Watched, {0, 3, 2, 1}, {1, 3, 2, 0}},
        {TableColumn::Marks, {3, 2, 0, 1}, {1, 2, 0, 3}}, // film, then picture, then sound
    };
    for (const auto& [column, ascending, descending] : cases) {
        SCOPED_TRACE(std::string(TableColumnName(column)));
        EXPECT_EQ(Sorted(c, column, false, {0, 1, 2, 3}), ascending);
        EXPECT_EQ(Sorted(c, column, true, {3, 2, 1, 0}), descending);
    }
}

TEST(TitleTableTest, SortsOnlyTheListedTitlesAndPutsUnknownRecordsLast) {
    const Collection c = Sample();
    EXPECT_EQ(Sorted(c, TableColumn::Year, true, {9, 0, 3}), (Records{3, 0, 9}));
    EXPECT_EQ(Sorted(c, TableColumn::Director, false, {0, 9, 1}), (Records{0, 1, 9}));
    EXPECT_EQ(Sorted(c, TableColumn::Title, false, {}), Records{});
}

TEST(TitleTableTest, ASecondClickReversesAndAnotherColumnStartsAscending) {
    EXPECT_EQ(ClickedSort(std::nullopt, TableColumn::Year), (TableSort{TableColumn::Year, false}));
    EXPECT_EQ(ClickedSort(TableSort{TableColumn::Year, false}, TableColumn::Year),
              (TableSort{TableColumn::Year, true}));
    EXPECT_EQ(ClickedSort(TableSort{TableColumn::Year, true}, TableColumn::Year),
              (TableSort{TableColumn::Year, false}));
    EXPECT_EQ(ClickedSort(TableSort{TableColumn::Year, true}, TableColumn::Price),
              (TableSort{TableColumn::Price, false}));
}

TEST(TitleTableTest, LayoutTextKeepsChoiceAndOrder) {
    const TableLayout chosen{TableColumn::Price, TableColumn::Title, TableColumn::Marks};
    EXPECT_EQ(TableLayoutText(chosen), "Price,Title,Marks");
    EXPECT_EQ(TableLayoutFromText("Price,Title,Marks"), chosen);
    // Unknown and repeated names are passed over; nothing usable gives every column.
    EXPECT_EQ(TableLayoutFromText("Price,Colour,,Title,Price,Marks"), chosen);
    EXPECT_EQ(TableLayoutFromText(""), DefaultTableLayout());
    EXPECT_EQ(TableLayoutFromText("title,YEAR"), DefaultTableLayout());
    EXPECT_EQ(TableLayoutFromText(TableLayoutText(DefaultTableLayout())), DefaultTableLayout());
}

TEST(TitleTableTest, WidthsTextKeepsTheWidthsGiven) {
    TableWidths widths{};
    widths[static_cast<std::size_t>(TableColumn::Title)] = 240;
    widths[static_cast<std::size_t>(TableColumn::Marks)] = 61;
    EXPECT_EQ(TableWidthsText(widths), "Title=240,Marks=61");
    EXPECT_EQ(TableWidthsFromText("Title=240,Marks=61"), widths);
    // Unknown names and widths that are no width are passed over.
    EXPECT_EQ(TableWidthsFromText("Colour=9,Title=240,Year=0,Price=-4,Genre=x,Length,Marks=61"), widths);
    EXPECT_EQ(TableWidthsFromText(""), TableWidths{});
}

} // namespace
} // namespace tavrin
