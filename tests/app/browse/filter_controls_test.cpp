#include "app/browse/filter_controls.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

constexpr int ThisYear = 2026;

TEST(YearBoundsTest, FromYearAboveToTakesTo) {
    EXPECT_EQ(TypedFromYear(2001, 1999).year, 1999);
    EXPECT_TRUE(TypedFromYear(2001, 1999).refresh);
    // An unfinished year (the first digits typed) stays as typed and does not refresh.
    EXPECT_EQ(TypedFromYear(19, 1999).year, 19);
    EXPECT_FALSE(TypedFromYear(19, 1999).refresh);
    EXPECT_TRUE(TypedFromYear(1890, 1999).refresh);
}

TEST(YearBoundsTest, ToYearNeverPassesTheCurrentYear) {
    const YearTyped typed = TypedToYear(2999, ThisYear);
    EXPECT_EQ(typed.year, ThisYear);
    EXPECT_TRUE(typed.refresh);
    EXPECT_FALSE(TypedToYear(1890, ThisYear).refresh); // refreshes only above 1890
    EXPECT_EQ(LeftToYear(1950, 1960), 1960);
    EXPECT_EQ(LeftToYear(1960, 1960), std::nullopt);
}

TEST(MarkBoundsTest, BarsCannotCross) {
    EXPECT_EQ(MovedLowMark(4, 3), 3);
    EXPECT_EQ(MovedLowMark(2, 3), 2);
    EXPECT_EQ(MovedHighMark(1, 3), 3);
    EXPECT_EQ(MovedHighMark(5, 3), 5);
}

TEST(EntryDateTest, InvalidFieldGetsItsMessageAndCorrection) {
    EXPECT_EQ(CheckEntryDateField(29, 2, 2024, DateField::Day, ThisYear), std::nullopt);
    const auto day = CheckEntryDateField(30, 2, 2024, DateField::Day, ThisYear);
    ASSERT_TRUE(day);
    EXPECT_EQ(day->message, Msg::MsgDayInvalid);
    EXPECT_EQ(day->correction, 1);
    const auto month = CheckEntryDateField(1, 13, 2024, DateField::Month, ThisYear);
    ASSERT_TRUE(month);
    EXPECT_EQ(month->message, Msg::MsgMonthInvalid);
    EXPECT_EQ(month->correction, 1);
    const auto year = CheckEntryDateField(29, 2, 2023, DateField::Year, ThisYear);
    ASSERT_TRUE(year);
    EXPECT_EQ(year->message, Msg::MsgYearInvalid);
    EXPECT_EQ(year->correction, ThisYear);
}

TEST(EntryDateTest, GoBringsTheDateIntoRange) {
    EXPECT_EQ(ClampEntryDate(100, 200, 300), 200);
    EXPECT_EQ(ClampEntryDate(400, 200, 300), 300);
    EXPECT_EQ(ClampEntryDate(250, 200, 300), 250);
}

TEST(ActorFilterTest, UpToThreeDistinctActors) {
    BrowseFilters f;
    EXPECT_EQ(AddFilterActor(f, 7), ActorAdded::Added);
    EXPECT_EQ(AddFilterActor(f, 7), ActorAdded::AlreadyChosen);
    EXPECT_EQ(AddFilterActor(f, 0), ActorAdded::Added);
    EXPECT_EQ(AddFilterActor(f, 3), ActorAdded::Added);
    EXPECT_EQ(AddFilterActor(f, 9), ActorAdded::Full);
    EXPECT_EQ(f.TActor, (std::array<int, 3>{7, 0, 3}));
    EXPECT_EQ(FilterActorCount(f), 3);
}

