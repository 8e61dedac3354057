// Every change to the open collection goes through here: each function does what its command
// does (through the store, the name-list operations and the title exchange) and records in the
// history what it changed, so that the step can be undone and redone byte for byte.
#pragma once

#include "editing/change_history.h"
#include "editing/name_list_operations.h"
#include "editing/open_collection.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"
#include "store/files/name_list_file.h"
#include "store/title_exchange.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tavrin {

// Every change is made to the open collection, recorded in its history and announced.
using Changes = OpenCollection&;

// ---- Titles ----
// A new title (AddTitle, DuplicateTitle or ImportTitle's own); its record number. Refused when
// the collection is full.
Expected<std::size_t, StoreError> AddTitle(Changes ch, const TitleRecord& t, ChangeKind kind,
                                           std::optional<std::size_t> current);
// Rewrites record r, moving it in the master order when its title changed.
void EditTitle(Changes ch, std::size_t r, const TitleRecord& t);
void DeleteTitle(Changes ch, std::size_t r);
// One more viewing, watched today.
void WatchedToday(Changes ch, std::size_t r, DayNumber today);

// A file name put in multimedia slot 0..3 of record r, appended to the multimedia list when it is
// new there: one step. Refused (nothing changed) when the list is full.
Expected<Done, Msg> SetMediaFile(Changes ch, std::size_t r, std::size_t slot, std::string_view name);

// ---- Name lists ----
// The typed name picked, or appended as a new entry (then one step).
Expected<PickedName, Msg> PickOrAddName(Changes ch, ListId list, std::string_view typed);
std::vector<std::size_t> DeleteEntry(Changes ch, ListId list, int entry, const TitleProgress& progress = {});
std::optional<Msg> RenameEntry(Changes ch, ListId list, int entry, std::string_view text);
CleanResult CleanList(Changes ch, ListId list, const EntryProgress& progress = {},
                      const EntryGone& gone = {});
// A name-list file loaded into a collection without titles; false when it names no list.
bool LoadNameList(Changes ch, const LoadedNameList& loaded);

// ---- Title exchange ----
Expected<std::size_t, ExchangeRefusal> ImportTitle(Changes ch, const TitleFileContents& file, DayNumber today,
                                                   std::optional<std::size_t> current);
Expected<Done, ExchangeRefusal> AddList(Changes ch, Collection other, DayNumber today,
                                        const MergeProgress& progress, std::optional<std::size_t> current);
void RebuildIndex(Changes ch, std::optional<std::size_t> current);

// A change that only appends titles and names and puts the new titles into the master order
// (a merge, a spreadsheet import), recorded as one step. `append` reports whether it changed
// anything; when it did not, nothing is recorded.
bool AppendTitles(Changes ch, ChangeKind kind, std::optional<std::size_t> current, DayNumber today,
                  const std::function<bool(Collection&)>& append);

} // namespace tavrin
