// The GADGET page: mark ranges, entry date, watch filters, DVD language filters and the options
// kept in the settings.
#include "app/browse/filter_controls.h"
#include "app/browse/page_widgets.h"
#include "lang/vocabulary.h"
#include "app/main_window.h"
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
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

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
    DvdFilter filter;
    const char* group;
    const char* combo;
    const char* fixedCaption; // null: from the catalogue
};

// In the order the page shows them.
constexpr DvdFilterLayout DvdFilters[] = {
    {DvdFilter::Sub, "GroupBox22", "TDVDSub", nullptr},
    {DvdFilter::Dts, "GroupBox23", "TDVDDTS", "DTS"},
    {DvdFilter::AllDd, "GroupBox28", "TDVDALLDD", nullptr},
    {DvdFilter::AllMpeg, "GroupBox31", "TDVDALLMPEG", nullptr},
    {DvdFilter::Dd10, "GroupBox24", "TDVDDD10", "DD 1.0"},
    {DvdFilter::Dd20, "GroupBox25", "TDVDDD20", "DD 2.0"},
    {DvdFilter::Dd40, "GroupBox26", "TDVDDD40", "DD 4.0"},
    {DvdFilter::Dd51, "GroupBox27", "TDVDDD51", "DD 5.1."},
    {DvdFilter::Mpeg10, "GroupBox29", "TDVDMPEG10", "MPEG 1.0"},
    {DvdFilter::Mpeg20, "GroupBox30", "TDVDMPEG20", "MPEG 2.0"},
    {DvdFilter::Mpeg51, "GroupBox32", "TDVDMPEG51", "MPEG 5.1"},
    {DvdFilter::Mpeg40, "GroupBox33", "TDVDMPEG40", "PCM"},
};

QLineEdit* DatePartEdit(const char* name, QWidget* parent, int maxLength) {
    QLineEdit* edit = NamedEdit(name, parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new QIntValidator(0, 9999, edit));
    edit->setFixedWidth(maxLength == 4 ? 44 : 28);
    return edit;
}

} // namespace

