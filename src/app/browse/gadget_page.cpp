// The GADGET page: mark ranges, entry date, watch filters, DVD language filters, Russian Roulette
// and the price of the listed titles, and the options kept in the settings.
#include "app/browse/gadget_page.h"

#include "app/browse/filter_controls.h"
#include "lang/vocabulary.h"
#include "platform/text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tavrin {
namespace {

struct MarkLayout {
    const char* group;
    const char* low;
    const char* high;
    const char* lowMirror;
    const char* highMirror;
    int BrowseFilters::*lowMember;
    int BrowseFilters::*highMember;
};

constexpr MarkLayout Marks[] = {
    {"GroupBox13", "TNoteFilm1", "TNoteFilm2", "PBF1", "PBF2", &BrowseFilters::TNoteFilm1,
     &BrowseFilters::TNoteFilm2},
    {"GroupBox14", "TNoteImage1", "TNoteImage2", "PBI1", "PBI2", &BrowseFilters::TNoteImage1,
     &BrowseFilters::TNoteImage2},
    {"GroupBox15", "TNoteSon1", "TNoteSon2", "PBS1", "PBS2", &BrowseFilters::TNoteSon1,
     &BrowseFilters::TNoteSon2},
};

struct DvdFilterLayout {
    const char* group;
    const char* combo;
    const char* fixedCaption; // null: from the catalogue
};

// In the order the page shows them.
constexpr DvdFilterLayout DvdFilters[] = {
    {"GroupBox22", "TDVDSub", nullptr},       {"GroupBox23", "TDVDDTS", "DTS"},
    {"GroupBox28", "TDVDALLDD", nullptr},     {"GroupBox31", "TDVDALLMPEG", nullptr},
    {"GroupBox24", "TDVDDD10", "DD 1.0"},     {"GroupBox25", "TDVDDD20", "DD 2.0"},
    {"GroupBox26", "TDVDDD40", "DD 4.0"},     {"GroupBox27", "TDVDDD51", "DD 5.1."},
    {"GroupBox29", "TDVDMPEG10", "MPEG 1.0"}, {"GroupBox30", "TDVDMPEG20", "MPEG 2.0"},
    {"GroupBox32", "TDVDMPEG51", "MPEG 5.1"}, {"GroupBox33", "TDVDMPEG40", "PCM"},
};

QLineEdit* DatePartEdit(const char* name, QWidget* parent, int maxLength) {
    QLineEdit* edit = NamedEdit(name, parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new QIntValidator(0, 9999, edit));
    edit->setFixedWidth(maxLength == 4 ? 44 : 28);
    return edit;
}

template <class Choice> Choice ReadRadio(const RadioGroup& group) {
    return static_cast<Choice>(std::max(0, group.buttons->checkedId()));
}

void ShowRadio(RadioGroup& group, int item) {
    group.items[static_cast<std::size_t>(item)]->setChecked(true);
}

} // namespace

TGadgetPage::TGadgetPage(BrowseHost host, QWidget* parent) : QWidget(parent), host_(std::move(host)) {
    setObjectName(QStringLiteral("GADGET"));
    QWidget* content = ScrolledContent(this);
    QVBoxLayout* page = PageColumn(content);
    BuildMarks(page, content);
    BuildDates(page, content);
    BuildDvdFilters(page, content);
    BuildSelections(page, content);
    BuildOptions(page, content);
    page->addStretch();
}

