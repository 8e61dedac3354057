#include "editing/change_history.h"

#include <algorithm>
#include <iterator>
#include <type_traits>

namespace tavrin {
namespace {

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

} // namespace

Msg ChangeName(ChangeKind kind) {
    static constexpr Msg names[] = {
        Msg::MsgStepAddTitle,     Msg::MsgStepEditTitle,    Msg::MsgStepDuplicateTitle,
        Msg::MsgStepDeleteTitle,  Msg::MsgStepWatchedToday, Msg::MsgStepAddName,
        Msg::MsgStepDeleteName,   Msg::MsgStepRenameName,   Msg::MsgStepCleanList,
        Msg::MsgStepLoadList,     Msg::MsgStepImportTitle,  Msg::MsgStepAddList,
        Msg::MsgStepRebuildIndex, Msg::MsgStepImportTable,  Msg::MsgStepImportCatalogue,
        Msg::MsgStepAddMediaFile,
    };
    static_assert(std::size(names) == static_cast<std::size_t>(ChangeKind::AddMediaFile) + 1);
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
    return step.currentBefore;
}

std::optional<std::optional<std::size_t>> ChangeHistory::Redo(Collection& c) {
    if (done_ == steps_.size()) return std::nullopt;
    const ChangeStep& step = steps_[done_++];
    ++generation_;
    for (const Patch& p : step.patches)
        Apply(c, p, true);
    c.EarliestBuyDate = step.earliestAfter;
    return step.currentAfter;
}

void ChangeHistory::Clear(bool saved) {
    steps_.clear();
    done_ = 0;
    saved_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
    bytes_ = 0;
    ++generation_;
}

void ChangeHistory::Saved() {
    saved_ = done_;
}

bool ChangeHistory::Modified() const {
    if (!saved_) return true;
    const std::size_t from = std::min(*saved_, done_), to = std::max(*saved_, done_);
    for (std::size_t s = from; s < to; ++s)
        if (SetsModified(steps_[s].kind)) return true;
    return false;
}

bool SetsModified(ChangeKind kind) {
    // The rebuilt master order is written with the next save, but nothing the user sees changed.
    return kind != ChangeKind::RebuildIndex;
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

} // namespace tavrin
