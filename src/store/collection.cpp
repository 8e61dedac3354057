#include "store/collection.h"

#include "store/title_order.h"

#include <algorithm>

namespace tavrin {
namespace {

constexpr std::size_t DirectorRefs[] = {U16Offset("Director")};
constexpr std::size_t ComposerRefs[] = {U16Offset("Composer")};
constexpr std::size_t BoxRefs[] = {U16Offset("Box")};
constexpr std::size_t RetailerRefs[] = {U16Offset("Retailer")};
constexpr std::size_t InfoRefs[] = {U16Offset("Info")};
constexpr std::size_t Info2Refs[] = {U16Offset("Info2")};

void RemoveFromOrder(std::vector<std::uint16_t>& order, std::uint16_t r) {
    order.erase(std::remove(order.begin(), order.end(), r), order.end());
}

void InsertIntoOrder(Collection& c, std::uint16_t r) {
    const std::size_t at = TitleInsertPosition(c.titles, c.ListeIndex, r);
    c.ListeIndex.insert(c.ListeIndex.begin() + static_cast<std::ptrdiff_t>(at), r);
}

std::size_t Capacity(ListId list) { return list == ListId::Publisher ? PublisherListCapacity : NameListCapacity; }

} // namespace

std::string_view ListName(ListId list) {
    static constexpr std::string_view names[] = {"DirectorList", "ActorList",    "ComposerList",
                                                 "BoxList",      "PublisherList", "RetailerList",
                                                 "InfoList",     "Info2List",     "MediaList"};
    return names[static_cast<std::size_t>(list)];
}

std::span<const std::size_t> ReferringOffsets(ListId list) {
    switch (list) {
    case ListId::Director: return DirectorRefs;
    case ListId::Actor: return ActorOffsets;
    case ListId::Composer: return ComposerRefs;
    case ListId::Box: return BoxRefs;
    case ListId::Publisher: return {};
    case ListId::Retailer: return RetailerRefs;
    case ListId::Info: return InfoRefs;
    case ListId::Info2: return Info2Refs;
    case ListId::Media: return MediaOffsets;
    }
    return {};
}

std::string_view NameAt(const NameList& list, int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= list.size()) return {};
    return list[static_cast<std::size_t>(entry)];
}

std::string_view ReferencedName(const Collection& c, const TitleRecord& record, ListId list, int slot) {
    if (list == ListId::Publisher) return NameAt(c.List(list), record.PublisherEntry());
    const auto offsets = ReferringOffsets(list);
    return NameAt(c.List(list), EntryFromStored(record.U16(offsets[static_cast<std::size_t>(slot)])));
}

StoreError AppendTitle(Collection& c, const TitleRecord& record) {
    if (c.titles.size() >= TitleCapacity) return StoreError::CollectionFull;
    c.titles.push_back(record);
    InsertIntoOrder(c, static_cast<std::uint16_t>(c.titles.size() - 1));
    return StoreError::None;
}

void ReplaceTitle(Collection& c, std::size_t r, const TitleRecord& record) {
    const bool moved = c.titles[r].TitleView() != record.TitleView();
    c.titles[r] = record;
    if (moved) {
        RemoveFromOrder(c.ListeIndex, static_cast<std::uint16_t>(r));
        InsertIntoOrder(c, static_cast<std::uint16_t>(r));
    }
}

void DeleteTitle(Collection& c, std::size_t k) {
    if (k >= c.titles.size()) return;
    c.titles.erase(c.titles.begin() + static_cast<std::ptrdiff_t>(k));
    const auto gone = static_cast<std::uint16_t>(k);
    RemoveFromOrder(c.ListeIndex, gone);
    for (auto& r : c.ListeIndex)
        if (r > gone) --r;
}

StoreError AddName(Collection& c, ListId list, std::string_view name, int* entry) {
    auto& names = c.List(list);
    if (names.size() >= Capacity(list)) return StoreError::ListFull;
    names.emplace_back(name.substr(0, NameTextSize - 1));
    if (entry) *entry = static_cast<int>(names.size() - 1);
    return StoreError::None;
}

void RenameName(Collection& c, ListId list, int entry, std::string_view name) {
    auto& names = c.List(list);
    if (entry < 0 || static_cast<std::size_t>(entry) >= names.size()) return;
    names[static_cast<std::size_t>(entry)] = std::string(name.substr(0, NameTextSize - 1));
}

void RemoveName(Collection& c, ListId list, int entry) {
    auto& names = c.List(list);
    if (entry < 0 || static_cast<std::size_t>(entry) >= names.size()) return;
    names.erase(names.begin() + entry);
    if (list == ListId::Publisher) {
        for (auto& t : c.titles) {
            const int p = t.PublisherEntry();
            if (p == entry) t.SetPublisher(-1);
            else if (p > entry) t.SetPublisher(p - 1);
        }
    } else {
        const auto offsets = ReferringOffsets(list);
        for (auto& t : c.titles) {
            for (std::size_t off : offsets) {
                const int v = EntryFromStored(t.U16(off));
                if (v == entry) t.SetU16(off, NoEntry);
                else if (v > entry) t.SetU16(off, static_cast<std::uint16_t>(v - 1));
            }
        }
    }
}

std::size_t NameUseCount(const Collection& c, ListId list, int entry) {
    if (entry < 0) return 0;
    std::size_t uses = 0;
    if (list == ListId::Publisher) {
        for (const auto& t : c.titles) uses += t.PublisherEntry() == entry;
        return uses;
    }
    const auto offsets = ReferringOffsets(list);
    for (const auto& t : c.titles)
        for (std::size_t off : offsets) uses += EntryFromStored(t.U16(off)) == entry;
    return uses;
}

void ClearCollection(Collection& c) {
    c.titles.clear();
    c.ListeIndex.clear();
    for (auto& l : c.lists) l.clear();
}

DayNumber EarliestBuyDate(const Collection& c, DayNumber today) {
    DayNumber earliest = today;
    for (const auto& t : c.titles) earliest = std::min(earliest, t.BuyDate());
    return earliest;
}

} // namespace tavrin
