#include "editing/collection_changes.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace tavrin {
namespace {

std::uint32_t OrderPosition(const Collection& c, std::size_t r) {
    const auto at = std::find(c.ListeIndex.begin(), c.ListeIndex.end(), static_cast<std::uint16_t>(r));
    return static_cast<std::uint32_t>(at - c.ListeIndex.begin());
}

std::size_t NamesBytes(const NameList& names) {
    std::size_t bytes = names.size() * sizeof(std::string);
    for (const auto& n : names)
        bytes += n.size();
    return bytes;
}

std::size_t PatchBytes(const Patch& p) {
    return std::visit(
        [](const auto& v) -> std::size_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, patch::RecordsAppended>)
                return v.records.size() * TitleRecordSize;
            else if constexpr (std::is_same_v<T, patch::Order>)
                return (v.before.size() + v.after.size()) * sizeof(std::uint16_t);
            else if constexpr (std::is_same_v<T, patch::NameAt>)
                return sizeof v + v.name.size();
            else if constexpr (std::is_same_v<T, patch::Name>)
                return sizeof v + v.before.size() + v.after.size();
            else if constexpr (std::is_same_v<T, patch::Names>)
                return NamesBytes(v.before) + NamesBytes(v.after);
            else if constexpr (std::is_same_v<T, patch::Fields>)
                return v.size() * sizeof(patch::Field);
            else
                return sizeof v;
        },
        p);
}

void InsertRecord(Collection& c, std::uint16_t r, const TitleRecord& record) {
    c.titles.insert(c.titles.begin() + r, record);
    for (auto& e : c.ListeIndex)
        if (e >= r) ++e;
}

void EraseRecord(Collection& c, std::uint16_t r) {
    c.titles.erase(c.titles.begin() + r);
    for (auto& e : c.ListeIndex)
        if (e > r) --e;
}