// Mark ranges: a low and a high bar per mark, each mirrored by a progress bar.
void TGadgetPage::BuildMarks(QVBoxLayout* page, QWidget* content) {
    GroupBox16 = NamedGroup("GroupBox16", content);
    auto* markRow = new QHBoxLayout(GroupBox16);
    Tighten(markRow);
    for (std::size_t i = 0; i < std::size(Marks); ++i) {
        const MarkLayout& layout = Marks[i];
        MarkRange& m = marks_[i];
        m.lowMember = layout.lowMember;
        m.highMember = layout.highMember;
        m.frame = NamedGroup(layout.group, GroupBox16);
        auto* grid = new QGridLayout(m.frame);
        Tighten(grid);
        const auto bar = [&](const char* name) {
            auto* b = new QScrollBar(Qt::Horizontal, m.frame);
            b->setObjectName(QLatin1String(name));
            b->setRange(0, 5);
            b->setPageStep(1);
            b->setMinimumWidth(40);
            return b;
        };
        const auto mirror = [&](const char* name) {
            auto* b = new QProgressBar(m.frame);
            b->setObjectName(QLatin1String(name));
            b->setRange(0, 5);
            b->setTextVisible(false);
            b->setMaximumHeight(8);
            return b;
        };
        m.low = bar(layout.low);
        m.high = bar(layout.high);
        m.lowMirror = mirror(layout.lowMirror);
        m.highMirror = mirror(layout.highMirror);
        grid->addWidget(m.low, 0, 0);
        grid->addWidget(m.lowMirror, 1, 0);
        grid->addWidget(m.high, 2, 0);
        grid->addWidget(m.highMirror, 3, 0);
        markRow->addWidget(m.frame);

        connect(m.low, &QScrollBar::valueChanged, this, [this, i](int value) { LowMarkMoved(i, value); });
        connect(m.high, &QScrollBar::valueChanged, this, [this, i](int value) { HighMarkMoved(i, value); });
    }
    page->addWidget(GroupBox16);
}

// Entry date and the watch filters.
void TGadgetPage::BuildDates(QVBoxLayout* page, QWidget* content) {
    GroupBox17 = NamedGroup("GroupBox17", content);
    auto* dateRow = new QHBoxLayout(GroupBox17);
    Tighten(dateRow);
    TRIDATEBOX = NamedGroup("TRIDATEBOX", GroupBox17);
    TDateAJ1 = DatePartEdit("TDateAJ1", TRIDATEBOX, 2);
    TDateAM1 = DatePartEdit("TDateAM1", TRIDATEBOX, 2);
    TDateAA1 = DatePartEdit("TDateAA1", TRIDATEBOX, 4);
    SpeedButton18 = NamedButton("SpeedButton18", TRIDATEBOX, QStringLiteral("GO"));
    auto* entry = new QHBoxLayout(TRIDATEBOX);
    Tighten(entry);
    entry->addWidget(TDateAJ1);
    entry->addWidget(new QLabel(QStringLiteral("/"), TRIDATEBOX));
    entry->addWidget(TDateAM1);
    entry->addWidget(new QLabel(QStringLiteral("/"), TRIDATEBOX));
    entry->addWidget(TDateAA1);
    entry->addWidget(SpeedButton18);
    Watched = NamedRadioGroup("Watched", GroupBox17, 3);
    TWatched = NamedRadioGroup("TWatched", GroupBox17, 3);
    auto* entryColumn = new QVBoxLayout;
    entryColumn->addWidget(TRIDATEBOX);
    entryColumn->addStretch();
    dateRow->addLayout(entryColumn);
    dateRow->addWidget(Watched.frame);
    dateRow->addWidget(TWatched.frame);
    page->addWidget(GroupBox17);

    const std::pair<QLineEdit*, int> dateFields[] = {{TDateAJ1, 0}, {TDateAM1, 1}, {TDateAA1, 2}};
    for (auto [edit, field] : dateFields)
        connect(edit, &QLineEdit::editingFinished, this, [this, field] { EntryDateLeft(field); });
    connect(SpeedButton18, &QToolButton::clicked, this, &TGadgetPage::EntryDateGoClicked);
    for (QButtonGroup* group : {Watched.buttons, TWatched.buttons})
        connect(group, &QButtonGroup::idClicked, this, &TGadgetPage::FilterChanged);
}

// DVD language filters.
void TGadgetPage::BuildDvdFilters(QVBoxLayout* page, QWidget* content) {
    GroupBox21 = NamedGroup("GroupBox21", content);
    auto* dvdGrid = new QGridLayout(GroupBox21);
    Tighten(dvdGrid);
    for (std::size_t i = 0; i < std::size(DvdFilters); ++i) {
        const DvdFilterLayout& layout = DvdFilters[i];
        DvdFilterControl& d = dvd_[i];
        d.filter = FilterComboNamed(layout.combo)->dvd;
        d.frame = NamedGroup(layout.group, GroupBox21);
        if (layout.fixedCaption) d.frame->setTitle(QString::fromUtf8(layout.fixedCaption));
        d.combo = combos_.Add(layout.combo, d.frame);
        auto* inner = new QHBoxLayout(d.frame);
        Tighten(inner);
        inner->addWidget(d.combo);
        dvdGrid->addWidget(d.frame, static_cast<int>(i / 3), static_cast<int>(i % 3));

        const DvdFilter filter = d.filter;
        connect(d.combo, &QComboBox::currentIndexChanged, this,
                [this, filter](int item) { DvdFilterChanged(filter, item); });
    }
    page->addWidget(GroupBox21);
}

