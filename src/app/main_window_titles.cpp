// The main window's side of the title editor: Add, Edit, Duplicate and Delete.
#include "app/main_window.h"

#include "editing/title_editor_model.h"
#include "editing/title_editor_window.h"
#include "platform/text.h"

#include <QApplication>
#include <QListView>
#include <QTableView>
#include <QToolButton>

namespace tavrin {

void TLDF1::ConnectTitleCommands() {
    connect(Ajoute, &QToolButton::clicked, this, &TLDF1::AjouteClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TLDF1::SpeedButton1Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TLDF1::SpeedButton12Click);
    connect(Efface, &QToolButton::clicked, this, &TLDF1::EffaceClick);
    connect(ListDisc, &QListView::doubleClicked, this, &TLDF1::SpeedButton1Click);
    connect(TitleTable, &QTableView::doubleClicked, this, &TLDF1::SpeedButton1Click);
}

TAjouteF& TLDF1::TitleEditor() {
    TAjouteF& editor = *windows_.ajouteF;
    if (!editor.IsBound()) {
        editor.Bind(TitleEditorHost{
            document_,
            collection_,
            *prompts_,
            [this] { return today_; },
            [this] { return settings_.TypeVideo; },
            [this] { return settings_.SaveTxt; },
            folders_.text,
            folders_.medias,
            *windows_.dvdPanel,
            *windows_.mImage,
            windows_.chooseElement.get(),
            windows_.chooseActor.get(),
            windows_.chooseMedia.get(),
        });
        connect(&editor, &TAjouteF::Closed, this, &TLDF1::TitleEditorClosed);
    }
    return editor;
}

void TLDF1::AjouteClick() {
    if (!CanAddTitle(collection_)) {
        Prompts().ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    TitleEditor().OpenFor(TAjouteF::Purpose::Add, std::nullopt, this);
}

void TLDF1::SpeedButton1Click() {
    const auto record = CurrentRecord();
    if (!record) {
        Prompts().ShowMessage(QText(catalogue_, Msg::MsgChooseATitleToEdit));
        return;
    }
    TitleEditor().OpenFor(TAjouteF::Purpose::Edit, record, this);
}

void TLDF1::SpeedButton12Click() {
    const auto record = CurrentRecord();
    if (!record) {
        Prompts().ShowMessage(QText(catalogue_, Msg::MsgChooseATitleToDuplicate));
        return;
    }
    if (!CanAddTitle(collection_)) {
        Prompts().ShowMessage(QText(catalogue_, Msg::MsgAmazingCollectionButI));
        return;
    }
    TitleEditor().OpenFor(TAjouteF::Purpose::Duplicate, record, this);
}

void TLDF1::TitleEditorClosed() {
    setEnabled(true);
    // The list and the view followed the save already; the DVD panel the editor shared shows the
    // current title again.
    if (const auto record = CurrentRecord(); record && windows_.dvdPanel)
        windows_.dvdPanel->LoadDvdPanel(collection_, *record);
}

void TLDF1::EffaceClick() {
    const auto record = CurrentRecord();
    if (!record) {
        Prompts().ShowMessage(QText(catalogue_, Msg::MsgChooseATitleFirst));
        return;
    }
    if (collection_.Count() == 0) return;
    const QString question = QText(catalogue_, Msg::MsgDoYouReallyWantToDelete) +
                             QStringFromCp1252(collection_.RecordAt(*record).TitleView());
    if (!Prompts().AskYesNo(QText(catalogue_, Msg::MsgConfirmation), question)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DeleteCurrentTitle(document_, *record);
    QApplication::restoreOverrideCursor();
}

} // namespace tavrin
