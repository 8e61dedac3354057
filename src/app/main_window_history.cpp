// The EDIT menu: Undo and Redo of the steps the collection's history holds.
#include "app/main_window.h"

#include "platform/text.h"

#include <QAction>
#include <QApplication>
#include <QListView>

namespace tavrin {

void TLDF1::ShowEditMenu() {
    if (!Undo1) return;
    const auto named = [this](Msg command, std::optional<ChangeKind> kind) {
        QString text = QText(catalogue_, command);
        if (kind) text += QStringLiteral(" ") + QText(catalogue_, ChangeName(*kind));
        return text;
    };
    const auto undo = history_.NextUndo(), redo = history_.NextRedo();
    Undo1->setText(named(Msg::MsgUndo, undo));
    Undo1->setEnabled(undo.has_value());
    Redo1->setText(named(Msg::MsgRedo, redo));
    Redo1->setEnabled(redo.has_value());
}

void TLDF1::Undo1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto shown = history_.Undo(collection_);
    QApplication::restoreOverrideCursor();
    if (shown) ShowAfterStep(*shown);
}

void TLDF1::Redo1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto shown = history_.Redo(collection_);
    QApplication::restoreOverrideCursor();
    if (shown) ShowAfterStep(*shown);
}

void TLDF1::ShowAfterStep(std::optional<std::size_t> record) {
    // Name filters hold entry numbers the step may have moved: the list starts again from every
    // title, as after a new title.
    ResetFilters();
    CopyMasterToBrowse();
    RebuildTitleList();
    if (record && *record < collection_.Count())
        SelectRecord(*record);
    else if (!listeIndexTri_.empty())
        SelectRow(0);
    else
        ClearTitleView();
    ShowEditMenu();
}

} // namespace tavrin
