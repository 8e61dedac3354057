#include "store/title_exchange.h"

#include "store/large_blocks.h"
#include "store/title_order.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace tavrin {
namespace {

constexpr std::size_t PublisherRefs[] = {PublisherOffset};

// The record offsets a list's references sit at, the publisher's among them.
std::span<const std::size_t> RelinkedOffsets(ListId list) {
    return list == ListId::Publisher ? std::span<const std::size_t>(PublisherRefs) : ReferringOffsets(list);
}

int EntryAt(const TitleRecord& t, ListId list, std::size_t offset) {
    return list == ListId::Publisher ? t.PublisherEntry() : EntryFromStored(t.U16(offset));
}

void StoreEntry(TitleRecord& t, ListId list, std::size_t offset, int entry) {
    if (list == ListId::Publisher)
        t.SetPublisher(entry);
    else
        t.SetU16(offset, StoredFromEntry(entry));
}

// The sections of a collection file, in file order: the order in which a merge re-links.
constexpr ListId MergeOrder[] = {ListId::Director, ListId::Actor,    ListId::Composer,
                                 ListId::Box,      ListId::Info,     ListId::Publisher,
                                 ListId::Media,    ListId::Retailer, ListId::Info2};

using Linkers = std::array<std::optional<NameLinker>, ListCount>;

NameLinker& LinkerFor(Linkers& linkers, const Collection& c, ListId list) {
    auto& slot = linkers[static_cast<std::size_t>(list)];
    if (!slot) slot.emplace(c.List(list), list);
    return *slot;
}

// The first list whose new names do not fit, if any.
std::optional<ExchangeRefusal> FullList(const Linkers& linkers) {
    for (ListId list : AllLists) {
        const auto& linker = linkers[static_cast<std::size_t>(list)];
        if (linker && !linker->Fits()) return ExchangeRefusal{StoreError::ListFull, list};
    }
    return std::nullopt;
}

// Every list takes its new names (FullList found room for them).
void CommitNames(Collection& c, const Linkers& linkers) {
    for (ListId list : AllLists)
        if (const auto& linker = linkers[static_cast<std::size_t>(list)]) linker->Commit(c.List(list));
}

} // namespace

NameLinker::NameLinker(const NameList& list, ListId id)
    : list_(list), storable_(id == ListId::Publisher ? PublisherListCapacity : NameListCapacity) {
    const std::size_t indexed = std::min(list.size(), storable_);
    index_.reserve(indexed);
    // emplace keeps the first entry of a text: the lowest.
    for (std::size_t e = 0; e < indexed; ++e)
        index_.emplace(list[e], static_cast<int>(e));
}

int NameLinker::FindOrAppend(std::string_view name) {
    if (const auto found = index_.find(name); found != index_.end()) return found->second;
    const int entry = static_cast<int>(list_.size() + appended_.size());
    appended_.emplace_back(name);
    index_.emplace(appended_.back(), entry);
    return entry;
}

bool NameLinker::Fits() const {
    return appended_.empty() || list_.size() + appended_.size() <= storable_;
}

void NameLinker::Commit(NameList& list) const {
    list.insert(list.end(), appended_.begin(), appended_.end());
}

std::vector<std::uint8_t> ExportTitle(const Collection& c, std::size_t r) {
    TitleRecord record = c.RecordAt(r);
    RepairExportedReferences(c, record);
    return SerializeTitleFile(c, record);
}

Expected<std::size_t, ExchangeRefusal> ImportTitle(Collection& c, const TitleFileContents& file,
                                                   DayNumber today) {
    if (c.Count() >= TitleCapacity) return Unexpected{ExchangeRefusal{StoreError::CollectionFull}};
    TitleRecord t = file.record;
    Linkers linkers;
    for (std::size_t i = 0; i < TitleFileSlots.size(); ++i) {
        const auto& slot = TitleFileSlots[i];
        if (!file.names[i]) {
            ClearSlot(t, slot);
            continue;
        }
        StoreEntry(t, slot.list, slot.offset, LinkerFor(linkers, c, slot.list).FindOrAppend(*file.names[i]));
    }
    if (auto refusal = FullList(linkers)) return Unexpected{*refusal};
    CommitNames(c, linkers);

    t.SetRetailer(NoEntry);
    for (std::size_t off : MediaOffsets)
        t.SetU16(off, NoEntry);
    t.SetViewings(0);
    t.SetUsed(false);
    t.SetBuyDate(today);
    t.SetWatchDate(today);
    AppendTitle(c, t);
    c.EarliestBuyDate = std::min(c.EarliestBuyDate, today);
    return c.Count() - 1;
}

