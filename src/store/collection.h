// The open collection: the title store, the nine name lists, the master order and the state
// around them. Every operation here keeps the references between titles and names consistent.
#pragma once

#include "store/day_number.h"
#include "store/title_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// Record numbers and the title count are stored as u16 in files.
inline constexpr std::size_t TitleCapacity = 65535;
inline constexpr std::size_t NameTextSize = 50; // a name slot: 49 characters and the NUL
inline constexpr std::size_t NameListCapacity = MaxEntryNumber + 1;
inline constexpr std::size_t PublisherListCapacity = NoPublisher; // entries 0 .. 254

// The nine name lists, in the order titles refer to them.
enum class ListId { Director, Actor, Composer, Box, Publisher, Retailer, Info, Info2, Media };
inline constexpr std::size_t ListCount = 9;
inline constexpr std::array<ListId, ListCount> AllLists{ListId::Director, ListId::Actor,    ListId::Composer,
                                                       ListId::Box,      ListId::Publisher, ListId::Retailer,
                                                       ListId::Info,     ListId::Info2,     ListId::Media};

// "DirectorList" .. "MediaList".
std::string_view ListName(ListId list);
// Record offsets of the 16-bit fields that refer to a list (the publisher's low byte aside).
std::span<const std::size_t> ReferringOffsets(ListId list);

// Names in entry-number order, upper case, 8-bit text.
using NameList = std::vector<std::string>;

struct Collection {
    std::vector<TitleRecord> titles;         // records 0 .. n-1, no gaps
    std::array<NameList, ListCount> lists{}; // indexed by ListId
    std::vector<std::uint16_t> ListeIndex;   // master order: every record number once, in title order
    std::string CurrentFileName;
    DayNumber EarliestBuyDate = 0;

    std::size_t Count() const { return titles.size(); }
    NameList& List(ListId id) { return lists[static_cast<std::size_t>(id)]; }
    const NameList& List(ListId id) const { return lists[static_cast<std::size_t>(id)]; }
    TitleRecord& RecordAt(std::size_t r) { return titles[r]; }
    const TitleRecord& RecordAt(std::size_t r) const { return titles[r]; }
};

// The name at a 16-bit reference, or the empty text for none or a number beyond the list.
std::string_view NameAt(const NameList& list, int entry);
// The text a title shows for a list field (the publisher by its low byte; actors: slot 0).
std::string_view ReferencedName(const Collection& c, const TitleRecord& record, ListId list, int slot = 0);

enum class StoreError { None, CollectionFull, ListFull };

// Appends a title at record number n and places it in the master order.
StoreError AppendTitle(Collection& c, const TitleRecord& record);
// Rewrites record r; re-places it in the master order when its title text changed.
void ReplaceTitle(Collection& c, std::size_t r, const TitleRecord& record);
// Removes record k: later records move down, master-order entries above k drop by one.
void DeleteTitle(Collection& c, std::size_t k);

// Appends a name (taken as given: callers upper-case typed names); returns its entry number.
StoreError AddName(Collection& c, ListId list, std::string_view name, int* entry = nullptr);
void RenameName(Collection& c, ListId list, int entry, std::string_view name);
// Removes entry e: references to e become none, references above e drop by one, in every title.
void RemoveName(Collection& c, ListId list, int entry);

// Number of titles referring to entry e (a title naming an actor twice counts twice).
std::size_t NameUseCount(const Collection& c, ListId list, int entry);

// Empties the collection (New): no titles, empty order and lists. State flags are the caller's.
void ClearCollection(Collection& c);

// The smaller of today and every title's BuyDate.
DayNumber EarliestBuyDate(const Collection& c, DayNumber today);

} // namespace tavrin
