#include "app/browse/list_after_change.h"

namespace tavrin {

ListAfterChange ListAfter(const CollectionNews& news) {
    using T = ListAfterChange::Titles;
    using S = ListAfterChange::Select;
    switch (news.cause) {
    case CollectionNews::Cause::Saved:
        return {T::Unchanged, S::Kept};
    case CollectionNews::Cause::Replaced:
        return {T::MasterNeutral, S::First};
    case CollectionNews::Cause::Undone:
    case CollectionNews::Cause::Redone:
        // Name filters hold entry numbers the step may have moved: the list starts again from
        // every title, as after a new title.
        return {T::MasterNeutral, S::Current};
    case CollectionNews::Cause::Done:
        break;
    }
    switch (news.kind.value_or(ChangeKind::WatchedToday)) {
    case ChangeKind::AddTitle:
    case ChangeKind::DuplicateTitle:
        return {T::MasterNeutral, S::Current};
    case ChangeKind::EditTitle:
        // A changed title text moves the title: the filters are dropped to show it at its place.
        return news.retitled ? ListAfterChange{T::MasterNeutral, S::Current}
                             : ListAfterChange{T::Shown, S::Kept};
    case ChangeKind::DeleteTitle:
        return {T::Refiltered, S::First};
    case ChangeKind::WatchedToday:
        return {T::Shown, S::Kept, false, false, true};
    case ChangeKind::AddMediaFile:
        // The title's pages show its new file: the cover, the MEDIA button, the MULTIMEDIA page.
    case ChangeKind::DeleteEntry:
    case ChangeKind::RenameEntry:
    case ChangeKind::CleanList:
        return {T::Shown, S::Kept};
    case ChangeKind::AddName:
    case ChangeKind::LoadNameList:
        return {T::Unchanged, S::Kept};
    case ChangeKind::ImportTitle:
        return {T::Master, S::Current};
    case ChangeKind::ImportTable:
    case ChangeKind::ImportCatalogue:
        return {T::Master, S::Current, false, true};
    case ChangeKind::AddList:
        return {T::MasterNeutral, S::First, true, true};
    case ChangeKind::RebuildIndex:
        return {T::MasterNeutral, S::None};
    }
    return {T::Shown, S::Kept};
}

} // namespace tavrin