void TLDF1::BuildGadgetPage() {
    GadgetPageControls& p = pages_->gadget;
    QWidget* content = ScrolledContent(GADGET);
    QVBoxLayout* page = PageColumn(content);

    // Mark ranges: a low and a high bar per mark, each mirrored by a progress bar.
    p.GroupBox16 = NamedGroup("GroupBox16", content);
    auto* markRow = new QHBoxLayout(p.GroupBox16);
    Tighten(markRow);
    for (std::size_t i = 0; i < std::size(Marks); ++i) {
        const MarkLayout& layout = Marks[i];
        MarkRange& m = p.marks[i];
        m.lowMember = layout.lowMember;
        m.highMember = layout.highMember;
        m.frame = NamedGroup(layout.group, p.GroupBox16);
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

        connect(m.low, &QScrollBar::valueChanged, this, [this, i](int value) {
            MarkRange& r = pages_->gadget.marks[i];
            const int kept = MovedLowMark(value, r.high->value());
            if (kept != value) {
                r.low->setValue(kept); // comes back here with the kept value
                return;
            }
            r.lowMirror->setValue(value);
            FilterChanged();
        });
        connect(m.high, &QScrollBar::valueChanged, this, [this, i](int value) {
            MarkRange& r = pages_->gadget.marks[i];
            const int kept = MovedHighMark(value, r.low->value());
            if (kept != value) {
                r.high->setValue(kept);
                return;
            }
            r.highMirror->setValue(value);
            FilterChanged();
        });
    }
    page->addWidget(p.GroupBox16);

    // Entry date and the watch filters.
    p.GroupBox17 = NamedGroup("GroupBox17", content);
    auto* dateRow = new QHBoxLayout(p.GroupBox17);
    Tighten(dateRow);
    p.TRIDATEBOX = NamedGroup("TRIDATEBOX", p.GroupBox17);
    p.TDateAJ1 = DatePartEdit("TDateAJ1", p.TRIDATEBOX, 2);
    p.TDateAM1 = DatePartEdit("TDateAM1", p.TRIDATEBOX, 2);
    p.TDateAA1 = DatePartEdit("TDateAA1", p.TRIDATEBOX, 4);
    p.SpeedButton18 = NamedButton("SpeedButton18", p.TRIDATEBOX, QStringLiteral("GO"));
    auto* entry = new QHBoxLayout(p.TRIDATEBOX);
    Tighten(entry);
    entry->addWidget(p.TDateAJ1);
    entry->addWidget(new QLabel(QStringLiteral("/"), p.TRIDATEBOX));
    entry->addWidget(p.TDateAM1);
    entry->addWidget(new QLabel(QStringLiteral("/"), p.TRIDATEBOX));
    entry->addWidget(p.TDateAA1);
    entry->addWidget(p.SpeedButton18);
    p.Watched = NamedRadioGroup("Watched", p.GroupBox17, 3);
    p.TWatched = NamedRadioGroup("TWatched", p.GroupBox17, 3);
    auto* entryColumn = new QVBoxLayout;
    entryColumn->addWidget(p.TRIDATEBOX);
    entryColumn->addStretch();
    dateRow->addLayout(entryColumn);
    dateRow->addWidget(p.Watched.frame);
    dateRow->addWidget(p.TWatched.frame);
    page->addWidget(p.GroupBox17);

    const std::pair<QLineEdit*, int> dateFields[] = {{p.TDateAJ1, 0}, {p.TDateAM1, 1}, {p.TDateAA1, 2}};
    for (auto [edit, field] : dateFields)
        connect(edit, &QLineEdit::editingFinished, this, [this, field] { EntryDateLeft(field); });
    connect(p.SpeedButton18, &QToolButton::clicked, this, [this] {
        for (int field = 0; field < 3; ++field)
            EntryDateLeft(field);
        ReadFilterControls();
        ShowEntryDate(ClampEntryDate(filters_.EntrySince, collection_.EarliestBuyDate, today_));
        FilterChanged();
    });
    for (QButtonGroup* group : {p.Watched.buttons, p.TWatched.buttons})
        connect(group, &QButtonGroup::idClicked, this, &TLDF1::FilterChanged);

    // DVD language filters.
    p.GroupBox21 = NamedGroup("GroupBox21", content);
    auto* dvdGrid = new QGridLayout(p.GroupBox21);
    Tighten(dvdGrid);
    for (std::size_t i = 0; i < std::size(DvdFilters); ++i) {
        const DvdFilterLayout& layout = DvdFilters[i];
        DvdFilterControl& d = p.dvd[i];
        d.filter = layout.filter;
        d.frame = NamedGroup(layout.group, p.GroupBox21);
        if (layout.fixedCaption) d.frame->setTitle(QString::fromUtf8(layout.fixedCaption));
        d.combo = NamedCombo(layout.combo, d.frame);
        auto* inner = new QHBoxLayout(d.frame);
        Tighten(inner);
        inner->addWidget(d.combo);
        dvdGrid->addWidget(d.frame, static_cast<int>(i / 3), static_cast<int>(i % 3));

        const DvdFilter filter = layout.filter;
        connect(d.combo, &QComboBox::currentIndexChanged, this, [this, filter](int item) {
            if (refreshLock_) return;
            if (filter == DvdFilter::AllDd || filter == DvdFilter::AllMpeg) {
                ReadFilterControls();
                (filter == DvdFilter::AllDd ? ChooseAllDd : ChooseAllMpeg)(filters_, item);
                ShowFilterControls();
                RefreshList();
                return;
            }
            FilterChanged();
        });
    }
    page->addWidget(p.GroupBox21);
    BuildSelectionGroups(content, page);

    // Options kept in the settings, and the reset button of this page.
    p.PageFlipping = NamedRadioGroup("PageFlipping", content, 2);
    p.RadioSaveTXT = NamedRadioGroup("RadioSaveTXT", content, 2);
    p.VideoPref = NamedRadioGroup("VideoPref", content, 3);
    p.SpeedButton17 = NamedButton("SpeedButton17", content);
    p.SpeedButton17->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    auto* options = new QHBoxLayout;
    options->addWidget(p.PageFlipping.frame);
    options->addWidget(p.RadioSaveTXT.frame);
    options->addWidget(p.VideoPref.frame);
    options->addStretch();
    options->addWidget(p.SpeedButton17, 0, Qt::AlignBottom);
    page->addLayout(options);
    page->addStretch();

    p.PageFlipping.items[settings_.FlipFlag ? 0 : 1]->setChecked(true);
    p.RadioSaveTXT.items[settings_.SaveTxt ? 0 : 1]->setChecked(true);
    p.VideoPref.items[static_cast<std::size_t>(std::clamp(settings_.TypeVideo, 0, 2))]->setChecked(true);
    connect(p.PageFlipping.buttons, &QButtonGroup::idClicked, this,
            [this](int id) { settings_.FlipFlag = id == 0; });
    connect(p.RadioSaveTXT.buttons, &QButtonGroup::idClicked, this,
            [this](int id) { settings_.SaveTxt = id == 0; });
    connect(p.VideoPref.buttons, &QButtonGroup::idClicked, this,
            [this](int id) { settings_.TypeVideo = id; });
}

