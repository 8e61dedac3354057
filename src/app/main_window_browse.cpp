// The main window's browsing: the pages of the current title and of the filters, the refresh of
// the browse list, selecting titles by click, by typed name or by record, and page flipping.
#include "app/browse/filter_controls.h"
#include "app/browse/gadget_page.h"
#include "app/browse/information_page.h"
#include "app/browse/make_list_dialog.h"
#include "app/browse/media_page.h"
#include "app/browse/sort_page.h"
#include "app/browse/text_page.h"
#include "app/browse/title_table_model.h"
#include "app/browse/title_view.h"
#include "app/main_window.h"
#include "platform/text.h"
#include "store/text_encoding.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace tavrin {

BrowseHost TLDF1::PagesHost() {
    return {document_,
            collection_,
            listeIndexTri_,
            filters_,
            catalogue_,
            *prompts_,
            today_,
            folders_.text,
            folders_.medias,
            {settings_.FlipFlag, settings_.SaveTxt, settings_.TypeVideo, settings_.MediaFlag,
             settings_.VideoFlag, settings_.KeepBackup},
            *thumbnails_,
            [this] { return CurrentRecord(); },
            [this] { RefreshList(); },
            [this](const std::function<void(BrowseFilters&)>& edit) { ChangeFilters(edit); },
            [this] { ResetAndListEveryTitle(); },
            [this](ListId list) { ChooseFilterName(list); },
            [this] { ChooseFilterActor(); },
            [this](std::vector<std::uint16_t> titles) { ListTitles(std::move(titles)); },
            [this](std::size_t row) { SelectRow(row); },
            [this] { FlipToInformation(); },
            [this] { Onglet->setCurrentWidget(TEXTDISC); },
            [this] {
                // Opening the page shows slot 1 there, with the picture or the player.
                if (MEDIAS->ShowsMedia()) Onglet->setCurrentWidget(MEDIAS);
            },
            [this] {
                if (windows_.dvdPanel) windows_.dvdPanel->OpenForViewing(this);
            },
            [this] { return Onglet->currentWidget() == MEDIAS; },
            [this](bool found) { DISC->ShowMediaButton(found); },
            [this](const QString& name, const QImage& picture) {
                if (windows_.mImage) windows_.mImage->OpenForPicture(name, picture, this);
            },
            [this](const QString& file) { OpenDroppedFile(file); }};
}

void TLDF1::BuildBrowsePages() {
    DISC = new TInformationPage(PagesHost(), Onglet);
    SORTDISC = new TSortPage(PagesHost(), Onglet);
    GADGET = new TGadgetPage(PagesHost(), Onglet);
    MEDIAS = new TMediaPage(PagesHost(), Onglet);
    TEXTDISC = new TTextPage(folders_.text, Onglet);
    for (QWidget* page : std::initializer_list<QWidget*>{DISC, SORTDISC, GADGET, MEDIAS, TEXTDISC})
        Onglet->addTab(page, QString());
    Onglet->setCurrentWidget(DISC);
    ClearTitleView();

    connect(ListDisc, &QListView::clicked, this, &TLDF1::ListDiscClick);
    connect(TitleTable, &QTableView::clicked, this, &TLDF1::ListDiscClick);
    // Keyboard moves in the list or the table (which share the selection) show the title as a
    // click does.
    connect(ListDisc->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowCurrentTitle(); });
    connect(EnterName, &QLineEdit::textEdited, this, &TLDF1::EnterNameChange);
    // Typed or cleared by its button; emptied by the program, it leaves the list to the caller.
    connect(EnterSearch, &QLineEdit::textEdited, this, &TLDF1::EnterSearchChange);
    connect(Onglet, &QTabWidget::currentChanged, this, &TLDF1::OngletChange);
    connect(SpeedButton13, &QToolButton::clicked, this, &TLDF1::ResetAndListEveryTitle);

    ApplyBrowseTexts();
    ResetFilters();
}

void TLDF1::ApplyBrowseTexts() {
    if (!SORTDISC) return;
    SORTDISC->ApplyTexts();
    GADGET->ApplyTexts();
    if (MakeList) MakeList->ApplyTexts();
    // The refilled lists stand at their neutral items; the next refresh uses them.
    ReadFilterControls();
    DISC->ApplyTexts();
    MEDIAS->ApplyTexts();
    // The vocabulary texts of the shown title, in the new language.
    ShowCurrentTitle();
}

// ---- The filter value and its controls ----

void TLDF1::ReadFilterControls() {
    SORTDISC->ReadFilters();
    GADGET->ReadFilters();
}

void TLDF1::ShowFilterControls() {
    const bool wasLocked = refreshLock_;
    refreshLock_ = true;
    SORTDISC->ShowFilters();
    GADGET->ShowFilters();
    refreshLock_ = wasLocked;
}

void TLDF1::ChangeFilters(const std::function<void(BrowseFilters&)>& edit) {
    ReadFilterControls();
    edit(filters_);
    ShowFilterControls();
    RefreshList();
}

