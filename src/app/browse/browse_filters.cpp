#include "app/browse/browse_filters.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <type_traits>

namespace tavrin {
namespace {

struct FlagTest {
    bool BrowseFilters::*box;
    std::size_t offset;
};

// The check boxes in the order they are applied; TUsed and TFlipper come later.
constexpr FlagTest EarlyFlags[] = {
    {&BrowseFilters::TTHX, FlagOffset("Thx")},
    {&BrowseFilters::TAC3, FlagOffset("Ac3")},
    {&BrowseFilters::TDTS, FlagOffset("Dts")},
    {&BrowseFilters::TDirectorCut, FlagOffset("DirectorsCut")},
    {&BrowseFilters::TSubtitled, FlagOffset("Subtitled")},
    {&BrowseFilters::TDubbed, FlagOffset("Dubbed")},
    {&BrowseFilters::TRotted, FlagOffset("Rotted")},
    {&BrowseFilters::TInterview, FlagOffset("Interview")},
    {&BrowseFilters::TTrailer, FlagOffset("Trailer")},
    {&BrowseFilters::TPS, FlagOffset("PanScan")},
    {&BrowseFilters::TIsolated, FlagOffset("IsolatedScore")},
    {&BrowseFilters::TMultiAngle, FlagOffset("MultiAngle")},
    {&BrowseFilters::TDeletedScene, FlagOffset("DeletedScenes")},
    {&BrowseFilters::TDocumentary, FlagOffset("Documentary")},
    {&BrowseFilters::TFeaturette, FlagOffset("Featurette")},
    {&BrowseFilters::TCommentary, FlagOffset("Commentary")},
    {&BrowseFilters::TStillFrame, FlagOffset("NotesPhotosBio")},
    {&BrowseFilters::TSupAutre, FlagOffset("OtherExtras")},
    {&BrowseFilters::T169, FlagOffset("Widescreen169")},
    {&BrowseFilters::TUsed, FlagOffset("Used")},
    {&BrowseFilters::TFlipper, FlagOffset("Flipper")},
};

struct ComboTest {
    int BrowseFilters::*combo;
    int neutral;
    std::size_t offset;
};

// The combos that test one byte, neutral at their FilterCombos value.
struct ByteTest {
    int BrowseFilters::*combo;
    std::size_t offset;
};
constexpr ByteTest ByteCombos[] = {
    {&BrowseFilters::TSupport, U8Offset("Support")},
    {&BrowseFilters::TStandard, U8Offset("Standard")},
    {&BrowseFilters::TAspectRatio, U8Offset("AspectRatio")},
    {&BrowseFilters::TSound, U8Offset("Sound")},
    {&BrowseFilters::TColor, U8Offset("Color")},
    {&BrowseFilters::TAVendre, U8Offset("Trade")},
    {&BrowseFilters::TMPAA, U8Offset("Mpaa")},
    {&BrowseFilters::TZone, U8Offset("Zone")},
};

constexpr ComboTest NameSelections[] = {
    {&BrowseFilters::TDirector, -1, U16Offset("Director")},
    {&BrowseFilters::TComposer, -1, U16Offset("Composer")},
    {&BrowseFilters::TBox, -1, U16Offset("Box")},
    {&BrowseFilters::TBoutique, -1, U16Offset("Retailer")},
    {&BrowseFilters::TInfo, -1, U16Offset("Info")},
    {&BrowseFilters::TInfo2, -1, U16Offset("Info2")},
};

// Language bytes tested by each DVD filter, in DvdFilter order; a title passes when the chosen
// language's bit is set in any of them.
struct DvdBytes {
    std::size_t offsets[4];
    std::size_t count;
};
constexpr DvdBytes DvdTests[DvdFilterCount] = {
    {{U8Offset("DvdSubtitles")}, 1},
    {{U8Offset("DvdDts")}, 1},
    {{U8Offset("DvdDd10")}, 1},
    {{U8Offset("DvdDd20")}, 1},
    {{U8Offset("DvdDd40")}, 1},
    {{U8Offset("DvdDd51")}, 1},
    {{U8Offset("DvdMpeg10")}, 1},
    {{U8Offset("DvdMpeg20")}, 1},
    {{U8Offset("DvdPcm")}, 1},
    {{U8Offset("DvdMpeg51")}, 1},
    {{U8Offset("DvdDd10"), U8Offset("DvdDd20"), U8Offset("DvdDd40"), U8Offset("DvdDd51")}, 4},
    {{U8Offset("DvdMpeg20"), U8Offset("DvdMpeg51"), U8Offset("DvdMpeg10")}, 3},
};
// Applied in this order: the ten single combos, then ALL MPEG, then ALL DD.
constexpr DvdFilter DvdOrder[] = {DvdFilter::Sub,    DvdFilter::Dts,    DvdFilter::Dd10,    DvdFilter::Dd20,
                                  DvdFilter::Dd40,   DvdFilter::Dd51,   DvdFilter::Mpeg10,  DvdFilter::Mpeg20,
                                  DvdFilter::Mpeg40, DvdFilter::Mpeg51, DvdFilter::AllMpeg, DvdFilter::AllDd};

bool HasActor(const TitleRecord& t, int actor) {
    bool found = false;
    for (auto off : ActorOffsets)
        found |= t.U16(off) == actor;
    return found;
}

// The ranges every refresh applies: the years before the watch filters, the marks and the
// purchase date after them. Each is held as its low end and its width, so that one unsigned
// comparison tests both ends.
class RangeTests {
  public:
    RangeTests(const BrowseFilters& f, DayNumber today) {
        Set(year_, std::max(f.TAnnee1, 1), f.TAnnee2); // a year of 0 is outside every range
        Set(film_, f.TNoteFilm1, f.TNoteFilm2);
        Set(picture_, f.TNoteImage1, f.TNoteImage2);
        Set(sound_, f.TNoteSon1, f.TNoteSon2);
        Set(bought_, f.EntrySince, today);
    }
    // True when a range holds nothing: no title can pass.
    bool Empty() const { return empty_; }
    bool Early(const TitleRecord& t) const { return year_.Holds(t.Year()); }
    bool Late(const TitleRecord& t) const {
        return film_.Holds(t.FilmRating()) & picture_.Holds(t.PictureRating()) &
               sound_.Holds(t.SoundRating()) & bought_.Holds(t.BuyDate());
    }

