// The browse filters as a plain value, and the refresh: from the collection and the filters to
// the browse list (the record numbers that pass, in master order).
#pragma once

#include "store/collection.h"
#include "store/day_number.h"

#include <array>
#include <cstdint>
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

// One value per filter control; each default is the control's neutral value except the year
// and entry-date bounds, which NeutralFilters fills in.
struct BrowseFilters {
    int TSupport = 4;
    int TStandard = 3;
    int TAspectRatio = 9;
    int TSound = 5;
    int TColor = 3;
    int TGenre = GenreAll; // a genre code
    int TAVendre = 3;
    int TMPAA = 10;
    int TZone = 7;

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

    std::array<int, DvdFilterCount> Dvd{DvdAllLang, DvdAllLang, DvdAllLang, DvdAllLang,
                                        DvdAllLang, DvdAllLang, DvdAllLang, DvdAllLang,
                                        DvdAllLang, DvdAllLang, DvdAllLang, DvdAllLang};

    int& DvdCombo(DvdFilter f) { return Dvd[static_cast<std::size_t>(f)]; }
    int DvdCombo(DvdFilter f) const { return Dvd[static_cast<std::size_t>(f)]; }

    friend bool operator==(const BrowseFilters&, const BrowseFilters&) = default;
};

// Every filter neutral: years 1890 .. currentYear, entries since the earliest purchase date.
BrowseFilters NeutralFilters(int currentYear, DayNumber earliestBuyDate);

// The browse list for these filters. The year, mark and purchase-date ranges always apply; the
// watch filters take their minimum or maximum over the titles the earlier filters left.
std::vector<std::uint16_t> RefreshBrowseList(const Collection& c, const BrowseFilters& f, DayNumber today);

} // namespace tavrin
