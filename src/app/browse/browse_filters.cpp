#include "app/browse/browse_filters.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace tavrin {
namespace {

struct FlagTest {
    bool BrowseFilters::*box;
    std::size_t offset;
};

// The check boxes in the order they are applied; TUsed and TFlipper come later.
constexpr FlagTest EarlyFlags[] = {
    {&BrowseFilters::TTHX, 76},           {&BrowseFilters::TAC3, 80},
    {&BrowseFilters::TDTS, 81},           {&BrowseFilters::TDirectorCut, 77},
    {&BrowseFilters::TSubtitled, 78},     {&BrowseFilters::TDubbed, 79},
    {&BrowseFilters::TRotted, 157},       {&BrowseFilters::TInterview, 133},
    {&BrowseFilters::TTrailer, 134},      {&BrowseFilters::TPS, 104},
    {&BrowseFilters::TIsolated, 105},     {&BrowseFilters::TMultiAngle, 108},
    {&BrowseFilters::TDeletedScene, 135}, {&BrowseFilters::TDocumentary, 140},
    {&BrowseFilters::TFeaturette, 136},   {&BrowseFilters::TCommentary, 137},
    {&BrowseFilters::TStillFrame, 138},   {&BrowseFilters::TSupAutre, 139},
    {&BrowseFilters::T169, 87},           {&BrowseFilters::TUsed, 82},
    {&BrowseFilters::TFlipper, 119},
};

struct ComboTest {
    int BrowseFilters::*combo;
    int neutral;
    std::size_t offset;
};

constexpr ComboTest ByteCombos[] = {
    {&BrowseFilters::TSupport, 4, 90},     {&BrowseFilters::TStandard, 3, 74},
    {&BrowseFilters::TAspectRatio, 9, 54}, {&BrowseFilters::TSound, 5, 75},
    {&BrowseFilters::TColor, 3, 120},      {&BrowseFilters::TAVendre, 3, 110},
    {&BrowseFilters::TMPAA, 10, 68},       {&BrowseFilters::TZone, 7, 91},
};

constexpr ComboTest NameSelections[] = {
    {&BrowseFilters::TDirector, -1, 55}, {&BrowseFilters::TComposer, -1, 143},
    {&BrowseFilters::TBox, -1, 83},      {&BrowseFilters::TBoutique, -1, 117},
    {&BrowseFilters::TInfo, -1, 85},     {&BrowseFilters::TInfo2, -1, 106},
};

// Language bytes tested by each DVD filter, in DvdFilter order; a title passes when the chosen
// language's bit is set in any of them.
struct DvdBytes {
    std::size_t offsets[4];
    std::size_t count;
};
constexpr DvdBytes DvdTests[DvdFilterCount] = {
    {{92}, 1},
    {{99}, 1},
    {{95}, 1},
    {{96}, 1},
    {{97}, 1},
    {{98}, 1},
    {{100}, 1},
    {{93}, 1},
    {{101}, 1},
    {{94}, 1},
    {{95, 96, 97, 98}, 4},
    {{93, 94, 100}, 3},
};
// Applied in this order: the ten single combos, then ALL MPEG, then ALL DD.
constexpr DvdFilter DvdOrder[] = {DvdFilter::Sub,    DvdFilter::Dts,    DvdFilter::Dd10,    DvdFilter::Dd20,
                                  DvdFilter::Dd40,   DvdFilter::Dd51,   DvdFilter::Mpeg10,  DvdFilter::Mpeg20,
                                  DvdFilter::Mpeg40, DvdFilter::Mpeg51, DvdFilter::AllMpeg, DvdFilter::AllDd};

bool HasActor(const TitleRecord& t, int actor) {
    for (auto off : ActorOffsets)
        if (t.U16(off) == actor) return true;
    return false;
}

// Everything before the watch filters: one predicate per title, so the passes merge into one.
class EarlyTest {
  public:
    explicit EarlyTest(const BrowseFilters& f) : f_(f) {
        for (const auto& t : EarlyFlags)
            if (f.*t.box) flags_.push_back(t.offset);
        for (const auto& t : ByteCombos)
            if (f.*t.combo != t.neutral) bytes_.push_back({t.offset, f.*t.combo});
        for (const auto& t : NameSelections)
            if (f.*t.combo != -1) refs_.push_back({t.offset, f.*t.combo});
        for (int a : f.TActor)
            if (a >= 0) actors_.push_back(a);
    }

    bool operator()(const TitleRecord& t) const {
        for (auto off : flags_)
            if (t.U8(off) != 1) return false;
        for (const auto& [off, v] : bytes_)
            if (t.U8(off) != v) return false;
        if (f_.TGenre != GenreAll && t.Genre() != f_.TGenre && t.Genre2() != f_.TGenre) return false;
        if (f_.TEditeur != -1 && t.Publisher() != f_.TEditeur) return false;
        const int year = t.Year();
        if (year < f_.TAnnee1 || year > f_.TAnnee2 || year == 0) return false;
        for (const auto& [off, v] : refs_)
            if (t.U16(off) != v) return false;
        for (int a : actors_)
            if (!HasActor(t, a)) return false;
        return true;
    }

  private:
    const BrowseFilters& f_;
    std::vector<std::size_t> flags_;
    std::vector<std::pair<std::size_t, int>> bytes_;
    std::vector<std::pair<std::size_t, int>> refs_;
    std::vector<int> actors_;
};

// Everything after the watch filters.
class LateTest {
  public:
    LateTest(const BrowseFilters& f, DayNumber today) : f_(f), today_(today) {
        for (DvdFilter d : DvdOrder) {
            const int lang = f.DvdCombo(d);
            if (lang >= 0 && lang < DvdAllLang)
                dvd_.push_back(
                    {&DvdTests[static_cast<std::size_t>(d)], static_cast<std::uint8_t>(1u << lang)});
        }
    }