  private:
    struct Range {
        std::int64_t low = 0;
        std::uint64_t width = 0;
        bool Holds(std::int64_t v) const { return static_cast<std::uint64_t>(v - low) <= width; }
    };
    void Set(Range& r, std::int64_t low, std::int64_t high) {
        empty_ = empty_ || low > high;
        r = {low, static_cast<std::uint64_t>(high - low)};
    }
    Range year_, film_, picture_, sound_, bought_;
    bool empty_ = false;
};

// The optional tests before the watch filters: one predicate per title, so the passes merge.
class EarlyTest {
  public:
    explicit EarlyTest(const BrowseFilters& f) : f_(f) {
        for (const auto& t : EarlyFlags)
            if (f.*t.box) flags_.push_back(t.offset);
        constexpr BrowseFilters neutral;
        for (const auto& t : ByteCombos)
            if (f.*t.combo != neutral.*t.combo) bytes_.push_back({t.offset, f.*t.combo});
        for (const auto& t : NameSelections)
            if (f.*t.combo != -1) refs_.push_back({t.offset, f.*t.combo});
        for (int a : f.TActor)
            if (a >= 0) actors_.push_back(a);
        active_ = !flags_.empty() || !bytes_.empty() || f.TGenre != GenreAll || f.TEditeur != -1 ||
                  !refs_.empty() || !actors_.empty();
    }
    // False when every test here is neutral.
    bool Active() const { return active_; }

    // Every test is evaluated, without a branch on its outcome: the outcomes of one title do not
    // predict the next title's, and a mispredicted branch costs more than the tests it skips.
    // The one-byte tests, which a title fails more often than not when any is set.
    bool Bytes(const TitleRecord& t) const {
        bool ok = true;
        for (auto off : flags_)
            ok &= t.U8(off) == 1;
        for (const auto& [off, v] : bytes_)
            ok &= t.U8(off) == v;
        ok &= f_.TGenre == GenreAll || ((t.Genre() == f_.TGenre) | (t.Genre2() == f_.TGenre));
        ok &= f_.TEditeur == -1 || t.Publisher() == f_.TEditeur;
        return ok;
    }
    // The name selections and the actors: more work per title, so asked only of the titles that
    // passed the rest.
    bool HasNames() const { return !refs_.empty() || !actors_.empty(); }
    bool Names(const TitleRecord& t) const {
        bool ok = true;
        for (const auto& [off, v] : refs_)
            ok &= t.U16(off) == v;
        for (int a : actors_)
            ok &= HasActor(t, a);
        return ok;
    }