// Russian Roulette and the price of the listed titles.
void TGadgetPage::BuildSelections(QVBoxLayout* page, QWidget* content) {
    GroupBox10 = NamedGroup("GroupBox10", content);
    SpeedButton14 = NamedButton("SpeedButton14", GroupBox10);
    auto* roulette = new QVBoxLayout(GroupBox10);
    Tighten(roulette);
    roulette->addWidget(SpeedButton14);
    roulette->addStretch();

    GroupBox9 = NamedGroup("GroupBox9", content);
    SpeedButton15 = NamedButton("SpeedButton15", GroupBox9);
    TotalPrice = ViewField("TotalPrice", GroupBox9);
    NbDisc = ViewField("NbDisc", GroupBox9);
    PriceZero = ViewField("PriceZero", GroupBox9);
    for (QLineEdit* field : {TotalPrice, NbDisc, PriceZero}) {
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(80);
    }
    auto* price = new QHBoxLayout(GroupBox9);
    Tighten(price);
    price->addWidget(SpeedButton15);
    price->addWidget(TotalPrice);
    price->addWidget(NbDisc);
    price->addWidget(PriceZero);
    price->addStretch();

    auto* row = new QHBoxLayout;
    row->addWidget(GroupBox10);
    row->addWidget(GroupBox9, 1);
    page->addLayout(row);

    connect(SpeedButton14, &QToolButton::clicked, this, &TGadgetPage::RussianRouletteClicked);
    connect(SpeedButton15, &QToolButton::clicked, this, &TGadgetPage::CalculatePriceClicked);
    OnDoubleClick(PriceZero, [this] { PriceZeroDoubleClicked(); });
}

// The options kept in the settings, and the reset button of this page.
void TGadgetPage::BuildOptions(QVBoxLayout* page, QWidget* content) {
    PageFlipping = NamedRadioGroup("PageFlipping", content, 2);
    RadioSaveTXT = NamedRadioGroup("RadioSaveTXT", content, 2);
    RadioKeepBackup = NamedRadioGroup("RadioKeepBackup", content, 2);
    VideoPref = NamedRadioGroup("VideoPref", content, 3);
    SpeedButton17 = NamedButton("SpeedButton17", content);
    SpeedButton17->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    auto* options = new QHBoxLayout;
    options->addWidget(PageFlipping.frame);
    options->addWidget(RadioSaveTXT.frame);
    options->addWidget(RadioKeepBackup.frame);
    options->addWidget(VideoPref.frame);
    options->addStretch();
    options->addWidget(SpeedButton17, 0, Qt::AlignBottom);
    page->addLayout(options);

    BrowseOptions& o = host_.options;
    PageFlipping.items[o.FlipFlag ? 0 : 1]->setChecked(true);
    RadioSaveTXT.items[o.SaveTxt ? 0 : 1]->setChecked(true);
    RadioKeepBackup.items[o.KeepBackup ? 0 : 1]->setChecked(true);
    VideoPref.items[static_cast<std::size_t>(std::clamp(o.TypeVideo, 0, 2))]->setChecked(true);
    connect(PageFlipping.buttons, &QButtonGroup::idClicked, this, [&o](int id) { o.FlipFlag = id == 0; });
    connect(RadioSaveTXT.buttons, &QButtonGroup::idClicked, this, [&o](int id) { o.SaveTxt = id == 0; });
    connect(RadioKeepBackup.buttons, &QButtonGroup::idClicked, this,
            [&o](int id) { o.KeepBackup = id == 0; });
    connect(VideoPref.buttons, &QButtonGroup::idClicked, this, [&o](int id) { o.TypeVideo = id; });
    connect(SpeedButton17, &QToolButton::clicked, this, [this] { host_.resetFilters(); });
}