    bool operator()(const TitleRecord& t) const {
        if (t.FilmRating() < f_.TNoteFilm1 || t.FilmRating() > f_.TNoteFilm2) return false;
        if (t.PictureRating() < f_.TNoteImage1 || t.PictureRating() > f_.TNoteImage2) return false;
        if (t.SoundRating() < f_.TNoteSon1 || t.SoundRating() > f_.TNoteSon2) return false;
        const DayNumber bought = t.BuyDate();
        if (bought < f_.EntrySince || bought > today_) return false;
        for (const auto& [test, bit] : dvd_) {
            bool any = false;
            for (std::size_t i = 0; i < test->count; ++i)
                any = any || (t.U8(test->offsets[i]) & bit);
            if (!any) return false;
        }
        return true;
    }

  private:
    const BrowseFilters& f_;
    DayNumber today_;
    std::vector<std::pair<const DvdBytes*, std::uint8_t>> dvd_;
};

// One bit per record number: which titles are still in the browse list.
class RecordBits {
  public:
    explicit RecordBits(std::size_t n) : words_((n + 63) / 64, 0) {}
    bool Test(std::size_t r) const { return (words_[r >> 6] >> (r & 63)) & 1u; }
    void Clear(std::size_t r) { words_[r >> 6] &= ~(std::uint64_t{1} << (r & 63)); }
    std::uint64_t& Word(std::size_t w) { return words_[w]; }
    std::size_t Words() const { return words_.size(); }
    std::size_t Count() const {
        std::size_t n = 0;
        for (auto w : words_)
            n += static_cast<std::size_t>(std::popcount(w));
        return n;
    }
    // Calls f(r) for every record still set, in record order.
    template <class F> void ForEach(F&& f) const {
        for (std::size_t w = 0; w < words_.size(); ++w)
            for (std::uint64_t bits = words_[w]; bits; bits &= bits - 1)
                f(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }

  private:
    std::vector<std::uint64_t> words_;
};

// Sets one bit per record, walking the store in memory order, 64 records to a word.
template <class Test> void MarkPassing(const Collection& c, RecordBits& bits, Test&& test) {
    const std::size_t n = c.titles.size();
    const TitleRecord* titles = c.titles.data();
    for (std::size_t w = 0; w < bits.Words(); ++w) {
        const std::size_t first = w * 64, last = std::min(n, first + 64);
        std::uint64_t word = 0;
        for (std::size_t r = first; r < last; ++r)
            word |= static_cast<std::uint64_t>(test(titles[r])) << (r - first);
        bits.Word(w) = word;
    }
}

// Keeps the titles whose value equals the minimum (maximum) over the titles still set.
template <class Value> void KeepExtreme(const Collection& c, RecordBits& bits, Value value, bool wantMax) {
    bool any = false;
    decltype(value(c.titles[0])) best{};
    bits.ForEach([&](std::size_t r) {
        const auto v = value(c.titles[r]);
        if (!any || (wantMax ? v > best : v < best)) best = v;
        any = true;
    });
    if (!any) return;
    bits.ForEach([&](std::size_t r) {
        if (value(c.titles[r]) != best) bits.Clear(r);
    });
}

} // namespace

BrowseFilters NeutralFilters(int currentYear, DayNumber earliestBuyDate) {
    BrowseFilters f;
    f.TAnnee2 = currentYear;
    f.EntrySince = earliestBuyDate;
    return f;
}

// Every pass keeps the master order of what it leaves and tests each title on its own (the watch
// filters on an extreme over the whole set left), so the passes can run over the records in memory
// order, which the processor streams, into one bit per record; only the final walk follows the
// master order, reading the bits alone.
std::vector<std::uint16_t> RefreshBrowseList(const Collection& c, const BrowseFilters& f, DayNumber today) {
    const std::size_t n = c.titles.size();
    RecordBits bits(n);
    const EarlyTest early(f);
    const LateTest late(f, today);
    const bool watch = f.Watched != WatchCount::All || f.TWatched != WatchDate::All;
    if (watch) {
        MarkPassing(c, bits, early);
        if (f.Watched != WatchCount::All)
            KeepExtreme(
                c, bits, [](const TitleRecord& t) { return t.Viewings(); }, f.Watched == WatchCount::Most);
        if (f.TWatched != WatchDate::All)
            KeepExtreme(
                c, bits, [](const TitleRecord& t) { return t.WatchDate(); }, f.TWatched == WatchDate::Last);
        bits.ForEach([&](std::size_t r) {
            if (!late(c.titles[r])) bits.Clear(r);
        });
    } else {
        MarkPassing(c, bits, [&](const TitleRecord& t) { return early(t) && late(t); });
    }

    // The master order over the bits, without a branch per title: each record number is written
    // to the next free place, which moves on only when the record passed. The spare last place
    // takes the writes after the last title kept.
    const std::size_t kept = bits.Count();
    std::vector<std::uint16_t> list(kept + 1);
    std::size_t k = 0;
    for (const auto r : c.ListeIndex) {
        if (k == kept) break;
        list[k] = r;
        k += r < n && bits.Test(r);
    }
    list.resize(k);
    return list;
}

} // namespace tavrin
