// The main window's browsing: the filter value and its controls, the refresh of the browse list,
// selecting titles by click, by typed name or by record, and page flipping.
#include "app/browse/browse_pages.h"
#include "app/browse/filter_controls.h"
#include "app/browse/page_widgets.h"
#include "app/browse/title_list_model.h"
#include "app/browse/title_view.h"
#include "app/browse/up_down.h"
#include "app/main_window.h"
#include "platform/text.h"
#include "store/text_encoding.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>

namespace tavrin {
namespace {

// A combo's index as a filter value; an empty combo keeps the value in force.
void ReadCombo(const QComboBox* combo, int& value) {
    if (combo->currentIndex() >= 0) value = combo->currentIndex();
}

void ShowCombo(QComboBox* combo, int value) {
    combo->setCurrentIndex(value);
}

template <class Choice> Choice ReadRadio(const RadioGroup& group) {
    return static_cast<Choice>(std::max(0, group.buttons->checkedId()));
}

void ShowRadio(RadioGroup& group, int item) {
    group.items[static_cast<std::size_t>(item)]->setChecked(true);
}

} // namespace

void TLDF1::BuildBrowsePages() {
    pages_ = std::make_unique<BrowsePages>();
    BuildSortPage();
    BuildGadgetPage();
    BuildTextPage();
    BuildMediaPage();
    BuildInformationPage();

    connect(ListDisc, &QListView::clicked, this, &TLDF1::ListDiscClick);
    // Keyboard moves in the list show the title as a click does.
    connect(ListDisc->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowCurrentTitle(); });
    connect(EnterName, &QLineEdit::textEdited, this, &TLDF1::EnterNameChange);
    connect(Onglet, &QTabWidget::currentChanged, this, &TLDF1::OngletChange);
    for (QToolButton* reset : {SpeedButton13, pages_->sort.SpeedButton16, pages_->gadget.SpeedButton17})
        connect(reset, &QToolButton::clicked, this, [this] {
            ResetFilters();
            CopyMasterToBrowse();
            RebuildTitleList();
        });

    ApplyBrowseTexts();
    ResetFilters();
}

void TLDF1::ApplyBrowseTexts() {
    if (!pages_) return;
    ApplySortTexts();
    ApplyGadgetTexts();
    // The refilled lists stand at their neutral items; the next refresh uses them.
    ReadFilterControls();
    ApplyInformationTexts();
    Onglet->setTabText(Onglet->indexOf(DISC), QStringLiteral("INFORMATION"));
    Onglet->setTabText(Onglet->indexOf(GADGET), QStringLiteral("GADGET"));
    Onglet->setTabText(Onglet->indexOf(TEXTDISC), QStringLiteral("TEXT"));
}

// ---- The filter value and its controls ----

void TLDF1::ReadFilterControls() {
    const SortPageControls& s = pages_->sort;
    ReadCombo(s.TSupport, filters_.TSupport);
    ReadCombo(s.TStandard, filters_.TStandard);
    ReadCombo(s.TAspectRatio, filters_.TAspectRatio);
    ReadCombo(s.TSound, filters_.TSound);
    ReadCombo(s.TColor, filters_.TColor);
    ReadCombo(s.TAVendre, filters_.TAVendre);
    ReadCombo(s.TMPAA, filters_.TMPAA);
    ReadCombo(s.TZone, filters_.TZone);
    if (s.TGenre->currentIndex() >= 0) filters_.TGenre = s.TGenre->currentData().toInt();
    for (const auto& flag : s.flags)
        filters_.*flag.member = flag.box->isChecked();
    // An unfinished year keeps the bound in force.
    bool ok = false;
    if (const int from = s.TAnnee1->text().toInt(&ok); ok) filters_.TAnnee1 = from;
    if (const int to = s.TAnnee2->text().toInt(&ok); ok) filters_.TAnnee2 = to;

    const GadgetPageControls& g = pages_->gadget;
    for (const auto& m : g.marks) {
        filters_.*m.lowMember = m.low->value();
        filters_.*m.highMember = m.high->value();
    }
    filters_.Watched = ReadRadio<WatchCount>(g.Watched);
    filters_.TWatched = ReadRadio<WatchDate>(g.TWatched);
    // Only a valid date replaces the one in force.
    if (const auto day = DayNumberFromDate(g.TDateAA1->text().toInt(), g.TDateAM1->text().toInt(),
                                           g.TDateAJ1->text().toInt()))
        filters_.EntrySince = *day;
    for (const auto& d : g.dvd)
        ReadCombo(d.combo, filters_.DvdCombo(d.filter));
}

