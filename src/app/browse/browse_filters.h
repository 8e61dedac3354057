// The browse filters as a plain value, and the refresh: from the collection and the filters to
// the browse list (the record numbers that pass, in master order).
#pragma once

#include "store/collection.h"
#include "store/day_number.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrin {

inline constexpr int GenreAll = 33;  // the genre filter's "Genre": every genre
inline constexpr int DvdAllLang = 8; // a DVD language filter's "All Lang."
inline constexpr int FirstFilterYear = 1890;

// The DVD language filters, each testing one or more language bytes.
enum class DvdFilter { Sub, Dts, Dd10, Dd20, Dd40, Dd51, Mpeg10, Mpeg20, Mpeg40, Mpeg51, AllDd, AllMpeg };
inline constexpr std::size_t DvdFilterCount = 12;

// "Watching Times" and "Watched Date" choices.
enum class WatchCount { All, Less, Most };
enum class WatchDate { All, Last, Oldest };

// One value per filter control. A default value has each control at its neutral value (the
// combos' from FilterCombos), except the year and entry-date bounds, which NeutralFilters fills in.
struct BrowseFilters {
    constexpr BrowseFilters();

    // The combos: an item of the list each shows (the genre combo: a genre code).
    int TSupport = 0, TStandard = 0, TAspectRatio = 0, TSound = 0, TColor = 0, TGenre = 0, TAVendre = 0,
        TMPAA = 0, TZone = 0;

    bool TTHX = false, TAC3 = false, TDTS = false, TDirectorCut = false, TSubtitled = false, TDubbed = false,
         TRotted = false, TInterview = false, TTrailer = false, TPS = false, TIsolated = false,
         TMultiAngle = false, TDeletedScene = false, TDocumentary = false, TFeaturette = false,
         TCommentary = false, TStillFrame = false, TSupAutre = false, T169 = false, TUsed = false,
         TFlipper = false;

    int TAnnee1 = FirstFilterYear;
    int TAnnee2 = FirstFilterYear;

    // Name selections: -1 no filter, 0xFFFF (publisher 255) titles without one, else an entry.
    int TDirector = -1, TComposer = -1, TBox = -1, TBoutique = -1, TInfo = -1, TInfo2 = -1, TEditeur = -1;
    std::array<int, 3> TActor{-1, -1, -1};

    WatchCount Watched = WatchCount::All;
    WatchDate TWatched = WatchDate::All;

    int TNoteFilm1 = 0, TNoteFilm2 = 5;
    int TNoteImage1 = 0, TNoteImage2 = 5;
    int TNoteSon1 = 0, TNoteSon2 = 5;

    DayNumber EntrySince = 0; // "Entry Since...": titles bought from this day to today

    // The DVD language combos, in DvdFilter order: a language item.
    std::array<int, DvdFilterCount> Dvd{};

    constexpr int& DvdCombo(DvdFilter f) { return Dvd[static_cast<std::size_t>(f)]; }
    constexpr int DvdCombo(DvdFilter f) const { return Dvd[static_cast<std::size_t>(f)]; }

    friend bool operator==(const BrowseFilters&, const BrowseFilters&) = default;
};

// A combo filter: its control's name (also its key on the command line), the value it sets and
// its neutral item, the last of its list, which lets every title through. A combo takes the items
// 0 .. neutral.
struct FilterCombo {
    const char* name;
    int BrowseFilters::*member; // null for a DVD language combo, which sets Dvd[dvd]
    DvdFilter dvd;
    int neutral;

    constexpr int& ValueIn(BrowseFilters& f) const { return member ? f.*member : f.DvdCombo(dvd); }
    constexpr int ValueIn(const BrowseFilters& f) const { return member ? f.*member : f.DvdCombo(dvd); }
};

// Every combo of the SORT TITLES and GADGET pages, once.
inline constexpr FilterCombo FilterCombos[] = {
    {"TSupport", &BrowseFilters::TSupport, {}, 4},
    {"TStandard", &BrowseFilters::TStandard, {}, 3},
    {"TAspectRatio", &BrowseFilters::TAspectRatio, {}, 9},
    {"TSound", &BrowseFilters::TSound, {}, 5},
    {"TColor", &BrowseFilters::TColor, {}, 3},
    {"TAVendre", &BrowseFilters::TAVendre, {}, 3},
    {"TMPAA", &BrowseFilters::TMPAA, {}, 10},
    {"TZone", &BrowseFilters::TZone, {}, 7},
    {"TGenre", &BrowseFilters::TGenre, {}, GenreAll},
    {"TDVDSub", nullptr, DvdFilter::Sub, DvdAllLang},
    {"TDVDDTS", nullptr, DvdFilter::Dts, DvdAllLang},
    {"TDVDDD10", nullptr, DvdFilter::Dd10, DvdAllLang},
    {"TDVDDD20", nullptr, DvdFilter::Dd20, DvdAllLang},
    {"TDVDDD40", nullptr, DvdFilter::Dd40, DvdAllLang},
    {"TDVDDD51", nullptr, DvdFilter::Dd51, DvdAllLang},
    {"TDVDMPEG10", nullptr, DvdFilter::Mpeg10, DvdAllLang},
    {"TDVDMPEG20", nullptr, DvdFilter::Mpeg20, DvdAllLang},
    {"TDVDMPEG40", nullptr, DvdFilter::Mpeg40, DvdAllLang},
    {"TDVDMPEG51", nullptr, DvdFilter::Mpeg51, DvdAllLang},
    {"TDVDALLDD", nullptr, DvdFilter::AllDd, DvdAllLang},
    {"TDVDALLMPEG", nullptr, DvdFilter::AllMpeg, DvdAllLang},
};

constexpr BrowseFilters::BrowseFilters() {
    for (const FilterCombo& combo : FilterCombos)
        combo.ValueIn(*this) = combo.neutral;
}

// The combo of that control name; null when no combo has it.
const FilterCombo* FilterComboNamed(std::string_view name);

// Every filter neutral: years 1890 .. currentYear, entries since the earliest purchase date.
BrowseFilters NeutralFilters(int currentYear, DayNumber earliestBuyDate);

// The browse list for these filters. The year, mark and purchase-date ranges always apply; the
// watch filters take their minimum or maximum over the titles the earlier filters left.
std::vector<std::uint16_t> RefreshBrowseList(const Collection& c, const BrowseFilters& f, DayNumber today);

} // namespace tavrin
