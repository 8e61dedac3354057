// The rules of the filter controls that change more than their own value: the year and mark
// bounds, the entry-date fields, the actor choice, the medium and the DVD shortcuts, the name
// selections. The window reads its controls, calls one of these, and shows the result.
#pragma once

#include "app/browse/browse_filters.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <optional>

namespace tavrin {

// ---- Year bounds ----
// Typing a "from" year: above "to" it becomes "to"; the list refreshes when it is at least 1890.
struct YearTyped {
    int year;
    bool refresh;
};
YearTyped TypedFromYear(int typed, int to);
// Typing a "to" year: above the current year it becomes the current year; refreshes above 1890.
YearTyped TypedToYear(int typed, int currentYear);
// Leaving "to": below "from" it takes "from" and the list refreshes.
std::optional<int> LeftToYear(int to, int from);

// ---- Mark bounds (0 .. 5) ----
// Where a moved bar ends: never above its high bar (low) or below its low bar (high).
int MovedLowMark(int low, int high);
int MovedHighMark(int high, int low);

// ---- Entry-date fields ----
enum class DateField { Day, Month, Year };
struct DateFieldFix {
    Msg message;    // "Day invalid!", "Month invalid!" or "Year invalid!"
    int correction; // the left field's new value: 1, or the current year
};
// Leaving one of the three fields: nothing when they form a valid date.
std::optional<DateFieldFix> CheckEntryDateField(int day, int month, int year, DateField left,
                                                int currentYear);
// "GO": a date before the earliest purchase date or after today is brought back into range.
DayNumber ClampEntryDate(DayNumber entered, DayNumber earliest, DayNumber today);

// ---- Actors (up to three, kept without gaps) ----
int FilterActorCount(const BrowseFilters& f);
enum class ActorAdded { Added, AlreadyChosen, Full };
ActorAdded AddFilterActor(BrowseFilters& f, int entry);
// Removes the actor at position 0 .. 2; the later ones move up.
void RemoveFilterActor(BrowseFilters& f, int position);
// The actor list lost entry `removed`: a filter actor on it is dropped, those above it follow it
// down one place. True when the filter changed.
bool FollowRemovedActor(BrowseFilters& f, int removed);

// ---- Medium and DVD shortcuts ----
// A new medium puts the zone filter back to its neutral item; the zone applies to DVD only.
void ChooseSupport(BrowseFilters& f, int item);
inline constexpr int SupportItemDvd = 1; // "DVD" in the medium filter
// Choosing an ALL DD (ALL MPEG) language sets every single Dolby Digital and MPEG filter and the
// other ALL filter to "All Lang.".
void ChooseAllDd(BrowseFilters& f, int item);
void ChooseAllMpeg(BrowseFilters& f, int item);

// ---- Name selections ----
// The selection of a list's filter; nothing for the actors (up to three) and the multimedia
// files (no filter).
int* NameSelection(BrowseFilters& f, ListId list);
const int* NameSelection(const BrowseFilters& f, ListId list);
// The selection that keeps the titles without an entry: 0xFFFF, or 255 for the publisher.
int NoEntrySelection(ListId list);
// The caption of a filter field without a selection ("All Directors", ..).
Msg NeutralNameCaption(ListId list);

} // namespace tavrin