void TLDF1::ShowFilterControls() {
    const bool wasLocked = refreshLock_;
    refreshLock_ = true;
    SortPageControls& s = pages_->sort;
    ShowCombo(s.TSupport, filters_.TSupport);
    ShowCombo(s.TStandard, filters_.TStandard);
    ShowCombo(s.TAspectRatio, filters_.TAspectRatio);
    ShowCombo(s.TSound, filters_.TSound);
    ShowCombo(s.TColor, filters_.TColor);
    ShowCombo(s.TAVendre, filters_.TAVendre);
    ShowCombo(s.TMPAA, filters_.TMPAA);
    ShowCombo(s.TZone, filters_.TZone);
    s.TZone->setVisible(filters_.TSupport == SupportItemDvd);
    s.TGenre->setCurrentIndex(s.TGenre->findData(filters_.TGenre));
    for (const auto& flag : s.flags)
        flag.box->setChecked(filters_.*flag.member);
    s.TAnnee1->setText(QString::number(filters_.TAnnee1));
    s.TAnnee2->setText(QString::number(filters_.TAnnee2));
    s.AUpDown1->SetPosition(filters_.TAnnee1);
    s.AUpDown2->SetPosition(filters_.TAnnee2);
    for (const auto& n : s.names)
        ShowNameFilter(n.list);
    ShowActorFilter();

    GadgetPageControls& g = pages_->gadget;
    for (auto& m : g.marks) {
        // The high bar first, so the low one is never pushed back by the old high position.
        m.high->setValue(filters_.*m.highMember);
        m.low->setValue(filters_.*m.lowMember);
        m.lowMirror->setValue(m.low->value());
        m.highMirror->setValue(m.high->value());
    }
    ShowRadio(g.Watched, static_cast<int>(filters_.Watched));
    ShowRadio(g.TWatched, static_cast<int>(filters_.TWatched));
    ShowEntryDate(filters_.EntrySince);
    for (auto& d : g.dvd)
        ShowCombo(d.combo, filters_.DvdCombo(d.filter));
    refreshLock_ = wasLocked;
}

void TLDF1::ShowNameFilter(ListId list) {
    const int* selection = NameSelection(filters_, list);
    if (!selection) return;
    for (auto& n : pages_->sort.names) {
        if (n.list != list) continue;
        if (*selection == -1)
            n.field->setText(QText(catalogue_, NeutralNameCaption(list)));
        else
            n.field->setText(QStringFromCp1252(NameAt(collection_.List(list), *selection)));
    }
}

void TLDF1::ShowActorFilter() {
    QListWidget* list = pages_->sort.TActor;
    list->clear();
    for (int actor : filters_.TActor)
        if (actor >= 0) list->addItem(QStringFromCp1252(NameAt(collection_.List(ListId::Actor), actor)));
}

void TLDF1::FilterChanged() {
    RefreshList(); // reads every control first
}

// ---- The browse list ----

void TLDF1::ResetFilters() {
    filters_ = NeutralFilters(DateFromDayNumber(today_).year, collection_.EarliestBuyDate);
    ShowFilterControls();
}

void TLDF1::RefreshList() {
    if (refreshLock_) return;
    // Whatever the controls hold now, also a date typed without "GO".
    ReadFilterControls();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    listeIndexTri_ = RefreshBrowseList(collection_, filters_, today_);
    RebuildTitleList();
    if (listeIndexTri_.empty()) {
        ClearTitleView();
    } else {
        ListDisc->setCurrentIndex(model_->index(0));
        ShowCurrentTitle();
    }
    QApplication::restoreOverrideCursor();
}

void TLDF1::SetNameFilter(ListId list, int entry) {
    int* selection = NameSelection(filters_, list);
    if (!selection) return;
    *selection = entry;
    ShowNameFilter(list);
    RefreshList();
}

bool TLDF1::AddActorFilter(int entry) {
    if (AddFilterActor(filters_, entry) != ActorAdded::Added) return false;
    ShowActorFilter();
    RefreshList();
    return true;
}

void TLDF1::SelectRecord(std::size_t record) {
    const auto at = std::find(listeIndexTri_.begin(), listeIndexTri_.end(), record);
    if (at == listeIndexTri_.end()) return;
    const QModelIndex index = model_->index(static_cast<int>(at - listeIndexTri_.begin()));
    ListDisc->setCurrentIndex(index);
    ListDisc->scrollTo(index);
    ShowCurrentTitle();
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
        const QModelIndex index = model_->index(static_cast<int>(*row));
        ListDisc->setCurrentIndex(index);
        ListDisc->scrollTo(index, QAbstractItemView::PositionAtTop);
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
    if (Onglet->widget(page) == MEDIAS) ShowMedia(*record, 1);
}

} // namespace tavrin
