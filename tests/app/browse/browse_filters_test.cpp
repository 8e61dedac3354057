#include "app/browse/browse_filters.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <set>

namespace tavrin {
namespace {

constexpr int ThisYear = 2026;
constexpr DayNumber Today = 46364; // 2026-12-08
constexpr DayNumber LongAgo = 30000;

class BrowseFiltersTest : public ::testing::Test {
  protected:
    // Titles "T0", "T1", .. in record order; each bought long ago, a valid year, marks 0.
    void AddTitles(int count) {
        for (int i = 0; i < count; ++i) {
            TitleRecord t = test::MakeTitle("T" + std::to_string(i), 1990);
            t.SetBuyDate(LongAgo);
            t.SetWatchDate(LongAgo);
            AppendTitle(c, t);
        }
    }
    TitleRecord& T(int r) { return c.titles[static_cast<std::size_t>(r)]; }
    std::vector<std::uint16_t> Refresh() { return RefreshBrowseList(c, f, Today); }

    Collection c;
    BrowseFilters f = NeutralFilters(ThisYear, LongAgo);
};

using List = std::vector<std::uint16_t>;

TEST_F(BrowseFiltersTest, NeutralFiltersKeepEveryTitleInMasterOrder) {
    AppendTitle(c, test::MakeTitle("ZORRO"));
    AppendTitle(c, test::MakeTitle("ALIEN"));
    AppendTitle(c, test::MakeTitle("MAD MAX"));
    for (auto& t : c.titles) t.SetBuyDate(LongAgo);
    EXPECT_EQ(Refresh(), (List{1, 2, 0}));
}

TEST_F(BrowseFiltersTest, RangesApplyEvenWithEveryFilterNeutral) {
    AddTitles(6);
    T(0).SetYear(0);             // no year: outside every range
    T(1).SetYear(1889);          // before the first year
    T(2).SetYear(ThisYear + 1);  // after the current year
    T(3).SetBuyDate(Today + 1);  // bought "after today"
    T(4).SetBuyDate(LongAgo - 1); // before "Entry Since..."
    EXPECT_EQ(Refresh(), (List{5}));
}

TEST_F(BrowseFiltersTest, YearAndMarkRangesAreInclusive) {
    AddTitles(4);
    T(0).SetYear(1950);
    T(1).SetYear(1960);
    T(2).SetYear(1949);
    T(3).SetYear(1961);
    f.TAnnee1 = 1950;
    f.TAnnee2 = 1960;
    EXPECT_EQ(Refresh(), (List{0, 1}));

    f = NeutralFilters(ThisYear, LongAgo);
    T(0).SetFilmRating(2);
    T(1).SetFilmRating(4);
    T(2).SetFilmRating(5);
    T(3).SetPictureRating(3); // film 0: outside 2..4 anyway
    f.TNoteFilm1 = 2;
    f.TNoteFilm2 = 4;
    EXPECT_EQ(Refresh(), (List{0, 1}));
    f.TNoteImage1 = 1;
    EXPECT_EQ(Refresh(), (List{}));
}

TEST_F(BrowseFiltersTest, CombosCompareTheStoredByte) {
    AddTitles(3);
    T(0).SetSupport(1);
    T(1).SetSupport(1);
    T(1).SetZone(2);
    T(2).SetZone(0);
    f.TSupport = 1;
    EXPECT_EQ(Refresh(), (List{0, 1}));
    // "Zone All" is item 0: it keeps titles whose zone byte is 0, not every title.
    f.TZone = 0;
    EXPECT_EQ(Refresh(), (List{0}));
    f.TZone = 7;
    f.TSupport = 4;
    f.TMPAA = 0; // "Unrated" is byte 0
    EXPECT_EQ(Refresh(), (List{0, 1, 2}));
    T(2).SetMpaa(4);
    EXPECT_EQ(Refresh(), (List{0, 1}));
}

TEST_F(BrowseFiltersTest, GenreMatchesFirstOrSecondGenre) {
    AddTitles(3);
    T(0).SetGenre(13);
    T(1).SetGenre(5);
    T(1).SetGenre2(13);
    T(2).SetGenre(5);
    f.TGenre = 13;
    EXPECT_EQ(Refresh(), (List{0, 1}));
}

TEST_F(BrowseFiltersTest, CheckBoxesKeepOnlyFlagsEqualToOne) {
    AddTitles(3);
    T(0).SetThx(true);
    T(1).SetU8(76, 2); // not a set flag
    T(2).SetThx(true);
    T(2).SetFlipper(true);
    f.TTHX = true;
    EXPECT_EQ(Refresh(), (List{0, 2}));
    f.TFlipper = true;
    EXPECT_EQ(Refresh(), (List{2}));
}

TEST_F(BrowseFiltersTest, NameSelectionsMatchEntryOrTitlesWithoutOne) {
    AddTitles(3);
    T(0).SetDirector(4);
    T(1).SetDirector(7);
    f.TDirector = 4;
    EXPECT_EQ(Refresh(), (List{0}));
    f.TDirector = NoEntry; // titles without a director
    EXPECT_EQ(Refresh(), (List{2}));
    f.TDirector = -1;
    T(0).SetPublisher(3);
    T(1).SetU16(158, 0x00FF); // low byte 255: no publisher
    f.TEditeur = 255;
    EXPECT_EQ(Refresh(), (List{1, 2}));
    f.TEditeur = 3;
    EXPECT_EQ(Refresh(), (List{0}));
}

TEST_F(BrowseFiltersTest, ActorFilterNeedsEveryChosenActor) {
    AddTitles(4);
    T(0).SetActor1(1);
    T(0).SetActor5(3);
    T(1).SetActor2(1);
    T(1).SetActor3(2);
    T(2).SetActor4(3);
    T(3).SetActor1(1);
    T(3).SetActor2(2);
    T(3).SetActor3(3);
    f.TActor = {1, -1, -1};
    EXPECT_EQ(Refresh(), (List{0, 1, 3}));
    f.TActor = {1, 2, 3};
    EXPECT_EQ(Refresh(), (List{3}));
    // The second of three removed: the first and the former third remain.
    f.TActor = {1, 3, -1};
    EXPECT_EQ(Refresh(), (List{0, 3}));
}

TEST_F(BrowseFiltersTest, WatchCountKeepsEveryTieOfWhatEarlierFiltersLeft) {
    AddTitles(4);
    T(0).SetViewings(1);
    T(1).SetViewings(3);
    T(2).SetViewings(1);
    T(3).SetViewings(3);
    f.Watched = WatchCount::Less;
    EXPECT_EQ(Refresh(), (List{0, 2}));
    f.Watched = WatchCount::Most;
    EXPECT_EQ(Refresh(), (List{1, 3}));
    // The minimum is taken before the marks narrow the list: the result may be empty.
    T(1).SetFilmRating(5);
    f.Watched = WatchCount::Less;
    f.TNoteFilm1 = 5;
    EXPECT_EQ(Refresh(), (List{}));
    // An earlier filter does narrow it first.
    f.TNoteFilm1 = 0;
    T(1).SetThx(true);
    T(3).SetThx(true);
    f.TTHX = true;
    EXPECT_EQ(Refresh(), (List{1, 3}));
}

TEST_F(BrowseFiltersTest, WatchDateAppliesAfterWatchCount) {
    AddTitles(4);
    T(0).SetWatchDate(40000);
    T(1).SetWatchDate(41000);
    T(2).SetWatchDate(41000);
    T(3).SetWatchDate(39000);
    f.TWatched = WatchDate::Last;
    EXPECT_EQ(Refresh(), (List{1, 2}));
    f.TWatched = WatchDate::Oldest;
    EXPECT_EQ(Refresh(), (List{3}));
    T(0).SetViewings(2);
    T(2).SetViewings(2);
    f.Watched = WatchCount::Most;
    f.TWatched = WatchDate::Oldest;
    EXPECT_EQ(Refresh(), (List{0}));
}

TEST_F(BrowseFiltersTest, DvdLanguageCombosTestTheirBits) {
    AddTitles(4);
    T(0).SetDvdSubtitles(1u << 2); // French subtitles
    T(1).SetDvdDd20(1u << 1);      // English DD 2.0
    T(2).SetDvdMpeg51(1u << 1);    // English MPEG 5.1
    T(3).SetDvdPcm(1u << 1);       // English PCM: not part of ALL MPEG
    f.DvdCombo(DvdFilter::Sub) = 2;
    EXPECT_EQ(Refresh(), (List{0}));
    f.DvdCombo(DvdFilter::Sub) = DvdAllLang;
    f.DvdCombo(DvdFilter::AllDd) = 1;
    EXPECT_EQ(Refresh(), (List{1}));
    f.DvdCombo(DvdFilter::AllDd) = DvdAllLang;
    f.DvdCombo(DvdFilter::AllMpeg) = 1;
    EXPECT_EQ(Refresh(), (List{2}));
    f.DvdCombo(DvdFilter::AllMpeg) = DvdAllLang;
    f.DvdCombo(DvdFilter::Mpeg40) = 1; // the "PCM" combo
    EXPECT_EQ(Refresh(), (List{3}));
    T(3).SetDvdPcm(1u << 7);
    f.DvdCombo(DvdFilter::Mpeg40) = 7; // other language
    EXPECT_EQ(Refresh(), (List{3}));
}

TEST_F(BrowseFiltersTest, EntryDateBoundsAreInclusive) {
    AddTitles(3);
    T(0).SetBuyDate(Today);
    T(1).SetBuyDate(40000);
    T(2).SetBuyDate(39999);
    f.EntrySince = 40000;
    EXPECT_EQ(Refresh(), (List{0, 1}));
}

// The combo table reaches every combo of the filter value once, each under its own name.
TEST(FilterCombosTest, EveryComboHasOneEntry) {
    BrowseFilters marked;
    int mark = 100;
    for (const FilterCombo& combo : FilterCombos)
        combo.ValueIn(marked) = mark++;
    std::set<int> marks{marked.TSupport, marked.TStandard, marked.TAspectRatio, marked.TSound, marked.TColor,
                        marked.TGenre,   marked.TAVendre,  marked.TMPAA,        marked.TZone};
    marks.insert(marked.Dvd.begin(), marked.Dvd.end());
    // None left out, none reached twice.
    EXPECT_GE(*marks.begin(), 100);
    EXPECT_EQ(marks.size(), std::size(FilterCombos));
    // A name found is that combo's: no two share one.
    for (const FilterCombo& combo : FilterCombos)
        EXPECT_EQ(FilterComboNamed(combo.name), &combo) << combo.name;
}

} // namespace
} // namespace tavrin