// Does a patch (forward) or undoes it.
void Apply(Collection& c, const Patch& p, bool forward) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, patch::Record>) {
                c.titles[v.r] = forward ? v.after : v.before;
            } else if constexpr (std::is_same_v<T, patch::RecordAt>) {
                if (forward == v.inserted)
                    InsertRecord(c, v.r, v.record);
                else
                    EraseRecord(c, v.r);
            } else if constexpr (std::is_same_v<T, patch::RecordsAppended>) {
                if (forward)
                    c.titles.insert(c.titles.end(), v.records.begin(), v.records.end());
                else
                    c.titles.resize(v.from);
            } else if constexpr (std::is_same_v<T, patch::OrderAt>) {
                const auto at = c.ListeIndex.begin() + v.position;
                if (forward == v.inserted)
                    c.ListeIndex.insert(at, v.r);
                else
                    c.ListeIndex.erase(at);
            } else if constexpr (std::is_same_v<T, patch::Order>) {
                c.ListeIndex = forward ? v.after : v.before;
            } else if constexpr (std::is_same_v<T, patch::NameAt>) {
                auto& names = c.List(v.list);
                if (forward == v.inserted)
                    names.insert(names.begin() + v.entry, v.name);
                else
                    names.erase(names.begin() + v.entry);
            } else if constexpr (std::is_same_v<T, patch::Name>) {
                c.List(v.list)[v.entry] = forward ? v.after : v.before;
            } else if constexpr (std::is_same_v<T, patch::Names>) {
                c.List(v.list) = forward ? v.after : v.before;
            } else if constexpr (std::is_same_v<T, patch::Fields>) {
                for (const auto& f : v)
                    c.titles[f.r].SetU16(f.offset, forward ? f.after : f.before);
            }
        },
        p);
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
        step_.earliestBefore = ch.collection.EarliestBuyDate;
    }
    void Add(Patch p) { step_.patches.push_back(std::move(p)); }
    void Current(std::optional<std::size_t> r) { step_.currentAfter = r; }
    // Names appended to any list since `sizes` were taken.
    void NamesAppended(const std::array<std::size_t, ListCount>& sizes) {
        for (const ListId list : AllLists) {
            const auto& names = ch_.collection.List(list);
            for (std::size_t e = sizes[static_cast<std::size_t>(list)]; e < names.size(); ++e)
                Add(patch::NameAt{list, static_cast<std::uint32_t>(e), names[e], true});
        }
    }
    void Done() {
        if (step_.patches.empty()) return;
        step_.earliestAfter = ch_.collection.EarliestBuyDate;
        ch_.history.Record(std::move(step_));
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

Msg ChangeName(ChangeKind kind) {
    static constexpr Msg names[] = {
        Msg::MsgStepAddTitle,     Msg::MsgStepEditTitle, Msg::MsgStepDuplicateTitle, Msg::MsgStepDeleteTitle,
        Msg::MsgStepWatchedToday, Msg::MsgStepAddName,   Msg::MsgStepDeleteName,     Msg::MsgStepRenameName,
        Msg::MsgStepCleanList,    Msg::MsgStepLoadList,  Msg::MsgStepImportTitle,    Msg::MsgStepAddList,
        Msg::MsgStepRebuildIndex, Msg::MsgStepImportTable,
    };
    static_assert(std::size(names) == static_cast<std::size_t>(ChangeKind::ImportTable) + 1);
    return names[static_cast<std::size_t>(kind)];
}

// ---- The history ----

std::optional<ChangeKind> ChangeHistory::NextUndo() const {
    if (done_ == 0) return std::nullopt;
    return steps_[done_ - 1].kind;
}

std::optional<ChangeKind> ChangeHistory::NextRedo() const {
    if (done_ == steps_.size()) return std::nullopt;
    return steps_[done_].kind;
}

std::optional<std::optional<std::size_t>> ChangeHistory::Undo(Collection& c) {
    if (done_ == 0) return std::nullopt;
    const ChangeStep& step = steps_[--done_];
    ++generation_;
    for (auto p = step.patches.rbegin(); p != step.patches.rend(); ++p)
        Apply(c, *p, false);
    c.EarliestBuyDate = step.earliestBefore;
    c.Modified = saved_ != done_;
    return step.currentBefore;
}

std::optional<std::optional<std::size_t>> ChangeHistory::Redo(Collection& c) {
    if (done_ == steps_.size()) return std::nullopt;
    const ChangeStep& step = steps_[done_++];
    ++generation_;
    for (const Patch& p : step.patches)
        Apply(c, p, true);
    c.EarliestBuyDate = step.earliestAfter;
    c.Modified = saved_ != done_;
    return step.currentAfter;
}

void ChangeHistory::Clear() {
    steps_.clear();
    done_ = 0;
    saved_ = 0;
    bytes_ = 0;
    ++generation_;
}

void ChangeHistory::Saved() {
    saved_ = done_;
}

void ChangeHistory::Record(ChangeStep step) {
    // The steps undone are gone for good, and with them a saved state among them.
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (saved_ && *saved_ > done_) saved_.reset();
    step.bytes = sizeof step;
    for (const Patch& p : step.patches)
        step.bytes += PatchBytes(p);
    bytes_ += step.bytes;
    steps_.push_back(std::move(step));
    ++done_;
    ++generation_;
    while (steps_.size() > 1 && (steps_.size() > MaxSteps || bytes_ > MaxBytes)) {
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --done_;
        if (saved_) saved_ = *saved_ == 0 ? std::nullopt : std::optional(*saved_ - 1);
    }
    // One step larger than the whole history: nothing before it can be undone any more.
    if (bytes_ > MaxBytes) {
        Clear();
        saved_.reset();
    }
}

// ---- Titles ----

Expected<std::size_t, StoreError> AddTitle(Changes ch, const TitleRecord& t, ChangeKind kind,
                                           std::optional<std::size_t> current) {
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
    StepMaker step(ch, ChangeKind::WatchedToday, r);
    const TitleRecord before = c.RecordAt(r);
    TitleRecord& t = c.RecordAt(r);
    // The count is kept within what the editor accepts.
    if (t.Viewings() < 32000) t.SetViewings(static_cast<std::uint16_t>(t.Viewings() + 1));
    t.SetWatchDate(today);
    c.Modified = true;
    step.Add(patch::Record{static_cast<std::uint16_t>(r), before, t});
    step.Done();
}

// ---- Name lists ----

Expected<PickedName, Msg> PickOrAddName(Changes ch, ListId list, std::string_view typed) {
    StepMaker step(ch, ChangeKind::AddName, std::nullopt);
    const auto sizes = ListSizes(ch.collection);
    auto picked = tavrin::PickOrAddName(ch.collection, list, typed);
    step.NamesAppended(sizes);
    step.Done();
    return picked;
}

std::vector<std::size_t> DeleteEntry(Changes ch, ListId list, int entry, const TitleProgress& progress) {
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    Collection& c = ch.collection;
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
    step.Done();
    return true;
}

void RebuildIndex(Changes ch, std::optional<std::size_t> current) {
    Collection& c = ch.collection;
    StepMaker step(ch, ChangeKind::RebuildIndex, current);
    std::vector<std::uint16_t> order = c.ListeIndex;
    tavrin::RebuildIndex(c);
    if (order == c.ListeIndex) return;
    step.Add(patch::Order{std::move(order), c.ListeIndex});
    step.Done();
}

} // namespace tavrin
