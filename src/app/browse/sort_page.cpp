// The SORT TITLES page: the combos, year bounds, check boxes, name and actor filters.
#include "app/browse/filter_controls.h"
#include "app/browse/page_widgets.h"
#include "app/browse/up_down.h"
#include "lang/vocabulary.h"
#include "app/main_window.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

struct FlagLayout {
    const char* name;
    bool BrowseFilters::*member;
    const char* fixedCaption; // null: from the catalogue
};

// Technical flags, then extras, each in the order the group shows them.
constexpr FlagLayout TechnicalFlags[] = {
    {"TTHX", &BrowseFilters::TTHX, "THX"},
    {"T169", &BrowseFilters::T169, "16:9"},
    {"TAC3", &BrowseFilters::TAC3, "Dolby Digital"},
    {"TDTS", &BrowseFilters::TDTS, "DTS Digital"},
    {"TDirectorCut", &BrowseFilters::TDirectorCut, "Director'sCut"},
    {"TSubtitled", &BrowseFilters::TSubtitled, nullptr},
    {"TDubbed", &BrowseFilters::TDubbed, nullptr},
    {"TRotted", &BrowseFilters::TRotted, nullptr},
    {"TPS", &BrowseFilters::TPS, nullptr},
    {"TUsed", &BrowseFilters::TUsed, nullptr},
    {"TFlipper", &BrowseFilters::TFlipper, "Flipper"},
};
constexpr FlagLayout ExtraFlags[] = {
    {"TInterview", &BrowseFilters::TInterview, "Interview"},
    {"TTrailer", &BrowseFilters::TTrailer, nullptr},
    {"TIsolated", &BrowseFilters::TIsolated, nullptr},
    {"TMultiAngle", &BrowseFilters::TMultiAngle, "Multi Angle"},
    {"TDeletedScene", &BrowseFilters::TDeletedScene, nullptr},
    {"TDocumentary", &BrowseFilters::TDocumentary, nullptr},
    {"TFeaturette", &BrowseFilters::TFeaturette, "Featurette"},
    {"TCommentary", &BrowseFilters::TCommentary, nullptr},
    {"TStillFrame", &BrowseFilters::TStillFrame, "Notes/Photos/Bio"},
    {"TSupAutre", &BrowseFilters::TSupAutre, nullptr},
};

struct NameFilterLayout {
    ListId list;
    const char* field;
    const char* choose;
    const char* all;
};

constexpr NameFilterLayout NameFilters[] = {
    {ListId::Director, "TDirector", "Button1", "Button2"},
    {ListId::Composer, "TComposer", "SpeedButton3", "SpeedButton4"},
    {ListId::Publisher, "TEditeur", "SpeedButton22", "SpeedButton21"},
    {ListId::Box, "TBox", "SpeedButton7", "SpeedButton8"},
    {ListId::Retailer, "TBoutique", "SpeedButton10", "SpeedButton11"},
    {ListId::Info, "TInfo", "SpeedButton19", "SpeedButton20"},
    {ListId::Info2, "TInfo2", "SpeedButton24", "SpeedButton25"},
};

// The tooltip naming what a name filter field holds.
QString NameFilterHint(const MessageCatalogue& catalogue, ListId list) {
    switch (list) {
    case ListId::Director:
        return QText(catalogue, Msg::MsgDirector);
    case ListId::Composer:
        return QText(catalogue, Msg::MsgComposer);
    case ListId::Publisher:
        return QText(catalogue, Msg::MsgPublisher);
    case ListId::Box:
        return QText(catalogue, Msg::MsgBoxNameOrMultiple);
    case ListId::Retailer:
        return QText(catalogue, Msg::MsgRetailer);
    case ListId::Info:
        return QText(catalogue, Msg::MsgOtherInformations) + QStringLiteral(" 1");
    default:
        return QText(catalogue, Msg::MsgOtherInformations) + QStringLiteral(" 2");
    }
}

QLineEdit* YearEdit(const char* name, QWidget* parent) {
    QLineEdit* edit = NamedEdit(name, parent);
    edit->setMaxLength(4);
    edit->setValidator(new QIntValidator(0, 9999, edit));
    edit->setFixedWidth(44);
    return edit;
}

} // namespace

