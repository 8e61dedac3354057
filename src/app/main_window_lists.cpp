// The main window's side of the name lists: the TOOLS menu's list commands and the choosers
// behind the filter buttons.
#include "app/browse/filter_controls.h"
#include "app/browse/sort_page.h"
#include "app/main_window.h"
#include "platform/text.h"
#include "store/files/name_list_file.h"

#include <QAction>

namespace tavrin {

void TLDF1::ConnectListCommands() {
    // The windows are created after the menus: every handler reaches them when it runs.
    const std::pair<QAction*, ListId> manage[] = {
        {ManageActorList1, ListId::Actor},       {ManageBoxList1, ListId::Box},
        {ManageComposerList1, ListId::Composer}, {ManageDirectorList1, ListId::Director},
        {ManageInfoList1, ListId::Info},         {Informations21, ListId::Info2},
        {Publisher1, ListId::Publisher},         {ManageRetailerList1, ListId::Retailer},
    };
    for (const auto& [action, list] : manage)
        connect(action, &QAction::triggered, this, [this, list = list] { ManageNameList(list); });
    connect(MultimediaFiles1, &QAction::triggered, this, [this] { ManageNameList(ListId::Media); });

    const std::pair<QAction*, ListId> save[] = {
        {Actor1, ListId::Actor},       {Box1, ListId::Box},           {Composer1, ListId::Composer},
        {Director1, ListId::Director}, {Informations1, ListId::Info}, {Publisher2, ListId::Publisher},
        {Retailer1, ListId::Retailer},
    };
    for (const auto& [action, list] : save)
        connect(action, &QAction::triggered, this, [this, list = list] { SaveNameList(list); });

    // Every Load List item runs the same command: the file's letter says which list it holds.
    for (QAction* action : {LoadActor1, LoadBox1, LoadComposer1, LoadDirector1, LoadInformations1,
                            LoadPublisher1, LoadRetailer1})
        connect(action, &QAction::triggered, this, &TLDF1::LoadNameList);
}

NameListHost TLDF1::NameListsHost() {
    return {document_, collection_, *prompts_, catalogue_,
            [this](ListId list, int entry) { SetNameFilter(list, entry); },
            [this](int entry) { return AddActorFilter(entry); },
            [this](ListId list, const std::vector<int>& positions) { NameEntriesRemoved(list, positions); },
            // The filter fields and the view follow the rename from the collection's announcement.
            [](ListId, int) {}};
}

void TLDF1::ManageNameList(ListId list) {
    if (list == ListId::Media)
        windows_.chooseMedia->Open(TChooseMedia::Mode::Manage, {}, this);
    else if (list == ListId::Actor)
        windows_.chooseActor->OpenForManage(this);
    else
        windows_.chooseElement->OpenForManage(list, this);
}

void TLDF1::ChooseFilterName(ListId list) {
    windows_.chooseElement->OpenForFilter(list, this);
}

void TLDF1::ChooseFilterActor() {
    windows_.chooseActor->OpenForFilter(this);
}

void TLDF1::NameEntriesRemoved(ListId list, const std::vector<int>& positions) {
    // A name filter on a removed entry selects nothing now; one above it follows it down.
    if (const int* selection = NameSelection(Filters(), list); selection && *selection >= 0) {
        int followed = *selection;
        for (int p : positions) {
            if (followed < 0 || followed > MaxEntryNumber) break;
            if (followed == p)
                followed = -1;
            else if (followed > p)
                --followed;
        }
        if (followed != *selection) SetNameFilter(list, followed);
    }
    if (list == ListId::Actor) {
        bool changed = false;
        for (int p : positions)
            changed = FollowRemovedActor(filters_, p) || changed;
        if (changed) {
            SORTDISC->ShowActorFilter();
            RefreshList();
        }
    }
    ShowCurrentTitle();
}

void TLDF1::SaveNameList(ListId list) {
    const FileDialogOptions dialogOptions{QText(catalogue_, Msg::MsgSave).toUpper(),
                                          QStringFromCp1252(NameListSaveFilter(list)),
                                          QStringFromCp1252(NameListExtension(list))};
    const QString fileName = prompts_->AskSaveFile(dialogOptions);
    if (fileName.isEmpty()) return;
    if (auto written = SaveNameListFile(collection_, list, PathFromQString(fileName)); !written)
        prompts_->ShowMessage(WriteFailureText(catalogue_, written.error()));
}

void TLDF1::LoadNameList() {
    if (!collection_.ListeIndex.empty()) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgYouCannotLoadA));
        return;
    }
    const QString fileName = prompts_->AskOpenFile(
        {QText(catalogue_, Msg::MsgOpen).toUpper(), QStringFromCp1252(NameListOpenFilter), QString()});
    if (fileName.isEmpty()) return;
    auto loaded = LoadNameListFile(PathFromQString(fileName));
    if (!loaded) {
        ShowFileFailure(loaded.error(), fileName);
        return;
    }
    // A damaged file, or one whose letter names no list, has changed nothing.
    tavrin::LoadNameList(document_, *loaded);
}

} // namespace tavrin
