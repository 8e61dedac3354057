#include "editing/open_collection.h"

#include <algorithm>
#include <type_traits>
#include <variant>

namespace tavrin {

bool CollectionNews::AnyList() const {
    return Everything() || std::any_of(lists.begin(), lists.end(), [](bool changed) { return changed; });
}

CollectionNews NewsOfStep(const ChangeStep& step, CollectionNews::Cause cause) {
    CollectionNews news;
    news.cause = cause;
    news.kind = step.kind;
    news.current = cause == CollectionNews::Cause::Undone ? step.currentBefore : step.currentAfter;
    const bool undone = cause == CollectionNews::Cause::Undone;
    const auto list = [&news](ListId id) { news.lists[static_cast<std::size_t>(id)] = true; };
    std::size_t records = 0;
    bool renumbered = false;
    for (const Patch& p : step.patches)
        std::visit(
            [&](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, patch::Record>) {
                    news.titlesEdited = true;
                    if (v.before.TitleView() != v.after.TitleView()) news.retitled = true;
                    ++records;
                    news.editedRecord = v.r;
                } else if constexpr (std::is_same_v<T, patch::RecordAt>) {
                    (v.inserted != undone ? news.titlesAdded : news.titlesRemoved) = true;
                    news.order = true;
                } else if constexpr (std::is_same_v<T, patch::RecordsAppended>) {
                    (undone ? news.titlesRemoved : news.titlesAdded) = true;
                } else if constexpr (std::is_same_v<T, patch::OrderAt> || std::is_same_v<T, patch::Order>) {
                    news.order = true;
                } else if constexpr (std::is_same_v<T, patch::NameAt> || std::is_same_v<T, patch::Name> ||
                                     std::is_same_v<T, patch::Names>) {
                    list(v.list);
                } else if constexpr (std::is_same_v<T, patch::Fields>) {
                    // Renumbered references: the titles show other names.
                    if (!v.empty()) news.titlesEdited = renumbered = true;
                }
            },
            p);
    if (records != 1 || renumbered || news.titlesAdded || news.titlesRemoved) news.editedRecord.reset();
    return news;
}

void OpenCollection::Replace(Collection fresh, Origin origin, std::optional<std::string> fileName,
                             FileState file) {
    std::string name = fileName ? std::move(*fileName) : std::move(collection_.CurrentFileName);
    collection_ = std::move(fresh);
    collection_.CurrentFileName = std::move(name);
    // A recovered or converted collection is not what any file holds until it is saved.
    history_.Clear(origin == Origin::New || origin == Origin::Opened);
    file_ = std::move(file);
    Announce({});
}

void OpenCollection::Saved(const std::string& fileName, std::optional<FileIdentity> identity,
                           std::optional<CollectionLock> lock) {
    collection_.CurrentFileName = fileName;
    history_.Saved();
    file_.identity = identity;
    if (lock) {
        file_.lock = std::move(lock);
        file_.readOnly = false;
    }
    CollectionNews news;
    news.cause = CollectionNews::Cause::Saved;
    Announce(news);
}

bool OpenCollection::ChangedOnDisk() const {
    if (collection_.CurrentFileName.empty() || !file_.identity) return false;
    const std::string& name = collection_.CurrentFileName;
    const auto now = ReadFileIdentity(std::filesystem::path(std::u8string(name.begin(), name.end())));
    return now && *now != *file_.identity;
}

bool OpenCollection::Undo() {
    const ChangeStep* step = history_.StepToUndo();
    if (!step) return false;
    CollectionNews news = NewsOfStep(*step, CollectionNews::Cause::Undone);
    history_.Undo(collection_);
    Announce(news);
    return true;
}

bool OpenCollection::Redo() {
    const ChangeStep* step = history_.StepToRedo();
    if (!step) return false;
    CollectionNews news = NewsOfStep(*step, CollectionNews::Cause::Redone);
    history_.Redo(collection_);
    Announce(news);
    return true;
}

std::size_t OpenCollection::Listen(Listener listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void OpenCollection::Forget(std::size_t id) {
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

void OpenCollection::Announce(const CollectionNews& news) {
    // A listener may stop listening (a window closing) while it is told: work on a copy.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener(news);
}

} // namespace tavrin
