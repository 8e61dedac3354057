// The open collection: the one owner of the collection the windows show, of what can be undone of
// it, of the file it came from and of whether it has unsaved changes. Windows read it as it is;
// every change goes through the change functions (collection_changes), and after each one the
// collection tells whoever listens what changed.
#pragma once

#include "editing/change_history.h"
#include "store/collection.h"
#include "store/files/file_lock.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {

// What a change did to the collection, for the windows that show it.
struct CollectionNews {
    enum class Cause {
        Done,     // a change made by a command
        Undone,   // EDIT Undo
        Redone,   // EDIT Redo
        Replaced, // another collection altogether: New, Open, a recovery copy
        Saved,    // written to its file: only the unsaved-changes flag and the name changed
    };
    Cause cause = Cause::Replaced;
    std::optional<ChangeKind> kind; // the step done, undone or redone
    bool titlesAdded = false;
    bool titlesRemoved = false;
    bool titlesEdited = false; // some record rewritten in place
    bool retitled = false;     // ... with another title text
    // The one record rewritten in place, when the step touched no other title (Watched Today, an
    // edit): the windows update its line alone.
    std::optional<std::size_t> editedRecord;
    bool order = false; // the master order
    std::array<bool, ListCount> lists{};
    // The title to show afterwards, as a record number (none: whatever the list shows first).
    std::optional<std::size_t> current;

    bool Everything() const { return cause == Cause::Replaced; }
    bool Titles() const { return Everything() || titlesAdded || titlesRemoved || titlesEdited || order; }
    bool List(ListId list) const { return Everything() || lists[static_cast<std::size_t>(list)]; }
    bool AnyList() const;
    // Whether the collection itself changed (not only its saved state).
    bool Data() const { return cause != Cause::Saved; }
};

// What a step changed, read from its patches.
CollectionNews NewsOfStep(const ChangeStep& step, CollectionNews::Cause cause);

// Where a collection that replaces the open one comes from.
enum class Origin {
    New,       // FILES New: empty; the file name stays for the Save rule
    Opened,    // a file of the current version
    Converted, // a file of an older version: saving writes it anew
    Recovered, // the recovery copy a run left that ended without closing
};

// The file an open collection belongs to, as this run found it.
struct FileState {
    std::optional<FileIdentity> identity; // the file as it was read or last written
    std::optional<CollectionLock> lock;   // held while the collection is open
    bool readOnly = false;                // another run has it open: Save is not offered
};

class OpenCollection {
  public:
    OpenCollection() = default;
    // A collection as if just opened from its file (tests, tools).
    explicit OpenCollection(Collection c) : collection_(std::move(c)) {}
    OpenCollection(const OpenCollection&) = delete;
    OpenCollection& operator=(const OpenCollection&) = delete;

    const Collection& Data() const { return collection_; }
    const ChangeHistory& History() const { return history_; }
    // Unsaved changes: derived from the history's saved mark, and set for a collection that is
    // not what its file holds until it is saved.
    bool Modified() const { return history_.Modified(); }
    const std::string& CurrentFileName() const { return collection_.CurrentFileName; }

    // Another collection becomes the open one, with nothing to undo. fileName: the file it belongs
    // to (none: the name stays as it was, as New leaves it), with its state; the lock on the file
    // of the collection replaced goes.
    void Replace(Collection fresh, Origin origin, std::optional<std::string> fileName, FileState file = {});
    // The collection was written to this file, which is now as identity says: it counts as saved.
    // A lock on another file (Save As) replaces the one held; nothing keeps the one held.
    void Saved(const std::string& fileName, std::optional<FileIdentity> identity = std::nullopt,
               std::optional<CollectionLock> lock = std::nullopt);
    // Opened while another run has the file open: Save is not offered (Save As is).
    bool ReadOnly() const { return file_.readOnly; }
    // The file was changed on disk (by another program, another run) since it was read or last
    // written here. A file that is gone is not changed: saving loses nothing of it.
    bool ChangedOnDisk() const;
    // Quitting: the lock on the file goes.
    void ReleaseLock() { file_.lock.reset(); }
    // The earliest purchase date the entry-date filter starts from, worked out again from the
    // titles (not a change of the collection: nothing to undo, nothing announced).
    void RecomputeEarliestBuyDate(DayNumber today) {
        collection_.EarliestBuyDate = EarliestBuyDate(collection_, today);
    }

    // EDIT Undo and Redo; false when there is no step to take.
    bool Undo();
    bool Redo();

    // Listeners are told after every change, in the order they started listening.
    using Listener = std::function<void(const CollectionNews&)>;
    std::size_t Listen(Listener listener);
    void Forget(std::size_t id);

  private:
    // The change functions' way in: the only code that writes the collection.
    friend class CollectionAccess;
    void Announce(const CollectionNews& news);

    Collection collection_;
    ChangeHistory history_;
    FileState file_;
    std::vector<std::pair<std::size_t, Listener>> listeners_;
    std::size_t nextListener_ = 0;
};

} // namespace tavrin
