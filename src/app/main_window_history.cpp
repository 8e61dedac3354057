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
    const auto undo = document_.History().NextUndo(), redo = document_.History().NextRedo();
    Undo1->setText(named(Msg::MsgUndo, undo));
    Undo1->setEnabled(undo.has_value());
    Redo1->setText(named(Msg::MsgRedo, redo));
    Redo1->setEnabled(redo.has_value());
}

void TLDF1::Undo1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    document_.Undo();
    QApplication::restoreOverrideCursor();
}

void TLDF1::Redo1Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    document_.Redo();
    QApplication::restoreOverrideCursor();
}

} // namespace tavrin