// ---- The browse list ----

void TLDF1::ResetFilters() {
    filters_ = NeutralFilters(DateFromDayNumber(today_).year, collection_.EarliestBuyDate);
    ShowFilterControls();
    ClearSearchAndSort();
}

void TLDF1::ClearSearchAndSort() {
    EnterSearch->clear();
    search_ = {};
    tableSort_.reset();
    ShowSortIndicator();
}

void TLDF1::ShowSearchedList() {
    listeIndexTri_ = search_.Empty() ? filtered_ : SearchTitles(collection_, filtered_, search_);
    if (tableSort_) SortTitles(collection_, listeIndexTri_, *tableSort_, catalogue_);
}

void TLDF1::EnterSearchChange(const QString& text) {
    search_ = SearchWords(Cp1252FromQString(text));
    ListFromTop();
}

void TLDF1::ListFromTop() {
    ShowSearchedList();
    RebuildTitleList();
    if (listeIndexTri_.empty())
        ClearTitleView();
    else
        SelectRow(0);
}

void TLDF1::ResetAndListEveryTitle() {
    ResetFilters();
    CopyMasterToBrowse();
    RebuildTitleList();
}

void TLDF1::RefreshList() {
    if (refreshLock_) return;
    // Whatever the controls hold now, also a date typed without "GO".
    ReadFilterControls();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    filtered_ = RefreshBrowseList(collection_, filters_, today_);
    ShowSearchedList();
    RebuildTitleList();
    if (listeIndexTri_.empty()) {
        ClearTitleView();
    } else {
        ShownTitles()->setCurrentIndex(ShownTitles()->model()->index(0, 0));
        ShowCurrentTitle();
    }
    QApplication::restoreOverrideCursor();
}

void TLDF1::SetNameFilter(ListId list, int entry) {
    SORTDISC->SetNameFilter(list, entry);
}

bool TLDF1::AddActorFilter(int entry) {
    if (AddFilterActor(filters_, entry) != ActorAdded::Added) return false;
    SORTDISC->ShowActorFilter();
    RefreshList();
    return true;
}

void TLDF1::ListTitles(std::vector<std::uint16_t> titles) {
    filtered_ = std::move(titles);
    ListFromTop();
}

void TLDF1::SelectRow(std::size_t row) {
    ShowRow(row);
    ShowCurrentTitle();
}

void TLDF1::SelectRecord(std::size_t record) {
    const auto at = std::find(listeIndexTri_.begin(), listeIndexTri_.end(), record);
    if (at == listeIndexTri_.end()) return;
    SelectRow(static_cast<std::size_t>(at - listeIndexTri_.begin()));
}

// ---- The current title ----

void TLDF1::ShowCurrentTitle() {
    const auto record = CurrentRecord();
    if (!record || *record >= collection_.Count()) return;
    DISC->ShowTitle(*record);
    // The panel is shared with the title editor: while it is open, the panel holds the edited
    // title's languages.
    const bool editing = windows_.ajouteF && windows_.ajouteF->isVisible();
    if (windows_.dvdPanel && !editing) windows_.dvdPanel->LoadDvdPanel(collection_, *record);
    LoadReview();
    MEDIAS->ShowTitleMedia(*record);
}

void TLDF1::ClearTitleView() {
    DISC->Clear();
    TEXTDISC->Clear();
    MEDIAS->Clear();
}

// The text button shows whether the file exists.
void TLDF1::LoadReview() {
    const auto record = CurrentRecord();
    if (!record) return;
    DISC->ShowTextButton(TEXTDISC->ShowReview(collection_.RecordAt(*record)));
}

// ---- Selecting and the pages ----

void TLDF1::FlipToInformation() {
    if (settings_.FlipFlag) Onglet->setCurrentWidget(DISC);
}

void TLDF1::ListDiscClick() {
    ShowCurrentTitle();
    FlipToInformation();
}

void TLDF1::EnterNameChange(const QString& typed) {
    // Names are typed in upper case.
    const std::string text = UpperCp1252(Cp1252FromQString(typed));
    const QString upper = QStringFromCp1252(text);
    if (upper != typed) {
        const int cursor = EnterName->cursorPosition();
        EnterName->setText(upper);
        EnterName->setCursorPosition(cursor);
    }
    if (const auto row = FindTitleByPrefix(collection_, listeIndexTri_, text)) {
        ShowRow(*row, true);
    } else {
        ListDisc->selectionModel()->clear();
    }
    ShowCurrentTitle();
    FlipToInformation();
}

void TLDF1::OngletChange(int page) {
    const auto record = CurrentRecord();
    if (!record) return;
    if (Onglet->widget(page) == TEXTDISC) LoadReview();
    if (Onglet->widget(page) == MEDIAS) MEDIAS->ShowMedia(*record, 1);
}

} // namespace tavrin
