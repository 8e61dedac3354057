// What can be undone and redone of the changes to the open collection: each step is the patches
// it made, with what stood there before and after, so it can be undone and redone byte for byte.
#pragma once

#include "lang/catalogue.h"
#include "store/collection.h"
#include "store/day_number.h"

#include <cstddef>
#include <cstdint>
#include <deque>
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
    ImportCatalogue,
    AddMediaFile,
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
    // The steps Undo and Redo would take next, if any.
    const ChangeStep* StepToUndo() const { return done_ == 0 ? nullptr : &steps_[done_ - 1]; }
    const ChangeStep* StepToRedo() const { return done_ == steps_.size() ? nullptr : &steps_[done_]; }
    // Puts the collection back as it was before the last step done (as it was after the next one
    // undone) and gives the record to show as current. Nothing to undo (redo): nothing changes.
    std::optional<std::optional<std::size_t>> Undo(Collection& c);
    std::optional<std::optional<std::size_t>> Redo(Collection& c);
    // New, Open, closing: nothing to undo. The collection as it is counts as saved, unless it is
    // not what its file holds (a recovery copy, a file of an older version).
    void Clear(bool saved = true);
    // The collection as it is has just been written to its file.
    void Saved();
    // The unsaved-changes flag: whether the collection differs from what was last saved. Steps
    // that leave what a user would call the collection alone (the master order rebuilt) do not
    // count.
    bool Modified() const;

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

// Whether a step of this kind counts as a change to save.
bool SetsModified(ChangeKind kind);

} // namespace tavrin
