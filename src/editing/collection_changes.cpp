#include "editing/collection_changes.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace tavrin {

// The one door through which the collection is written: the change functions below, each of which
// records what it did as one step.
class CollectionAccess {
  public:
    static Collection& Of(OpenCollection& open) { return open.collection_; }
    // A command that found nothing to change, told all the same: the windows follow it as they
    // follow the command's changes.
    static void Unchanged(OpenCollection& open, ChangeKind kind, std::optional<std::size_t> current) {
        CollectionNews news;
        news.cause = CollectionNews::Cause::Done;
        news.kind = kind;
        news.current = current;
        open.Announce(news);
    }
    static void Record(OpenCollection& open, ChangeStep step) {
        CollectionNews news = NewsOfStep(step, CollectionNews::Cause::Done);
        open.history_.Record(std::move(step));
        open.Announce(news);
    }
};

namespace {

std::uint32_t OrderPosition(const Collection& c, std::size_t r) {
    const auto at = std::find(c.ListeIndex.begin(), c.ListeIndex.end(), static_cast<std::uint16_t>(r));
    return static_cast<std::uint32_t>(at - c.ListeIndex.begin());
}

// The 16-bit fields that refer to a list (the publisher's whole stored value), of every title.
std::vector<std::size_t> ReferenceOffsets(ListId list) {
    if (list == ListId::Publisher) return {PublisherOffset};
    const auto offsets = ReferringOffsets(list);
    return {offsets.begin(), offsets.end()};
}

std::vector<std::uint16_t> ReferenceColumn(const Collection& c, std::span<const std::size_t> offsets) {
    std::vector<std::uint16_t> column;
    column.reserve(c.Count() * offsets.size());
    for (const auto& t : c.titles)
        for (const std::size_t off : offsets)
            column.push_back(t.U16(off));
    return column;
}

patch::Fields ChangedReferences(const Collection& c, std::span<const std::size_t> offsets,
                                const std::vector<std::uint16_t>& before) {
    patch::Fields changed;
    std::size_t i = 0;
    for (std::size_t r = 0; r < c.Count(); ++r)
        for (const std::size_t off : offsets) {
            const std::uint16_t now = c.titles[r].U16(off);
            if (now != before[i])
                changed.push_back(
                    {static_cast<std::uint16_t>(r), static_cast<std::uint8_t>(off), before[i], now});
            ++i;
        }
    return changed;
}

// What a step is being made of, from the state before it.
class StepMaker {
  public:
    StepMaker(Changes ch, ChangeKind kind, std::optional<std::size_t> current) : ch_(ch) {
        step_.kind = kind;
        step_.currentBefore = current;
        step_.currentAfter = current;
        step_.earliestBefore = ch.Data().EarliestBuyDate;
    }
    void Add(Patch p) { step_.patches.push_back(std::move(p)); }
    void Current(std::optional<std::size_t> r) { step_.currentAfter = r; }
    // Names appended to any list since `sizes` were taken.
    void NamesAppended(const std::array<std::size_t, ListCount>& sizes) {
        for (const ListId list : AllLists) {
            const auto& names = ch_.Data().List(list);
            for (std::size_t e = sizes[static_cast<std::size_t>(list)]; e < names.size(); ++e)
                Add(patch::NameAt{list, static_cast<std::uint32_t>(e), names[e], true});
        }
    }
    void Done() {
        if (step_.patches.empty()) return;
        step_.earliestAfter = ch_.Data().EarliestBuyDate;
        CollectionAccess::Record(ch_, std::move(step_));
    }

  private:
    Changes ch_;
    ChangeStep step_;
};

std::array<std::size_t, ListCount> ListSizes(const Collection& c) {
    std::array<std::size_t, ListCount> sizes{};
    for (const ListId list : AllLists)
        sizes[static_cast<std::size_t>(list)] = c.List(list).size();
    return sizes;
}

} // namespace

// ---- Titles ----

Expected<std::size_t, StoreError> AddTitle(Changes ch, const TitleRecord& t, ChangeKind kind,
                                           std::optional<std::size_t> current) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, kind, current);
    const auto r = static_cast<std::uint16_t>(c.Count());
    if (const StoreError e = tavrin::AppendTitle(c, t); e != StoreError::None) return Unexpected{e};
    c.EarliestBuyDate = std::min(c.EarliestBuyDate, t.BuyDate());
    step.Add(patch::RecordAt{r, t, true});
    step.Add(patch::OrderAt{OrderPosition(c, r), r, true});
    step.Current(r);
    step.Done();
    return r;
}

