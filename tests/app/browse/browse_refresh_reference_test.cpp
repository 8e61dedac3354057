// The refresh against a plain reference that runs the passes one after the other over the browse
// list, as the filters are described, on random collections and random filter settings.
#include "app/browse/browse_filters.h"
#include "store/title_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

using List = std::vector<std::uint16_t>;

// Removes from list every title that fails keep, keeping the order of the rest; an empty list
// skips the pass.
template <class Keep> void Pass(const Collection& c, List& list, Keep keep) {
    if (list.empty()) return;
    List left;
    for (auto r : list)
        if (keep(c.titles[r])) left.push_back(r);
    list = std::move(left);
}

List ReferenceRefresh(const Collection& c, const BrowseFilters& f, DayNumber today) {
    List list = c.ListeIndex;
    auto byte = [&](int BrowseFilters::*combo, int neutral, std::size_t off) {
        if (f.*combo != neutral) Pass(c, list, [&](const TitleRecord& t) { return t.U8(off) == f.*combo; });
    };
    auto flag = [&](bool BrowseFilters::*box, std::size_t off) {
        if (f.*box) Pass(c, list, [&](const TitleRecord& t) { return t.U8(off) == 1; });
    };
    auto ref = [&](int BrowseFilters::*sel, std::size_t off) {
        if (f.*sel != -1) Pass(c, list, [&](const TitleRecord& t) { return t.U16(off) == f.*sel; });
    };
    // 1. medium and standard
    byte(&BrowseFilters::TSupport, 4, 90);
    byte(&BrowseFilters::TStandard, 3, 74);
    // 2. check boxes
    const std::pair<bool BrowseFilters::*, std::size_t> boxes[] = {{&BrowseFilters::TTHX, 76},
                                                                   {&BrowseFilters::TAC3, 80},
                                                                   {&BrowseFilters::TDTS, 81},
                                                                   {&BrowseFilters::TDirectorCut, 77},
                                                                   {&BrowseFilters::TSubtitled, 78},
                                                                   {&BrowseFilters::TDubbed, 79},
                                                                   {&BrowseFilters::TRotted, 157},
                                                                   {&BrowseFilters::TInterview, 133},
                                                                   {&BrowseFilters::TTrailer, 134},
                                                                   {&BrowseFilters::TPS, 104},
                                                                   {&BrowseFilters::TIsolated, 105},
                                                                   {&BrowseFilters::TMultiAngle, 108},
                                                                   {&BrowseFilters::TDeletedScene, 135},
                                                                   {&BrowseFilters::TDocumentary, 140},
                                                                   {&BrowseFilters::TFeaturette, 136},
                                                                   {&BrowseFilters::TCommentary, 137},
                                                                   {&BrowseFilters::TStillFrame, 138},
                                                                   {&BrowseFilters::TSupAutre, 139},
                                                                   {&BrowseFilters::T169, 87}};
    for (const auto& [box, off] : boxes)
        flag(box, off);
    // 3. the other combos and the publisher
    byte(&BrowseFilters::TAspectRatio, 9, 54);
    byte(&BrowseFilters::TSound, 5, 75);
    byte(&BrowseFilters::TColor, 3, 120);
    if (f.TGenre != GenreAll)
        Pass(c, list, [&](const TitleRecord& t) { return t.Genre() == f.TGenre || t.Genre2() == f.TGenre; });
    byte(&BrowseFilters::TAVendre, 3, 110);
    byte(&BrowseFilters::TMPAA, 10, 68);
    byte(&BrowseFilters::TZone, 7, 91);
    byte(&BrowseFilters::TEditeur, -1, 158);
    // 4. years
    Pass(c, list, [&](const TitleRecord& t) {
        return t.Year() != 0 && t.Year() >= f.TAnnee1 && t.Year() <= f.TAnnee2;
    });
    // 5. name selections
    ref(&BrowseFilters::TDirector, 55);
    ref(&BrowseFilters::TComposer, 143);
    ref(&BrowseFilters::TBox, 83);
    ref(&BrowseFilters::TBoutique, 117);
    ref(&BrowseFilters::TInfo, 85);
    ref(&BrowseFilters::TInfo2, 106);
    // 6. used and flipper
    flag(&BrowseFilters::TUsed, 82);
    flag(&BrowseFilters::TFlipper, 119);
    // 7. actors, then the watch filters over what is left
    if (f.TActor[0] != -1)
        Pass(c, list, [&](const TitleRecord& t) {
            for (int a : f.TActor) {
                if (a == -1) continue;
                bool found = false;
                for (auto off : ActorOffsets)
                    found = found || t.U16(off) == a;
                if (!found) return false;
            }
            return true;
        });
    auto extreme = [&](auto value, bool wantMax) {
        if (list.empty()) return;
        auto best = value(c.titles[list[0]]);
        for (auto r : list)
            best = wantMax ? std::max(best, value(c.titles[r])) : std::min(best, value(c.titles[r]));
        Pass(c, list, [&](const TitleRecord& t) { return value(t) == best; });
    };
    if (f.Watched != WatchCount::All)
        extreme([](const TitleRecord& t) { return t.Viewings(); }, f.Watched == WatchCount::Most);
    if (f.TWatched != WatchDate::All)
        extreme([](const TitleRecord& t) { return t.WatchDate(); }, f.TWatched == WatchDate::Last);
    // 8. marks
    Pass(c, list, [&](const TitleRecord& t) {
        return t.FilmRating() >= f.TNoteFilm1 && t.FilmRating() <= f.TNoteFilm2;
    });
    Pass(c, list, [&](const TitleRecord& t) {
        return t.PictureRating() >= f.TNoteImage1 && t.PictureRating() <= f.TNoteImage2;
    });
    Pass(c, list, [&](const TitleRecord& t) {
        return t.SoundRating() >= f.TNoteSon1 && t.SoundRating() <= f.TNoteSon2;
    });
    // 9. purchase date
    Pass(c, list, [&](const TitleRecord& t) { return t.BuyDate() >= f.EntrySince && t.BuyDate() <= today; });
    // 10. DVD languages: the single combos, then ALL MPEG, then ALL DD
    auto dvd = [&](DvdFilter d, std::initializer_list<std::size_t> offs) {
        const int lang = f.DvdCombo(d);
        if (lang == DvdAllLang) return;
        Pass(c, list, [&](const TitleRecord& t) {
            for (auto off : offs)
                if (t.U8(off) & (1u << lang)) return true;
            return false;
        });
    };
    dvd(DvdFilter::Sub, {92});
    dvd(DvdFilter::Dts, {99});
    dvd(DvdFilter::Dd10, {95});
    dvd(DvdFilter::Dd20, {96});
    dvd(DvdFilter::Dd40, {97});
    dvd(DvdFilter::Dd51, {98});
    dvd(DvdFilter::Mpeg10, {100});
    dvd(DvdFilter::Mpeg20, {93});
    dvd(DvdFilter::Mpeg40, {101});
    dvd(DvdFilter::Mpeg51, {94});
    dvd(DvdFilter::AllMpeg, {93, 94, 100});
    dvd(DvdFilter::AllDd, {95, 96, 97, 98});
    return list;
}

