// The main window following the open collection: after every change, Undo, Redo, New, Open,
// recovery and save, the title list, its counters, the view, the EDIT menu and the caption show
// the collection as it now is. No command rebuilds them on its own.
#include "app/app_identity.h"
#include "app/browse/cover_grid_model.h"
#include "app/browse/gadget_page.h"
#include "app/browse/information_page.h"
#include "app/browse/list_after_change.h"
#include "app/browse/sort_page.h"
#include "app/browse/title_table_model.h"
#include "app/main_window.h"
#include "platform/text.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>

namespace tavrin {

void TLDF1::FollowChange(const CollectionNews& news) {
    ShowCaption();
    ShowEditMenu();
    if (!model_) return; // still being built
    const ListAfterChange after = ListAfter(news);
    using T = ListAfterChange::Titles;
    using S = ListAfterChange::Select;

    // The line selected before, for a list that keeps its rows.
    std::optional<std::size_t> row;
    if (const QModelIndexList rows = ListDisc->selectionModel()->selectedIndexes(); !rows.isEmpty())
        row = static_cast<std::size_t>(rows.front().row());

    switch (after.titles) {
    case T::Unchanged:
        return;
    case T::Shown:
        if (news.editedRecord) {
            model_->RecordChanged(*news.editedRecord);
            covers_->RecordChanged(*news.editedRecord);
        } else {
            model_->TextsChanged();
            covers_->TextsChanged();
        }
        break;
    case T::Refiltered:
        // Selects the first title itself.
        RefreshList();
        return;
    case T::Master:
        CopyMasterToBrowse();
        RebuildTitleList();
        break;
    case T::MasterNeutral:
        ResetFilters();
        CopyMasterToBrowse();
        RebuildTitleList();
        break;
    }
    // The filter fields show names, which a change of a list may have renamed.
    for (const ListId list : AllLists)
        if (list != ListId::Media && list != ListId::Info2 && news.List(list) && !news.Everything()) {
            if (list == ListId::Actor)
                SORTDISC->ShowActorFilter();
            else
                SORTDISC->ShowNameFilter(list);
        }
    if (after.entryDate) GADGET->ShowEntryDate(collection_.EarliestBuyDate);

    const auto selectFirst = [this] {
        if (listeIndexTri_.empty())
            ClearTitleView();
        else
            SelectRow(0);
    };
    switch (after.select) {
    case S::Kept:
        // The line stays selected where it is; the view shows its title again.
        if (row && *row < listeIndexTri_.size() && after.informationOnly)
            DISC->ShowTitle(listeIndexTri_[*row]);
        else if (row && *row < listeIndexTri_.size())
            ShowCurrentTitle();
        else
            selectFirst();
        break;
    case S::Current:
        if (news.current && *news.current < collection_.Count() &&
            std::find(listeIndexTri_.begin(), listeIndexTri_.end(), *news.current) != listeIndexTri_.end())
            SelectRecord(*news.current);
        else
            selectFirst();
        break;
    case S::First:
        selectFirst();
        break;
    case S::None:
        ListDisc->selectionModel()->clear();
        ClearTitleView();
        break;
    }
    if (after.flip) FlipToInformation();
}

void TLDF1::ShowCaption() {
    // "FILMS.KXT[*] - TAVRIN V2.91.3 (Beta)": the desktop shows the mark while there are unsaved
    // changes.
    const std::string& file = collection_.CurrentFileName;
    QString caption = QLatin1String(MainWindowCaption);
    if (hasCollection_) {
        const QString name = showsNewFile_ || file.empty() ? QText(catalogue_, Msg::MsgNewFile)
                                                           : QFileInfo(QStringFromUtf8(file)).fileName();
        caption = name + QStringLiteral("[*] - ") + caption;
    }
    setWindowTitle(caption);
    setWindowModified(document_.Modified());
}

} // namespace tavrin