TEST(ActorFilterTest, RemovingTheSecondKeepsTheFirstAndFormerThird) {
    Collection c;
    for (const char* title : {"A", "B", "C"})
        AppendTitle(c, test::MakeTitle(title));
    for (auto& t : c.titles)
        t.SetBuyDate(40000);
    c.titles[0].SetActor1(1);
    c.titles[0].SetActor2(3); // has the first and the third
    c.titles[1].SetActor1(1);
    c.titles[1].SetActor2(2); // has the first and the second
    c.titles[2].SetActor3(1);
    c.titles[2].SetActor4(2);
    c.titles[2].SetActor5(3); // has all three
    BrowseFilters f = NeutralFilters(ThisYear, 40000);
    for (int a : {1, 2, 3})
        AddFilterActor(f, a);
    EXPECT_EQ(RefreshBrowseList(c, f, 40001), (std::vector<std::uint16_t>{2}));
    RemoveFilterActor(f, 1);
    EXPECT_EQ(f.TActor, (std::array<int, 3>{1, 3, -1}));
    EXPECT_EQ(RefreshBrowseList(c, f, 40001), (std::vector<std::uint16_t>{0, 2}));
    RemoveFilterActor(f, 0);
    EXPECT_EQ(f.TActor, (std::array<int, 3>{3, -1, -1}));
    // Room again for an actor removed before.
    EXPECT_EQ(AddFilterActor(f, 1), ActorAdded::Added);
}

TEST(ActorFilterTest, FollowsTheActorListWhenAnEntryIsRemoved) {
    BrowseFilters f;
    for (int a : {7, 3, 9})
        AddFilterActor(f, a);
    EXPECT_TRUE(FollowRemovedActor(f, 3));
    EXPECT_EQ(f.TActor, (std::array<int, 3>{6, 8, -1}));
    EXPECT_FALSE(FollowRemovedActor(f, 20));
    EXPECT_EQ(f.TActor, (std::array<int, 3>{6, 8, -1}));
    EXPECT_TRUE(FollowRemovedActor(f, 0));
    EXPECT_EQ(f.TActor, (std::array<int, 3>{5, 7, -1}));
    EXPECT_TRUE(FollowRemovedActor(f, 7));
    EXPECT_EQ(f.TActor, (std::array<int, 3>{5, -1, -1}));
}

TEST(MediumFilterTest, NewMediumPutsTheZoneBackToNeutral) {
    BrowseFilters f;
    f.TSupport = SupportItemDvd;
    f.TZone = 0; // "Zone All"
    ChooseSupport(f, 0);
    EXPECT_EQ(f.TSupport, 0);
    EXPECT_EQ(f.TZone, BrowseFilters{}.TZone);
}

TEST(DvdShortcutTest, AllDdClearsEverySingleSoundFilterAndAllMpeg) {
    BrowseFilters f;
    for (auto& combo : f.Dvd)
        combo = 2;
    ChooseAllDd(f, 5);
    EXPECT_EQ(f.DvdCombo(DvdFilter::AllDd), 5);
    EXPECT_EQ(f.DvdCombo(DvdFilter::AllMpeg), DvdAllLang);
    for (DvdFilter d : {DvdFilter::Dd10, DvdFilter::Dd20, DvdFilter::Dd40, DvdFilter::Dd51, DvdFilter::Mpeg10,
                        DvdFilter::Mpeg20, DvdFilter::Mpeg40, DvdFilter::Mpeg51})
        EXPECT_EQ(f.DvdCombo(d), DvdAllLang);
    // Subtitles and DTS are not sound formats of the shortcut.
    EXPECT_EQ(f.DvdCombo(DvdFilter::Sub), 2);
    EXPECT_EQ(f.DvdCombo(DvdFilter::Dts), 2);

    ChooseAllMpeg(f, 1);
    EXPECT_EQ(f.DvdCombo(DvdFilter::AllMpeg), 1);
    EXPECT_EQ(f.DvdCombo(DvdFilter::AllDd), DvdAllLang);
}

TEST(NameSelectionTest, EachListHasItsSelectionAndNoEntryValue) {
    BrowseFilters f;
    *NameSelection(f, ListId::Retailer) = 4;
    *NameSelection(f, ListId::Publisher) = NoEntrySelection(ListId::Publisher);
    EXPECT_EQ(f.TBoutique, 4);
    EXPECT_EQ(f.TEditeur, 255);
    EXPECT_EQ(NoEntrySelection(ListId::Info2), 0xFFFF);
    EXPECT_EQ(NameSelection(f, ListId::Actor), nullptr);
    EXPECT_EQ(NameSelection(f, ListId::Media), nullptr);
    EXPECT_EQ(NeutralNameCaption(ListId::Box), Msg::MsgNoBoxOrMultiple);
    EXPECT_EQ(NeutralNameCaption(ListId::Info2), Msg::MsgNoOtherInformationsSelected);
}

} // namespace
} // namespace tavrin