void EditTitle(Changes ch, std::size_t r, const TitleRecord& t) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, ChangeKind::EditTitle, r);
    const TitleRecord before = c.RecordAt(r);
    const std::uint32_t from = OrderPosition(c, r);
    tavrin::ReplaceTitle(c, r, t);
    c.EarliestBuyDate = std::min(c.EarliestBuyDate, t.BuyDate());
    const auto record = static_cast<std::uint16_t>(r);
    const std::uint32_t to = OrderPosition(c, r);
    step.Add(patch::Record{record, before, t});
    if (from != to) {
        step.Add(patch::OrderAt{from, record, false});
        step.Add(patch::OrderAt{to, record, true});
    }
    step.Done();
}

void DeleteTitle(Changes ch, std::size_t r) {
    Collection& c = CollectionAccess::Of(ch);
    if (r >= c.Count()) return;
    StepMaker step(ch, ChangeKind::DeleteTitle, r);
    const auto record = static_cast<std::uint16_t>(r);
    step.Add(patch::OrderAt{OrderPosition(c, r), record, false});
    step.Add(patch::RecordAt{record, c.RecordAt(r), false});
    tavrin::DeleteTitle(c, r);
    step.Current(std::nullopt);
    step.Done();
}

void WatchedToday(Changes ch, std::size_t r, DayNumber today) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, ChangeKind::WatchedToday, r);
    const TitleRecord before = c.RecordAt(r);
    TitleRecord& t = c.RecordAt(r);
    // The count is kept within what the editor accepts.
    if (t.Viewings() < 32000) t.SetViewings(static_cast<std::uint16_t>(t.Viewings() + 1));
    t.SetWatchDate(today);
    step.Add(patch::Record{static_cast<std::uint16_t>(r), before, t});
    step.Done();
}

Expected<Done, Msg> SetMediaFile(Changes ch, std::size_t r, std::size_t slot, std::string_view name) {
    Collection& c = CollectionAccess::Of(ch);
    if (r >= c.Count() || slot >= MediaOffsets.size()) return Done{};
    StepMaker step(ch, ChangeKind::AddMediaFile, r);
    const auto sizes = ListSizes(c);
    const auto picked = tavrin::PickOrAddName(c, ListId::Media, name);
    if (!picked) return Unexpected{picked.error()};
    step.NamesAppended(sizes);
    const TitleRecord before = c.RecordAt(r);
    c.RecordAt(r).SetU16(MediaOffsets[slot], StoredFromEntry(picked->entry));
    step.Add(patch::Record{static_cast<std::uint16_t>(r), before, c.RecordAt(r)});
    step.Done();
    return Done{};
}

// ---- Name lists ----

Expected<PickedName, Msg> PickOrAddName(Changes ch, ListId list, std::string_view typed) {
    StepMaker step(ch, ChangeKind::AddName, std::nullopt);
    const auto sizes = ListSizes(ch.Data());
    auto picked = tavrin::PickOrAddName(CollectionAccess::Of(ch), list, typed);
    step.NamesAppended(sizes);
    step.Done();
    return picked;
}

std::vector<std::size_t> DeleteEntry(Changes ch, ListId list, int entry, const TitleProgress& progress) {
    Collection& c = CollectionAccess::Of(ch);
    if (entry < 0 || static_cast<std::size_t>(entry) >= c.List(list).size()) return {};
    StepMaker step(ch, ChangeKind::DeleteEntry, std::nullopt);
    const std::string name = c.List(list)[static_cast<std::size_t>(entry)];
    const auto offsets = ReferenceOffsets(list);
    const auto before = ReferenceColumn(c, offsets);
    auto erasedIn = tavrin::DeleteEntry(c, list, entry, progress);
    step.Add(patch::NameAt{list, static_cast<std::uint32_t>(entry), name, false});
    step.Add(ChangedReferences(c, offsets, before));
    step.Done();
    return erasedIn;
}

