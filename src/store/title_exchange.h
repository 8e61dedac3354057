// Moving titles between collections and repairing the title order: exporting a title with its
// names, importing a title file, merging a whole collection ("Add A List"), rebuilding the master
// order. Names are re-linked by find-or-append: the lowest entry whose text is exactly the name
// (case counts), or the name appended at the end of its list; entries never move.
#pragma once

#include "store/collection.h"
#include "store/day_number.h"
#include "store/expected.h"
#include "store/files/title_file.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavrin {

// Why an import or a merge added nothing.
struct ExchangeRefusal {
    StoreError error = StoreError::None; // CollectionFull, or ListFull for list
    ListId list = ListId::Director;
};

// Find-or-append over one name list, with a hash index of its texts: the lowest entry of each
// text, and the texts found missing so far in the order they were first asked for. Nothing is
// appended to the list until Commit, so a refusal can still leave everything as it was.
class NameLinker {
  public:
    // list must outlive the linker and not change before Commit.
    NameLinker(const NameList& list, ListId id);
    // The entry the name will have: an existing one, or a place after the list's end.
    int FindOrAppend(std::string_view name);
    // How many names FindOrAppend has placed after the end.
    std::size_t Appended() const { return appended_.size(); }
    // False when the appended names take the list past what its references can hold (65001
    // entries; publishers 255).
    bool Fits() const;
    // Appends the missing names to the list they were looked up in.
    void Commit(NameList& list) const;

  private:
    const NameList& list_;
    std::size_t storable_; // entries from this number on cannot be stored in a reference
    std::unordered_map<std::string_view, int> index_; // views into list_ and appended_
    std::deque<std::string> appended_;                // a deque: its texts never move
};

// Export A Title: the title file's bytes of record r, with every exported reference that names no
// entry written as none. The collection is only read.
std::vector<std::uint8_t> ExportTitle(const Collection& c, std::size_t r);

// Import A Title: appends the title of a title file with its names re-linked, no retailer and no
// multimedia files, no viewings, not second-hand, bought and watched today; places it in the master
// order. Gives its record number. A full collection or a name that would take
// its list past its limit adds nothing and changes nothing.
Expected<std::size_t, ExchangeRefusal> ImportTitle(Collection& c, const TitleFileContents& file,
                                                   DayNumber today);

// Called with the record (0 .. m-1 of the merged collection) being handled.
using MergeProgress = std::function<void(std::size_t record)>;

// True when a collection of m titles may be merged into c (n + m stays below TitleCapacity).
bool CanMerge(const Collection& c, std::size_t m);

// Add A List: appends every title of other (records in its order) with every name reference
// re-linked into c's lists (multimedia files dropped, retailers kept), places them in the master
// order. A reference that names no entry of other's list
// becomes none. Refused, with nothing changed, when c cannot take the titles or a list cannot take
// its new names.
Expected<Done, ExchangeRefusal> MergeCollection(Collection& c, Collection other,
                                                const MergeProgress& progress = {});

// Re-Building Index: the master order rebuilt from the title texts.
void RebuildIndex(Collection& c);

} // namespace tavrin