void TLDF1::BuildSortPage() {
    SortPageControls& p = pages_->sort;
    QWidget* content = ScrolledContent(SORTDISC);
    QVBoxLayout* page = PageColumn(content);

    // Combos.
    p.TSupport = NamedCombo("TSupport", content);
    p.TStandard = NamedCombo("TStandard", content);
    p.TAspectRatio = NamedCombo("TAspectRatio", content);
    p.TSound = NamedCombo("TSound", content);
    p.TColor = NamedCombo("TColor", content);
    p.TAVendre = NamedCombo("TAVendre", content);
    p.TMPAA = NamedCombo("TMPAA", content);
    p.TZone = NamedCombo("TZone", content);
    auto* combos = new QGridLayout;
    combos->setSpacing(3);
    combos->addWidget(p.TSupport, 0, 0);
    combos->addWidget(p.TStandard, 0, 1);
    combos->addWidget(p.TAspectRatio, 0, 2);
    combos->addWidget(p.TSound, 1, 0);
    combos->addWidget(p.TColor, 1, 1);
    combos->addWidget(p.TAVendre, 1, 2);
    combos->addWidget(p.TMPAA, 2, 0);
    combos->addWidget(p.TZone, 2, 1);
    page->addLayout(combos);

    // Year bounds and genre.
    p.GroupBox5 = NamedGroup("GroupBox5", content);
    p.TAnnee1 = YearEdit("TAnnee1", p.GroupBox5);
    p.TAnnee2 = YearEdit("TAnnee2", p.GroupBox5);
    p.AUpDown1 = new UpDown(p.GroupBox5);
    p.AUpDown1->setObjectName(QStringLiteral("AUpDown1"));
    p.AUpDown2 = new UpDown(p.GroupBox5);
    p.AUpDown2->setObjectName(QStringLiteral("AUpDown2"));
    const int currentYear = DateFromDayNumber(today_).year;
    p.AUpDown1->SetRange(FirstFilterYear, currentYear);
    p.AUpDown2->SetRange(FirstFilterYear, currentYear);
    auto* years = new QHBoxLayout(p.GroupBox5);
    Tighten(years);
    years->addWidget(p.TAnnee1);
    years->addWidget(p.AUpDown1);
    years->addWidget(new QLabel(QStringLiteral("-"), p.GroupBox5));
    years->addWidget(p.TAnnee2);
    years->addWidget(p.AUpDown2);
    p.GroupBox2 = NamedGroup("GroupBox2", content);
    p.TGenre = NamedCombo("TGenre", p.GroupBox2);
    p.TGenre->setMinimumContentsLength(12);
    auto* genre = new QHBoxLayout(p.GroupBox2);
    Tighten(genre);
    genre->addWidget(p.TGenre);
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(p.GroupBox5);
    yearRow->addWidget(p.GroupBox2, 1);
    page->addLayout(yearRow);

    // Check boxes: technical flags, then extras.
    const auto flagGroup = [&](const char* name, std::span<const FlagLayout> layouts) {
        QGroupBox* group = NamedGroup(name, content);
        auto* grid = new QGridLayout(group);
        Tighten(grid);
        grid->setHorizontalSpacing(6);
        int i = 0;
        for (const auto& layout : layouts) {
            QCheckBox* box = NamedCheck(layout.name, group);
            if (layout.fixedCaption) box->setText(QString::fromUtf8(layout.fixedCaption));
            grid->addWidget(box, i / 3, i % 3);
            p.flags.push_back({layout.member, box});
            ++i;
        }
        page->addWidget(group);
        return group;
    };
    p.GroupBox12 = flagGroup("GroupBox12", TechnicalFlags);
    p.GroupBox6 = flagGroup("GroupBox6", ExtraFlags);

    // Name filters.
    auto* names = new QGridLayout;
    names->setSpacing(3);
    for (std::size_t i = 0; i < std::size(NameFilters); ++i) {
        const auto& layout = NameFilters[i];
        NameFilterControls& n = p.names[i];
        n.list = layout.list;
        n.field = ViewField(layout.field, content);
        n.field->setFocusPolicy(Qt::ClickFocus);
        n.choose = NamedButton(layout.choose, content, QStringLiteral("..."));
        n.all = NamedButton(layout.all, content);
        auto* row = new QHBoxLayout;
        row->setSpacing(1);
        row->addWidget(n.field, 1);
        row->addWidget(n.choose);
        row->addWidget(n.all);
        names->addLayout(row, static_cast<int>(i), 0);

        const ListId list = layout.list;
        connect(n.choose, &QToolButton::clicked, this, [this, list] { ChooseFilterName(list); });
        connect(n.all, &QToolButton::clicked, this, [this, list] { SetNameFilter(list, -1); });
        OnDoubleClick(n.field, [this, list] { SetNameFilter(list, NoEntrySelection(list)); });
    }
    page->addLayout(names);

    // Actors, and the reset button of this page.
    p.ActorBox = NamedGroup("ActorBox", content);
    p.TActor = new QListWidget(p.ActorBox);
    p.TActor->setObjectName(QStringLiteral("TActor"));
    p.TActor->setFixedHeight(3 * p.TActor->fontMetrics().height() + 8);
    p.SpeedButton5 = NamedButton("SpeedButton5", p.ActorBox, QStringLiteral("..."));
    p.SpeedButton6 = NamedButton("SpeedButton6", p.ActorBox);
    p.SpeedButton2 = NamedButton("SpeedButton2", p.ActorBox);
    p.SpeedButton16 = NamedButton("SpeedButton16", p.ActorBox);
    p.SpeedButton16->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    auto* actorButtons = new QGridLayout;
    actorButtons->setSpacing(2);
    actorButtons->addWidget(p.SpeedButton5, 0, 0);
    actorButtons->addWidget(p.SpeedButton2, 0, 1);
    actorButtons->addWidget(p.SpeedButton6, 1, 0, 1, 2);
    actorButtons->addWidget(p.SpeedButton16, 2, 0);
    auto* actors = new QHBoxLayout(p.ActorBox);
    Tighten(actors);
    actors->addWidget(p.TActor, 1);
    actors->addLayout(actorButtons);
    page->addWidget(p.ActorBox);
    page->addStretch();

    // Behaviour.
    for (QComboBox* combo :
         {p.TStandard, p.TAspectRatio, p.TSound, p.TColor, p.TGenre, p.TAVendre, p.TMPAA, p.TZone})
        connect(combo, &QComboBox::currentIndexChanged, this, &TLDF1::FilterChanged);
    connect(p.TSupport, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (refreshLock_) return;
        ReadFilterControls();
        ChooseSupport(filters_, item);
        ShowFilterControls();
        RefreshList();
    });
    for (const auto& flag : p.flags)
        connect(flag.box, &QCheckBox::toggled, this, &TLDF1::FilterChanged);

    const auto fromTyped = [this](int typed) {
        SortPageControls& s = pages_->sort;
        // Against the "to" year as its field shows it, which may not have been applied yet.
        bool ok = false;
        const int shownTo = s.TAnnee2->text().toInt(&ok);
        const YearTyped r = TypedFromYear(typed, ok ? shownTo : filters_.TAnnee2);
        if (r.year != typed) s.TAnnee1->setText(QString::number(r.year));
        s.AUpDown1->SetPosition(r.year);
        if (r.refresh) FilterChanged();
    };
    const auto toTyped = [this](int typed) {
        SortPageControls& s = pages_->sort;
        const YearTyped r = TypedToYear(typed, DateFromDayNumber(today_).year);
        if (r.year != typed) s.TAnnee2->setText(QString::number(r.year));
        s.AUpDown2->SetPosition(r.year);
        if (r.refresh) FilterChanged();
    };
    connect(p.TAnnee1, &QLineEdit::textEdited, this, [fromTyped](const QString& text) {
        bool ok = false;
        const int typed = text.toInt(&ok);
        if (ok) fromTyped(typed);
    });
    connect(p.TAnnee2, &QLineEdit::textEdited, this, [toTyped](const QString& text) {
        bool ok = false;
        const int typed = text.toInt(&ok);
        if (ok) toTyped(typed);
    });
    connect(p.AUpDown1, &UpDown::Stepped, this, [this, fromTyped](int year) {
        pages_->sort.TAnnee1->setText(QString::number(year));
        fromTyped(year);
    });
    connect(p.AUpDown2, &UpDown::Stepped, this, [this, toTyped](int year) {
        pages_->sort.TAnnee2->setText(QString::number(year));
        toTyped(year);
    });
    // A field left empty or unreadable takes back the bound in force, with a word why.
    const auto yearLeft = [this](QLineEdit* edit, int BrowseFilters::*bound) {
        bool ok = false;
        edit->text().toInt(&ok);
        if (ok) return true;
        edit->setText(QString::number(filters_.*bound));
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgYearInvalid));
        return false;
    };
    connect(p.TAnnee1, &QLineEdit::editingFinished, this,
            [this, yearLeft] { yearLeft(pages_->sort.TAnnee1, &BrowseFilters::TAnnee1); });
    connect(p.TAnnee2, &QLineEdit::editingFinished, this, [this, yearLeft] {
        SortPageControls& s = pages_->sort;
        if (!yearLeft(s.TAnnee2, &BrowseFilters::TAnnee2)) return;
        if (const auto year = LeftToYear(s.TAnnee2->text().toInt(), s.TAnnee1->text().toInt())) {
            s.TAnnee2->setText(QString::number(*year));
            s.AUpDown2->SetPosition(*year);
            FilterChanged();
        }
    });

    connect(p.SpeedButton5, &QToolButton::clicked, this, [this] {
        if (FilterActorCount(filters_) < static_cast<int>(filters_.TActor.size())) ChooseFilterActor();
    });
    connect(p.SpeedButton6, &QToolButton::clicked, this, [this] {
        const int row = pages_->sort.TActor->currentRow();
        if (row < 0 || pages_->sort.TActor->selectedItems().isEmpty()) {
            prompts_->ShowMessage(QText(catalogue_, Msg::MsgChooseAnActorTo));
            return;
        }
        RemoveFilterActor(filters_, row);
        ShowActorFilter();
        RefreshList();
    });
    connect(p.SpeedButton2, &QToolButton::clicked, this, [this] {
        filters_.TActor = BrowseFilters{}.TActor;
        ShowActorFilter();
        RefreshList();
    });
}