bool CanMerge(const Collection& c, std::size_t m) {
    return c.Count() + m < TitleCapacity;
}

Expected<Done, ExchangeRefusal> MergeCollection(Collection& c, Collection other,
                                                const MergeProgress& progress) {
    const std::size_t m = other.titles.size();
    if (!CanMerge(c, m)) return Unexpected{ExchangeRefusal{StoreError::CollectionFull}};
    if (m == 0) return Done{};
    const auto& records = other.titles;

    // The references are read out of the records in one pass, one column per reference field,
    // re-linked column by column (a list's fields in record order, field after field: the order
    // in which new names are appended), and written into the new records in one more pass.
    struct Field {
        ListId list;
        std::size_t offset;
    };
    std::vector<Field> fields;
    for (ListId list : MergeOrder)
        if (list != ListId::Media)
            for (std::size_t off : RelinkedOffsets(list))
                fields.push_back({list, off});
    std::vector<std::vector<int>> columns(fields.size(), std::vector<int>(m));
    for (std::size_t j = 0; j < m; ++j)
        for (std::size_t f = 0; f < fields.size(); ++f)
            columns[f][j] = EntryAt(records[j], fields[f].list, fields[f].offset);

    Linkers linkers;
    constexpr int Unmapped = -2;
    std::vector<int> mapped;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const ListId list = fields[f].list;
        const NameList& from = other.List(list);
        NameLinker& linker = LinkerFor(linkers, c, list);
        // Each entry of the file's list is looked up once, when a title first refers to it.
        if (f == 0 || fields[f - 1].list != list) mapped.assign(from.size(), Unmapped);
        for (std::size_t j = 0; j < m; ++j) {
            if (progress) progress(j);
            int& v = columns[f][j];
            if (v < 0 || static_cast<std::size_t>(v) >= from.size()) {
                v = -1;
                continue;
            }
            int& to = mapped[static_cast<std::size_t>(v)];
            if (to == Unmapped) to = linker.FindOrAppend(from[static_cast<std::size_t>(v)]);
            v = to;
        }
    }
    if (auto refusal = FullList(linkers)) return Unexpected{*refusal};

    // The grown store and master order are made aside and take their place only at the end, so
    // that running out of memory on the way leaves the collection as it was. The store grows into
    // a fresh block rather than by reallocation, which would fault in the new memory page by page.
    const std::size_t n = c.Count();
    std::vector<TitleRecord> titles;
    ReserveLargeBlock(titles, n + m);
    titles.insert(titles.end(), c.titles.begin(), c.titles.end());
    titles.insert(titles.end(), records.begin(), records.end());
    for (std::size_t j = 0; j < m; ++j) {
        TitleRecord& t = titles[n + j];
        for (std::size_t f = 0; f < fields.size(); ++f)
            StoreEntry(t, fields[f].list, fields[f].offset, columns[f][j]);
        for (std::size_t off : MediaOffsets)
            t.SetU16(off, NoEntry);
    }

    // The new titles in title order, then merged into the master order: the order that inserting
    // each at its place gives, without moving the whole list once per title. The file's own master
    // order is that order already when this program saved the file; it is checked, not trusted.
    const auto heads = TitleHeads(titles);
    const auto before = [&titles, &heads](std::uint16_t a, std::uint16_t b) {
        return TitleSortsBefore(titles, heads, a, b);
    };
    std::vector<std::uint16_t> added(other.ListeIndex.begin(), other.ListeIndex.end());
    const bool inRange =
        added.size() == m && std::all_of(added.begin(), added.end(), [m](std::uint16_t r) { return r < m; });
    for (auto& r : added)
        r = static_cast<std::uint16_t>(r + n);
    // Strictly rising: no record twice, so with m records below m, every one once.
    const auto notRising = [&before](std::uint16_t a, std::uint16_t b) { return !before(a, b); };
    if (!inRange || std::adjacent_find(added.begin(), added.end(), notRising) != added.end()) {
        added = SortedTitleOrder(std::span<const TitleRecord>(titles).subspan(n));
        for (auto& r : added)
            r = static_cast<std::uint16_t>(r + n);
    }
    if (progress)
        for (std::size_t j = 0; j < m; ++j)
            progress(j);
    std::vector<std::uint16_t> order;
    order.reserve(c.ListeIndex.size() + m);
    std::merge(c.ListeIndex.begin(), c.ListeIndex.end(), added.begin(), added.end(),
               std::back_inserter(order), before);

    CommitNames(c, linkers);
    c.titles = std::move(titles);
    c.ListeIndex = std::move(order);
    return Done{};
}

void RebuildIndex(Collection& c) {
    c.ListeIndex = SortedTitleOrder(c.titles);
}

} // namespace tavrin