std::optional<Msg> RenameEntry(Changes ch, ListId list, int entry, std::string_view text) {
    Collection& c = CollectionAccess::Of(ch);
    if (entry < 0 || static_cast<std::size_t>(entry) >= c.List(list).size())
        return tavrin::RenameEntry(c, list, entry, text);
    const std::string before = c.List(list)[static_cast<std::size_t>(entry)];
    if (auto refusal = tavrin::RenameEntry(c, list, entry, text)) return refusal;
    StepMaker step(ch, ChangeKind::RenameEntry, std::nullopt);
    step.Add(patch::Name{list, static_cast<std::uint32_t>(entry), before,
                         c.List(list)[static_cast<std::size_t>(entry)]});
    step.Done();
    return std::nullopt;
}

CleanResult CleanList(Changes ch, ListId list, const EntryProgress& progress, const EntryGone& gone) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, ChangeKind::CleanList, std::nullopt);
    NameList names = c.List(list);
    const auto offsets = ReferenceOffsets(list);
    const auto before = ReferenceColumn(c, offsets);
    auto result = tavrin::CleanList(c, list, progress, gone);
    if (!result.removedAt.empty()) {
        step.Add(patch::Names{list, std::move(names), c.List(list)});
        step.Add(ChangedReferences(c, offsets, before));
    }
    step.Done();
    return result;
}

bool LoadNameList(Changes ch, const LoadedNameList& loaded) {
    Collection& c = CollectionAccess::Of(ch);
    if (!c.titles.empty()) return false;
    if (!loaded.list) return true;
    StepMaker step(ch, ChangeKind::LoadNameList, std::nullopt);
    NameList before = c.List(*loaded.list);
    ApplyNameList(c, loaded);
    step.Add(patch::Names{*loaded.list, std::move(before), c.List(*loaded.list)});
    step.Done();
    return true;
}

// ---- Title exchange ----

Expected<std::size_t, ExchangeRefusal> ImportTitle(Changes ch, const TitleFileContents& file, DayNumber today,
                                                   std::optional<std::size_t> current) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, ChangeKind::ImportTitle, current);
    const auto sizes = ListSizes(c);
    auto imported = tavrin::ImportTitle(c, file, today);
    if (!imported) return imported;
    c.EarliestBuyDate = EarliestBuyDate(c, today);
    step.NamesAppended(sizes);
    const auto r = static_cast<std::uint16_t>(*imported);
    step.Add(patch::RecordAt{r, c.RecordAt(r), true});
    step.Add(patch::OrderAt{OrderPosition(c, r), r, true});
    step.Current(r);
    step.Done();
    return imported;
}

Expected<Done, ExchangeRefusal> AddList(Changes ch, Collection other, DayNumber today,
                                        const MergeProgress& progress, std::optional<std::size_t> current) {
    Expected<Done, ExchangeRefusal> merged = Done{};
    AppendTitles(ch, ChangeKind::AddList, current, today, [&](Collection& c) {
        const std::size_t from = c.Count();
        merged = MergeCollection(c, std::move(other), progress);
        return merged && c.Count() != from;
    });
    return merged;
}

bool AppendTitles(Changes ch, ChangeKind kind, std::optional<std::size_t> current, DayNumber today,
                  const std::function<bool(Collection&)>& append) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, kind, current);
    const auto sizes = ListSizes(c);
    const std::size_t from = c.Count();
    std::vector<std::uint16_t> order = c.ListeIndex;
    if (!append(c)) return false;
    c.EarliestBuyDate = EarliestBuyDate(c, today);
    step.NamesAppended(sizes);
    step.Add(
        patch::RecordsAppended{from, {c.titles.begin() + static_cast<std::ptrdiff_t>(from), c.titles.end()}});
    step.Add(patch::Order{std::move(order), c.ListeIndex});
    // The first new title is the one to show.
    step.Current(from);
    step.Done();
    return true;
}

void RebuildIndex(Changes ch, std::optional<std::size_t> current) {
    Collection& c = CollectionAccess::Of(ch);
    StepMaker step(ch, ChangeKind::RebuildIndex, current);
    std::vector<std::uint16_t> order = c.ListeIndex;
    tavrin::RebuildIndex(c);
    if (order == c.ListeIndex) {
        CollectionAccess::Unchanged(ch, ChangeKind::RebuildIndex, current);
        return;
    }
    step.Add(patch::Order{std::move(order), c.ListeIndex});
    step.Done();
}

} // namespace tavrin