void TLDF1::ApplySortTexts() {
    SortPageControls& p = pages_->sort;
    const auto text = [this](Msg m) { return QText(catalogue_, m); };
    const auto withNeutral = [](QStringList items, const QString& neutral) {
        items << neutral;
        return items;
    };

    RefillCombo(p.TSupport, withNeutral(FixedItems(SupportNames), QStringLiteral("LD/DVD/...")));
    RefillCombo(p.TStandard, withNeutral(FixedItems(StandardNames), QStringLiteral("Standard")));
    RefillCombo(p.TAspectRatio, withNeutral(FixedItems(AspectRatioNames), QStringLiteral("Ratio")));
    // The lists filled from the catalogue come back at their neutral item; like every filter
    // control they take effect at the next refresh, so the title list stays as it is.
    RefillComboNeutral(p.TSound, withNeutral(FixedItems(SoundNames), text(Msg::MsgSound)));
    RefillComboNeutral(p.TColor,
                       withNeutral(CatalogueItems(catalogue_, ColorNames), text(Msg::MsgColorBlackWhite)));
    RefillComboNeutral(p.TAVendre,
                       withNeutral(CatalogueItems(catalogue_, TradeNames), text(Msg::MsgAllTitles)));
    RefillCombo(p.TMPAA, withNeutral(FixedItems(MpaaNames), QStringLiteral("MPAA")));
    RefillCombo(p.TZone, withNeutral(FixedItems(ZoneNames), QStringLiteral("Zone")));

    // The genres sorted by their names in this language, then the neutral item.
    {
        const QSignalBlocker quiet(p.TGenre);
        p.TGenre->clear();
        for (int g : GenresByName(catalogue_))
            p.TGenre->addItem(QString::fromStdString(GenreName(catalogue_, g)), g);
        p.TGenre->addItem(text(Msg::MsgGenre), GenreAll);
        p.TGenre->setCurrentIndex(p.TGenre->count() - 1);
    }

    p.GroupBox2->setTitle(text(Msg::MsgGenre));
    p.GroupBox5->setTitle(text(Msg::MsgYear));
    p.GroupBox6->setTitle(text(Msg::MsgOther));
    p.GroupBox12->setTitle(text(Msg::MsgOther));
    const std::pair<const char*, Msg> captions[] = {
        {"TSubtitled", Msg::MsgSubtitled},
        {"TDubbed", Msg::MsgDubbed},
        {"TRotted", Msg::MsgDefectRotted},
        {"TPS", Msg::MsgPSFullFrame},
        {"TUsed", Msg::MsgUsed},
        {"TTrailer", Msg::MsgTrailer},
        {"TIsolated", Msg::MsgIsolatedMusicFx},
        {"TDeletedScene", Msg::MsgDeletedScenes},
        {"TDocumentary", Msg::MsgDocumentary},
        {"TCommentary", Msg::MsgAudioCommentary},
        {"TSupAutre", Msg::MsgOther},
    };
    for (const auto& [name, m] : captions)
        for (const auto& flag : p.flags)
            if (flag.box->objectName() == QLatin1String(name)) flag.box->setText(QCaptionText(catalogue_, m));
    for (const auto& flag : p.flags)
        if (flag.box->objectName() == QLatin1String("TFlipper"))
            flag.box->setToolTip(text(Msg::MsgYouHaveToReturn));

    for (auto& n : p.names) {
        n.all->setText(text(Msg::MsgAllButton));
        n.field->setToolTip(NameFilterHint(catalogue_, n.list));
        ShowNameFilter(n.list);
    }
    p.ActorBox->setTitle(text(Msg::MsgActor));
    p.SpeedButton6->setText(text(Msg::MsgRemoveActor));
    p.SpeedButton2->setText(text(Msg::MsgAllButton));
    p.SpeedButton16->setToolTip(text(Msg::MsgResetAllSorting));
    Onglet->setTabText(Onglet->indexOf(SORTDISC), text(Msg::MsgSortTitles));
}

} // namespace tavrin