void TLDF1::EntryDateLeft(int field) {
    GadgetPageControls& p = pages_->gadget;
    if (p.checkingDate) return;
    const auto fix = CheckEntryDateField(p.TDateAJ1->text().toInt(), p.TDateAM1->text().toInt(),
                                         p.TDateAA1->text().toInt(), static_cast<DateField>(field),
                                         DateFromDayNumber(today_).year);
    if (!fix) return;
    QLineEdit* const left[] = {p.TDateAJ1, p.TDateAM1, p.TDateAA1};
    left[field]->setText(QString::number(fix->correction));
    p.checkingDate = true;
    prompts_->ShowMessage(QText(catalogue_, fix->message));
    p.checkingDate = false;
}

void TLDF1::ShowEntryDate(DayNumber day) {
    GadgetPageControls& p = pages_->gadget;
    const CivilDate date = DateFromDayNumber(day);
    p.TDateAJ1->setText(QString::number(date.day));
    p.TDateAM1->setText(QString::number(date.month));
    p.TDateAA1->setText(QString::number(date.year));
}

void TLDF1::ApplyGadgetTexts() {
    GadgetPageControls& p = pages_->gadget;
    const auto text = [this](Msg m) { return QText(catalogue_, m); };
    p.GroupBox16->setTitle(text(Msg::MsgMarkSortingGadget));
    p.marks[0].frame->setTitle(text(Msg::MsgMovieMark));
    p.marks[1].frame->setTitle(text(Msg::MsgImageMark));
    p.marks[2].frame->setTitle(text(Msg::MsgSoundMark));
    p.GroupBox17->setTitle(text(Msg::MsgDateSorting));
    p.TRIDATEBOX->setTitle(text(Msg::MsgEntrySince));
    p.Watched.frame->setTitle(text(Msg::MsgWatchingTimes));
    SetRadioTexts(p.Watched, CatalogueItems(catalogue_, WatchCountItems));
    p.Watched.items[0]->setChecked(true);
    p.TWatched.frame->setTitle(text(Msg::MsgWatchedDate));
    SetRadioTexts(p.TWatched, CatalogueItems(catalogue_, WatchDateItems));
    p.TWatched.items[0]->setChecked(true);
    p.GroupBox21->setTitle(text(Msg::MsgDvdSorting));
    const QStringList languages = CatalogueItems(catalogue_, DvdLanguageItems);
    for (auto& d : p.dvd) {
        RefillComboNeutral(d.combo, languages);
        if (d.filter == DvdFilter::Sub) d.frame->setTitle(text(Msg::MsgSubtitled));
        if (d.filter == DvdFilter::AllDd) d.frame->setTitle(text(Msg::MsgAllPrefix) + QStringLiteral(" DD"));
        if (d.filter == DvdFilter::AllMpeg)
            d.frame->setTitle(text(Msg::MsgAllPrefix) + QStringLiteral(" MPEG"));
    }
    p.PageFlipping.frame->setTitle(QStringLiteral("Page"));
    SetRadioTexts(p.PageFlipping, {QStringLiteral("On"), QStringLiteral("Off")});
    p.RadioSaveTXT.frame->setTitle(text(Msg::MsgSaveText));
    SetRadioTexts(p.RadioSaveTXT, {QStringLiteral("On"), QStringLiteral("Off")});
    p.VideoPref.frame->setTitle(QStringLiteral("Video Preference"));
    SetRadioTexts(p.VideoPref, {QStringLiteral("LASERDISC"), QStringLiteral("DVD"), QStringLiteral("VHS")});
    p.SpeedButton17->setToolTip(text(Msg::MsgResetAllSorting));
    ApplySelectionTexts();
}

} // namespace tavrin