// ---- The filters and the controls ----

void TGadgetPage::ReadFilters() const {
    BrowseFilters& f = host_.filters;
    for (const auto& m : marks_) {
        f.*m.lowMember = m.low->value();
        f.*m.highMember = m.high->value();
    }
    f.Watched = ReadRadio<WatchCount>(Watched);
    f.TWatched = ReadRadio<WatchDate>(TWatched);
    // Only a valid date replaces the one in force.
    if (const auto day =
            DayNumberFromDate(TDateAA1->text().toInt(), TDateAM1->text().toInt(), TDateAJ1->text().toInt()))
        f.EntrySince = *day;
    combos_.Read(f);
}

void TGadgetPage::ShowFilters() {
    const bool wasShowing = showing_;
    showing_ = true;
    const BrowseFilters& f = host_.filters;
    for (auto& m : marks_) {
        // The high bar first, so the low one is never pushed back by the old high position.
        m.high->setValue(f.*m.highMember);
        m.low->setValue(f.*m.lowMember);
        m.lowMirror->setValue(m.low->value());
        m.highMirror->setValue(m.high->value());
    }
    ShowRadio(Watched, static_cast<int>(f.Watched));
    ShowRadio(TWatched, static_cast<int>(f.TWatched));
    ShowEntryDate(f.EntrySince);
    combos_.Show(f);
    showing_ = wasShowing;
}

void TGadgetPage::ShowEntryDate(DayNumber day) {
    const CivilDate date = DateFromDayNumber(day);
    TDateAJ1->setText(QString::number(date.day));
    TDateAM1->setText(QString::number(date.month));
    TDateAA1->setText(QString::number(date.year));
}

// ---- The handlers ----

void TGadgetPage::FilterChanged() {
    if (!showing_) host_.filtersChanged();
}

void TGadgetPage::LowMarkMoved(std::size_t mark, int value) {
    MarkRange& r = marks_[mark];
    const int kept = MovedLowMark(value, r.high->value());
    if (kept != value) {
        r.low->setValue(kept); // comes back here with the kept value
        return;
    }
    r.lowMirror->setValue(value);
    FilterChanged();
}

void TGadgetPage::HighMarkMoved(std::size_t mark, int value) {
    MarkRange& r = marks_[mark];
    const int kept = MovedHighMark(value, r.low->value());
    if (kept != value) {
        r.high->setValue(kept);
        return;
    }
    r.highMirror->setValue(value);
    FilterChanged();
}

void TGadgetPage::EntryDateLeft(int field) {
    if (checkingDate_) return;
    const auto fix =
        CheckEntryDateField(TDateAJ1->text().toInt(), TDateAM1->text().toInt(), TDateAA1->text().toInt(),
                            static_cast<DateField>(field), DateFromDayNumber(host_.today).year);
    if (!fix) return;
    QLineEdit* const left[] = {TDateAJ1, TDateAM1, TDateAA1};
    left[field]->setText(QString::number(fix->correction));
    checkingDate_ = true;
    host_.prompts.ShowMessage(QText(host_.catalogue, fix->message));
    checkingDate_ = false;
}

void TGadgetPage::EntryDateGoClicked() {
    for (int field = 0; field < 3; ++field)
        EntryDateLeft(field);
    ReadFilters();
    ShowEntryDate(ClampEntryDate(host_.filters.EntrySince, host_.collection.EarliestBuyDate, host_.today));
    FilterChanged();
}

void TGadgetPage::DvdFilterChanged(DvdFilter filter, int item) {
    if (showing_) return;
    if (filter == DvdFilter::AllDd || filter == DvdFilter::AllMpeg) {
        host_.changeFilters([filter, item](BrowseFilters& f) {
            (filter == DvdFilter::AllDd ? ChooseAllDd : ChooseAllMpeg)(f, item);
        });
        return;
    }
    FilterChanged();
}

void TGadgetPage::RussianRouletteClicked() {
    if (const auto entry = roulette_.Draw(host_.browseList.size())) host_.selectRow(*entry);
}

