// What the name-list windows and the command line do to a name list: find an entry by its text,
// pick or add a typed name, delete an entry with the renumbering of every title, rename an entry
// for every title at once, and clean a list of the entries no title uses.
#pragma once

#include "editing/sorted_names.h"
#include "lang/catalogue.h"
#include "store/collection.h"
#include "store/expected.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A typed name as lists store it: without the blanks around it, upper case, at most 49
// characters; empty for a name of blanks alone.
std::string NormalizedName(std::string_view typed);

// The first entry whose text equals the name exactly, or -1.
int LocateEntry(const NameList& list, std::string_view name);

// The field a list fills in the title editor, naming it in messages ("Director").
Msg ListFieldName(ListId list);

// The message that refuses an addition to a full list.
Msg ListFullMessage(ListId list);

struct PickedName {
    int entry = -1;
    bool added = false; // the name was new and has been appended
};

// The editor's OK: the entry whose text equals the typed name (upper-cased), or the name appended
// as a new entry. Refused with "Enter A Name!" for an empty name or one of blanks alone and with the list's
// limit message when the list is full; nothing changes then.
Expected<PickedName, Msg> PickOrAddName(Collection& c, ListId list, std::string_view typed);

// The question asked before a deletion, as 8-bit text in the catalogue's language: "<NAME> IS
// REGISTERED\nON <n> DISCS\nDELETE ANYWAY?" for an entry in use, "DELETE <NAME>?" otherwise.
std::string DeleteQuestion(const MessageCatalogue& catalogue, std::string_view name, std::size_t uses);
// Its caption: the actor chooser and the multimedia chooser have their own.
Msg DeleteCaption(ListId list);

// Called for each title in record order while a deletion checks it.
using TitleProgress = std::function<void(std::size_t record)>;

// Removes entry e of a list: references to e become none, references above e go one lower, in
// every title (every actor slot, the publisher by its low byte). Gives the record numbers of the
// titles that referred to e, in record order, each once. An entry that does not
// exist changes nothing and gives nothing.
std::vector<std::size_t> DeleteEntry(Collection& c, ListId list, int entry,
                                     const TitleProgress& progress = {});

// "Erased in : " in the catalogue's language and the title of record r, 8-bit text.
std::string ErasedInLine(const MessageCatalogue& catalogue, const Collection& c, std::size_t record);

// Renames entry e for every title at once (no record changes). The new text is upper-cased and cut
// to 49 characters; refused with "This Name Already Exist!" when an entry already has exactly that
// text (e itself included, when the text was left as it was) and with "Enter A Name!" when empty.
std::optional<Msg> RenameEntry(Collection& c, ListId list, int entry, std::string_view text);

struct CleanResult {
    // The positions the removed entries had at the moment each was removed, in removal order: what
    // a holder of a reference replays to follow the renumbering (each one: equal becomes none,
    // greater goes one lower).
    std::vector<int> removedAt;
    // The removed entries' texts, in the same order.
    std::vector<std::string> erased;
};

// Called for each entry checked, in order: how many entries are still to check (counting this one)
// and the entry's text.
using EntryProgress = std::function<void(std::size_t remaining, std::string_view text)>;

// Also removed by a cleaning, used or not (the multimedia list: an entry whose file is missing).
using EntryGone = std::function<bool(std::string_view text)>;

// Removes every entry no title refers to (and every one gone says is gone; references to it become
// none), lowering the references above each removed entry. The result, the renumbering and the
// order of the lines are those of checking the entries one by one from the first, removing each
// as it is met; the titles are read once to count the uses and written once to renumber.
CleanResult CleanList(Collection& c, ListId list, const EntryProgress& progress = {},
                      const EntryGone& gone = {});

// "Erased : " in the catalogue's language and a name, 8-bit text.
std::string ErasedLine(const MessageCatalogue& catalogue, std::string_view name);

} // namespace tavrin