constexpr DayNumber Today = 40010;

// Few distinct values per field, so that every filter both keeps and removes titles.
Collection RandomCollection(std::mt19937& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    Collection c;
    c.titles.resize(static_cast<std::size_t>(pick(300)));
    for (auto& t : c.titles) {
        for (std::size_t off = 50; off < TitleRecordSize; ++off)
            t.SetU8(off, static_cast<std::uint8_t>(pick(3)));
        t.SetTitle(std::string(1, static_cast<char>('A' + pick(5))));
        t.SetYear(static_cast<std::uint16_t>(pick(8) == 0 ? 0 : 1985 + pick(10)));
        for (std::size_t off : {55, 83, 85, 106, 117, 143, 57, 59, 61, 63, 65})
            t.SetU16(off, pick(5) == 0 ? NoEntry : static_cast<std::uint16_t>(pick(4)));
        t.SetU16(158, pick(4) == 0 ? NoEntry : static_cast<std::uint16_t>(pick(3)));
        for (std::size_t off = 92; off <= 101; ++off)
            t.SetU8(off, static_cast<std::uint8_t>(rng()));
        for (std::size_t off : {69, 70, 71})
            t.SetU8(off, static_cast<std::uint8_t>(pick(6)));
        t.SetGenre(static_cast<std::uint8_t>(pick(4)));
        t.SetGenre2(static_cast<std::uint8_t>(pick(4)));
        t.SetViewings(static_cast<std::uint16_t>(pick(4)));
        t.SetWatchDate(40000 + pick(4));
        t.SetBuyDate(39995 + pick(20));
    }
    c.ListeIndex = SortedTitleOrder(c.titles);
    return c;
}