  private:
    const BrowseFilters& f_;
    std::vector<std::size_t> flags_;
    std::vector<std::pair<std::size_t, int>> bytes_;
    std::vector<std::pair<std::size_t, int>> refs_;
    std::vector<int> actors_;
    bool active_ = false;
};

// The DVD languages, after the watch filters.
class LateTest {
  public:
    explicit LateTest(const BrowseFilters& f) {
        for (DvdFilter d : DvdOrder) {
            const int lang = f.DvdCombo(d);
            if (lang >= 0 && lang < DvdAllLang)
                dvd_.push_back(
                    {&DvdTests[static_cast<std::size_t>(d)], static_cast<std::uint8_t>(1u << lang)});
        }
    }

    bool Active() const { return !dvd_.empty(); }

    bool operator()(const TitleRecord& t) const {
        bool ok = true;
        for (const auto& [test, bit] : dvd_) {
            std::uint8_t any = 0;
            for (std::size_t i = 0; i < test->count; ++i)
                any |= t.U8(test->offsets[i]);
            ok &= (any & bit) != 0;
        }
        return ok;
    }

  private:
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

// Sets one bit per record, walking the store in memory order, 64 records to a word: test on every
// record, then second only on the records of the word that passed test.
template <class Test, class Second>
void MarkPassing(const Collection& c, RecordBits& bits, Test&& test, Second&& second) {
    const std::size_t n = c.titles.size();
    const TitleRecord* titles = c.titles.data();
    for (std::size_t w = 0; w < bits.Words(); ++w) {
        const std::size_t first = w * 64, last = std::min(n, first + 64);
        std::uint64_t word = 0;
        for (std::size_t r = first; r < last; ++r)
            word |= static_cast<std::uint64_t>(test(titles[r])) << (r - first);
        if constexpr (!std::is_same_v<std::decay_t<Second>, std::nullptr_t>)
            for (std::uint64_t left = word; left; left &= left - 1) {
                const auto at = static_cast<std::size_t>(std::countr_zero(left));
                if (!second(titles[first + at])) word &= ~(std::uint64_t{1} << at);
            }
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

const FilterCombo* FilterComboNamed(std::string_view name) {
    for (const FilterCombo& combo : FilterCombos)
        if (name == combo.name) return &combo;
    return nullptr;
}

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
    const RangeTests ranges(f, today);
    if (ranges.Empty()) return {};
    const std::size_t n = c.titles.size();
    RecordBits bits(n);
    const EarlyTest early(f);
    const LateTest late(f);
    const bool watch = f.Watched != WatchCount::All || f.TWatched != WatchDate::All;
    // The tests that are all neutral are left out of the loop over every title.
    auto names = [&](const TitleRecord& t) { return early.Names(t); };
    auto lateTest = [&](const TitleRecord& t) { return ranges.Late(t) & late(t); };
    auto mark = [&](auto&& test) {
        if (early.HasNames())
            MarkPassing(c, bits, test, names);
        else
            MarkPassing(c, bits, test, nullptr);
    };
    if (watch) {
        if (early.Active())
            mark([&](const TitleRecord& t) { return ranges.Early(t) & early.Bytes(t); });
        else
            mark([&](const TitleRecord& t) { return ranges.Early(t); });
        if (f.Watched != WatchCount::All)
            KeepExtreme(
                c, bits, [](const TitleRecord& t) { return t.Viewings(); }, f.Watched == WatchCount::Most);
        if (f.TWatched != WatchDate::All)
            KeepExtreme(
                c, bits, [](const TitleRecord& t) { return t.WatchDate(); }, f.TWatched == WatchDate::Last);
        bits.ForEach([&](std::size_t r) {
            if (!lateTest(c.titles[r])) bits.Clear(r);
        });
    } else if (early.Active() || late.Active()) {
        mark([&](const TitleRecord& t) { return ranges.Early(t) & early.Bytes(t) & lateTest(t); });
    } else {
        mark([&](const TitleRecord& t) { return ranges.Early(t) & ranges.Late(t); });
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
