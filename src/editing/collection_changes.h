// Every change to the open collection goes through here: each function does what its command
// does (through the store, the name-list operations and the title exchange) and records in the
// history what it changed, so that the step can be undone and redone byte for byte.
#pragma once

#include "editing/name_list_operations.h"
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

// What a step did, as the EDIT menu names it ("Undo Delete Title").
enum class ChangeKind {
    AddTitle,
    EditTitle,
    DuplicateTitle,
    DeleteTitle,
    WatchedToday,
    AddName,
    DeleteEntry,
    RenameEntry,
    CleanList,
    LoadNameList,
    ImportTitle,
    AddList,
    RebuildIndex,
    ImportTable,
};

// "Delete Title": what the EDIT menu says after "Undo" and "Redo".
Msg ChangeName(ChangeKind kind);

// The pieces a step changed, each with what stood there before and after.
namespace patch {
// Record r rewritten in place.
struct Record {
    std::uint16_t r;
    TitleRecord before, after;
};
// Record r inserted (or, with inserted false, removed); the master-order entries at or above r
// move up one (down one) with it.
struct RecordAt {
    std::uint16_t r;
    TitleRecord record;
    bool inserted;
};
// Records appended from record `from` on.
struct RecordsAppended {
    std::size_t from;
    std::vector<TitleRecord> records;
};
// A record number inserted into (removed from) the master order at a position.
struct OrderAt {
    std::uint32_t position;
    std::uint16_t r;
    bool inserted;
};
struct Order {
    std::vector<std::uint16_t> before, after;
};
// A name inserted into (removed from) a list at an entry, no reference renumbered.
struct NameAt {
    ListId list;
    std::uint32_t entry;
    std::string name;
    bool inserted;
};
struct Name {
    ListId list;
    std::uint32_t entry;
    std::string before, after;
};
struct Names {
    ListId list;
    NameList before, after;
};
// 16-bit reference fields that changed, for a renumbering.
struct Field {
    std::uint16_t r;
    std::uint8_t offset;
    std::uint16_t before, after;
};
using Fields = std::vector<Field>;
} // namespace patch

using Patch = std::variant<patch::Record, patch::RecordAt, patch::RecordsAppended, patch::OrderAt,
                           patch::Order, patch::NameAt, patch::Name, patch::Names, patch::Fields>;

struct ChangeStep {
    ChangeKind kind;
    std::vector<Patch> patches;                             // in the order they were done
    std::optional<std::size_t> currentBefore, currentAfter; // the title shown, as a record number
    DayNumber earliestBefore = 0, earliestAfter = 0;
    std::size_t bytes = 0;
};

// The steps done and undone since the collection was opened. Holds up to MaxSteps steps within
// MaxBytes; older steps are forgotten first.
class ChangeHistory {
  public:
    static constexpr std::size_t MaxSteps = 1000;
    static constexpr std::size_t MaxBytes = std::size_t{64} << 20;

    std::optional<ChangeKind> NextUndo() const;
    std::optional<ChangeKind> NextRedo() const;
    // Puts the collection back as it was before the last step done (as it was after the next one
    // undone) and gives the record to show as current. Modified is cleared when the collection is
    // back where it was last saved, and set otherwise. Nothing to undo (redo): nothing changes.
    std::optional<std::optional<std::size_t>> Undo(Collection& c);
    std::optional<std::optional<std::size_t>> Redo(Collection& c);
    // New, Open, closing: nothing to undo, and the collection as it is counts as saved.
    void Clear();
    // The collection as it is has just been written to its file.
    void Saved();

    std::size_t StepCount() const { return steps_.size(); }
    // Counts every step done, undone or redone and every Clear: the same number again means the
    // collection has not changed in between.
    std::uint64_t Generation() const { return generation_; }
    std::size_t Bytes() const { return bytes_; }

    // A step done: the steps undone before it are forgotten.
    void Record(ChangeStep step);

  private:
    std::deque<ChangeStep> steps_;
    std::size_t done_ = 0;                 // steps_[0 .. done_) are done
    std::optional<std::size_t> saved_ = 0; // done_ at the last save; nothing when forgotten
    std::size_t bytes_ = 0;
    std::uint64_t generation_ = 0;
};

// The open collection with its history.
struct Changes {
    Collection& collection;
    ChangeHistory& history;
};

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