BrowseFilters RandomFilters(std::mt19937& rng) {
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto sometimes = [&] { return pick(7) == 0; };
    BrowseFilters f = NeutralFilters(1994, 39998);
    for (int BrowseFilters::*combo :
         {&BrowseFilters::TSupport, &BrowseFilters::TStandard, &BrowseFilters::TAspectRatio,
          &BrowseFilters::TSound, &BrowseFilters::TColor, &BrowseFilters::TAVendre, &BrowseFilters::TMPAA,
          &BrowseFilters::TZone})
        if (sometimes()) f.*combo = pick(3);
    if (sometimes()) f.TGenre = pick(4);
    for (bool BrowseFilters::*box :
         {&BrowseFilters::TTHX,          &BrowseFilters::TAC3,         &BrowseFilters::TDTS,
          &BrowseFilters::TDirectorCut,  &BrowseFilters::TSubtitled,   &BrowseFilters::TDubbed,
          &BrowseFilters::TRotted,       &BrowseFilters::TInterview,   &BrowseFilters::TTrailer,
          &BrowseFilters::TPS,           &BrowseFilters::TIsolated,    &BrowseFilters::TMultiAngle,
          &BrowseFilters::TDeletedScene, &BrowseFilters::TDocumentary, &BrowseFilters::TFeaturette,
          &BrowseFilters::TCommentary,   &BrowseFilters::TStillFrame,  &BrowseFilters::TSupAutre,
          &BrowseFilters::T169,          &BrowseFilters::TUsed,        &BrowseFilters::TFlipper})
        f.*box = pick(40) == 0;
    if (sometimes()) {
        // Now and then a bound below every year, or the bounds crossed.
        f.TAnnee1 = pick(6) == 0 ? pick(3) - 1 : 1986 + pick(5);
        f.TAnnee2 = std::max(f.TAnnee1, 1986) + pick(7) - 1;
    }
    for (int BrowseFilters::*sel :
         {&BrowseFilters::TDirector, &BrowseFilters::TComposer, &BrowseFilters::TBox,
          &BrowseFilters::TBoutique, &BrowseFilters::TInfo, &BrowseFilters::TInfo2})
        if (sometimes()) f.*sel = pick(3) == 0 ? NoEntry : pick(4);
    if (sometimes()) f.TEditeur = pick(3) == 0 ? 255 : pick(3);
    if (sometimes()) {
        f.TActor[0] = pick(4);
        if (pick(2)) f.TActor[1] = pick(4);
        if (f.TActor[1] != -1 && pick(2)) f.TActor[2] = pick(4);
    }
    f.Watched = static_cast<WatchCount>(pick(3));
    f.TWatched = static_cast<WatchDate>(pick(3));
    for (auto [low, high] : {std::pair{&BrowseFilters::TNoteFilm1, &BrowseFilters::TNoteFilm2},
                             std::pair{&BrowseFilters::TNoteImage1, &BrowseFilters::TNoteImage2},
                             std::pair{&BrowseFilters::TNoteSon1, &BrowseFilters::TNoteSon2}})
        if (sometimes()) {
            f.*low = pick(4);
            f.*high = f.*low + pick(4) - 1;
        }
    if (sometimes()) f.EntrySince = 39995 + pick(20);
    for (auto& lang : f.Dvd)
        if (pick(30) == 0) lang = pick(8);
    return f;
}

TEST(BrowseRefreshReferenceTest, MatchesThePassesRunOneAfterTheOther) {
    std::mt19937 rng(2026);
    std::size_t nonEmpty = 0;
    for (int round = 0; round < 3000; ++round) {
        const Collection c = RandomCollection(rng);
        const BrowseFilters f = RandomFilters(rng);
        const List expected = ReferenceRefresh(c, f, Today);
        ASSERT_EQ(RefreshBrowseList(c, f, Today), expected) << "round " << round;
        nonEmpty += !expected.empty() && expected.size() < c.titles.size();
    }
    EXPECT_GT(nonEmpty, 1000u) << "the random filters should narrow the list, not empty it";
}

} // namespace
} // namespace tavrin