void TGadgetPage::CalculatePriceClicked() {
    if (host_.browseList.empty()) return;
    const PriceSummary summary = CalculatePrice(host_.collection, host_.browseList);
    TotalPrice->setText(QString::fromStdString(TotalPriceText(summary)));
    NbDisc->setText(QString::number(summary.NbDisc));
    PriceZero->setText(QString::number(summary.PriceZero));
}

void TGadgetPage::PriceZeroDoubleClicked() {
    if (host_.browseList.empty() || PriceZero->text().toInt() <= 0) return;
    // The filters as they are now, then only the titles without a price.
    host_.filtersChanged();
    host_.listTitles(KeepNullPrices(host_.collection, host_.browseList));
    if (!host_.browseList.empty()) host_.flipToInformation();
}

// ---- Texts ----

void TGadgetPage::ApplyTexts() {
    const MessageCatalogue& catalogue = host_.catalogue;
    const auto text = [&catalogue](Msg m) { return QText(catalogue, m); };
    GroupBox16->setTitle(text(Msg::MsgMarkSortingGadget));
    marks_[0].frame->setTitle(text(Msg::MsgMovieMark));
    marks_[1].frame->setTitle(text(Msg::MsgImageMark));
    marks_[2].frame->setTitle(text(Msg::MsgSoundMark));
    GroupBox17->setTitle(text(Msg::MsgDateSorting));
    TRIDATEBOX->setTitle(text(Msg::MsgEntrySince));
    Watched.frame->setTitle(text(Msg::MsgWatchingTimes));
    SetRadioTexts(Watched, CatalogueItems(catalogue, WatchCountItems));
    Watched.items[0]->setChecked(true);
    TWatched.frame->setTitle(text(Msg::MsgWatchedDate));
    SetRadioTexts(TWatched, CatalogueItems(catalogue, WatchDateItems));
    TWatched.items[0]->setChecked(true);
    GroupBox21->setTitle(text(Msg::MsgDvdSorting));
    const QStringList languages = CatalogueItems(catalogue, DvdLanguageItems);
    for (auto& d : dvd_) {
        RefillComboNeutral(d.combo, languages);
        if (d.filter == DvdFilter::Sub) d.frame->setTitle(text(Msg::MsgSubtitled));
        if (d.filter == DvdFilter::AllDd) d.frame->setTitle(text(Msg::MsgAllPrefix) + QStringLiteral(" DD"));
        if (d.filter == DvdFilter::AllMpeg)
            d.frame->setTitle(text(Msg::MsgAllPrefix) + QStringLiteral(" MPEG"));
    }
    GroupBox10->setTitle(QCaptionText(catalogue, Msg::MsgRussianRoulette));
    SpeedButton14->setText(text(Msg::MsgRussianRoulette).toUpper());
    GroupBox9->setTitle(text(Msg::MsgPrice).toUpper());
    SpeedButton15->setText((text(Msg::MsgCalculate) + text(Msg::MsgPrice)).toUpper());
    TotalPrice->setToolTip(text(Msg::MsgTotalPrice));
    NbDisc->setToolTip(text(Msg::MsgNumberOfSeparateTitles));
    PriceZero->setToolTip(text(Msg::MsgNumberOfTitlesWith));
    PageFlipping.frame->setTitle(text(Msg::MsgPageFrame));
    SetRadioTexts(PageFlipping, {text(Msg::MsgOn), text(Msg::MsgOff)});
    RadioSaveTXT.frame->setTitle(text(Msg::MsgSaveText));
    SetRadioTexts(RadioSaveTXT, {text(Msg::MsgOn), text(Msg::MsgOff)});
    RadioKeepBackup.frame->setTitle(text(Msg::MsgKeepBackup));
    SetRadioTexts(RadioKeepBackup, {text(Msg::MsgOn), text(Msg::MsgOff)});
    VideoPref.frame->setTitle(text(Msg::MsgVideoPreference));
    SetRadioTexts(VideoPref, {QStringLiteral("LASERDISC"), QStringLiteral("DVD"), QStringLiteral("VHS")});
    SpeedButton17->setToolTip(text(Msg::MsgResetAllSorting));
}

} // namespace tavrin
