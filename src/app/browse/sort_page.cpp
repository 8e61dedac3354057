// The SORT TITLES page: the combos, year bounds, check boxes, name and actor filters.
#include "app/browse/sort_page.h"

#include "app/browse/filter_controls.h"
#include "lang/vocabulary.h"
#include "platform/page_widgets.h"
#include "platform/text.h"
#include "platform/up_down.h"
#include "store/text_encoding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <span>
#include <utility>

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

TSortPage::TSortPage(BrowseHost host, QWidget* parent) : QWidget(parent), host_(std::move(host)) {
    setObjectName(QStringLiteral("SORTDISC"));
    Build();
    BuildBehaviour();
}

void TSortPage::Build() {
    QWidget* content = ScrolledContent(this);
    QVBoxLayout* page = PageColumn(content);

    // Combos.
    TSupport = combos_.Add("TSupport", content);
    TStandard = combos_.Add("TStandard", content);
    TAspectRatio = combos_.Add("TAspectRatio", content);
    TSound = combos_.Add("TSound", content);
    TColor = combos_.Add("TColor", content);
    TAVendre = combos_.Add("TAVendre", content);
    TMPAA = combos_.Add("TMPAA", content);
    TZone = combos_.Add("TZone", content);
    auto* combos = new QGridLayout;
    combos->setSpacing(3);
    combos->addWidget(TSupport, 0, 0);
    combos->addWidget(TStandard, 0, 1);
    combos->addWidget(TAspectRatio, 0, 2);
    combos->addWidget(TSound, 1, 0);
    combos->addWidget(TColor, 1, 1);
    combos->addWidget(TAVendre, 1, 2);
    combos->addWidget(TMPAA, 2, 0);
    combos->addWidget(TZone, 2, 1);
    page->addLayout(combos);

    // Year bounds and genre.
    GroupBox5 = NamedGroup("GroupBox5", content);
    TAnnee1 = YearEdit("TAnnee1", GroupBox5);
    TAnnee2 = YearEdit("TAnnee2", GroupBox5);
    AUpDown1 = new UpDown(GroupBox5);
    AUpDown1->setObjectName(QStringLiteral("AUpDown1"));
    AUpDown2 = new UpDown(GroupBox5);
    AUpDown2->setObjectName(QStringLiteral("AUpDown2"));
    const int currentYear = DateFromDayNumber(host_.today).year;
    AUpDown1->SetRange(FirstFilterYear, currentYear);
    AUpDown2->SetRange(FirstFilterYear, currentYear);
    auto* years = new QHBoxLayout(GroupBox5);
    Tighten(years);
    years->addWidget(TAnnee1);
    years->addWidget(AUpDown1);
    years->addWidget(new QLabel(QStringLiteral("-"), GroupBox5));
    years->addWidget(TAnnee2);
    years->addWidget(AUpDown2);
    GroupBox2 = NamedGroup("GroupBox2", content);
    TGenre = combos_.Add("TGenre", GroupBox2);
    TGenre->setMinimumContentsLength(12);
    auto* genre = new QHBoxLayout(GroupBox2);
    Tighten(genre);
    genre->addWidget(TGenre);
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(GroupBox5);
    yearRow->addWidget(GroupBox2, 1);
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
            flags_.push_back({layout.member, box});
            ++i;
        }
        page->addWidget(group);
        return group;
    };
    GroupBox12 = flagGroup("GroupBox12", TechnicalFlags);
    GroupBox6 = flagGroup("GroupBox6", ExtraFlags);

    // Name filters.
    auto* names = new QGridLayout;
    names->setSpacing(3);
    for (std::size_t i = 0; i < std::size(NameFilters); ++i) {
        const auto& layout = NameFilters[i];
        NameFilterControls& n = names_[i];
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
    }
    page->addLayout(names);

    // Actors, and the reset button of this page.
    ActorBox = NamedGroup("ActorBox", content);
    TActor = new QListWidget(ActorBox);
    TActor->setObjectName(QStringLiteral("TActor"));
    TActor->setFixedHeight(3 * TActor->fontMetrics().height() + 8);
    SpeedButton5 = NamedButton("SpeedButton5", ActorBox, QStringLiteral("..."));
    SpeedButton6 = NamedButton("SpeedButton6", ActorBox);
    SpeedButton2 = NamedButton("SpeedButton2", ActorBox);
    SpeedButton16 = NamedButton("SpeedButton16", ActorBox);
    SpeedButton16->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    auto* actorButtons = new QGridLayout;
    actorButtons->setSpacing(2);
    actorButtons->addWidget(SpeedButton5, 0, 0);
    actorButtons->addWidget(SpeedButton2, 0, 1);
    actorButtons->addWidget(SpeedButton6, 1, 0, 1, 2);
    actorButtons->addWidget(SpeedButton16, 2, 0);
    auto* actors = new QHBoxLayout(ActorBox);
    Tighten(actors);
    actors->addWidget(TActor, 1);
    actors->addLayout(actorButtons);
    page->addWidget(ActorBox);
    page->addStretch();
}

void TSortPage::BuildBehaviour() {
    for (QComboBox* combo : {TStandard, TAspectRatio, TSound, TColor, TGenre, TAVendre, TMPAA, TZone})
        connect(combo, &QComboBox::currentIndexChanged, this, &TSortPage::FilterChanged);
    connect(TSupport, &QComboBox::currentIndexChanged, this, &TSortPage::SupportChanged);
    for (const auto& flag : flags_)
        connect(flag.box, &QCheckBox::toggled, this, &TSortPage::FilterChanged);

    connect(TAnnee1, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int typed = text.toInt(&ok);
        if (ok) FromYearTyped(typed);
    });
    connect(TAnnee2, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const int typed = text.toInt(&ok);
        if (ok) ToYearTyped(typed);
    });
    connect(AUpDown1, &UpDown::Stepped, this, [this](int year) {
        TAnnee1->setText(QString::number(year));
        FromYearTyped(year);
    });
    connect(AUpDown2, &UpDown::Stepped, this, [this](int year) {
        TAnnee2->setText(QString::number(year));
        ToYearTyped(year);
    });
    connect(TAnnee1, &QLineEdit::editingFinished, this,
            [this] { YearLeft(TAnnee1, &BrowseFilters::TAnnee1); });
    connect(TAnnee2, &QLineEdit::editingFinished, this, &TSortPage::ToYearLeft);

    for (const NameFilterControls& n : names_) {
        const ListId list = n.list;
        connect(n.choose, &QToolButton::clicked, this, [this, list] { host_.chooseNameFilter(list); });
        connect(n.all, &QToolButton::clicked, this, [this, list] { SetNameFilter(list, -1); });
        OnDoubleClick(n.field, [this, list] { SetNameFilter(list, NoEntrySelection(list)); });
    }
    connect(SpeedButton5, &QToolButton::clicked, this, &TSortPage::AddActorClicked);
    connect(SpeedButton6, &QToolButton::clicked, this, &TSortPage::RemoveActorClicked);
    connect(SpeedButton2, &QToolButton::clicked, this, &TSortPage::AllActorsClicked);
    connect(SpeedButton16, &QToolButton::clicked, this, [this] { host_.resetFilters(); });
}

// ---- The filters and the controls ----

void TSortPage::ReadFilters() const {
    BrowseFilters& f = host_.filters;
    combos_.Read(f);
    for (const auto& flag : flags_)
        f.*flag.member = flag.box->isChecked();
    // An unfinished year keeps the bound in force.
    bool ok = false;
    if (const int from = TAnnee1->text().toInt(&ok); ok) f.TAnnee1 = from;
    if (const int to = TAnnee2->text().toInt(&ok); ok) f.TAnnee2 = to;
}

void TSortPage::ShowFilters() {
    const bool wasShowing = showing_;
    showing_ = true;
    const BrowseFilters& f = host_.filters;
    combos_.Show(f);
    TZone->setVisible(f.TSupport == SupportItemDvd);
    for (const auto& flag : flags_)
        flag.box->setChecked(f.*flag.member);
    TAnnee1->setText(QString::number(f.TAnnee1));
    TAnnee2->setText(QString::number(f.TAnnee2));
    AUpDown1->SetPosition(f.TAnnee1);
    AUpDown2->SetPosition(f.TAnnee2);
    for (const auto& n : names_)
        ShowNameFilter(n.list);
    ShowActorFilter();
    showing_ = wasShowing;
}

void TSortPage::ShowNameFilter(ListId list) {
    const int* selection = NameSelection(host_.filters, list);
    if (!selection) return;
    for (auto& n : names_) {
        if (n.list != list) continue;
        if (*selection == -1)
            n.field->setText(QText(host_.catalogue, NeutralNameCaption(list)));
        else
            n.field->setText(QStringFromCp1252(NameAt(host_.collection.List(list), *selection)));
    }
}

void TSortPage::ShowActorFilter() {
    TActor->clear();
    for (int actor : host_.filters.TActor)
        if (actor >= 0)
            TActor->addItem(QStringFromCp1252(NameAt(host_.collection.List(ListId::Actor), actor)));
}

void TSortPage::SetNameFilter(ListId list, int entry) {
    int* selection = NameSelection(host_.filters, list);
    if (!selection) return;
    *selection = entry;
    ShowNameFilter(list);
    host_.filtersChanged();
}

// ---- The handlers ----

void TSortPage::FilterChanged() {
    if (!showing_) host_.filtersChanged();
}

void TSortPage::SupportChanged(int item) {
    if (showing_) return;
    host_.changeFilters([item](BrowseFilters& f) { ChooseSupport(f, item); });
}

void TSortPage::FromYearTyped(int typed) {
    // Against the "to" year as its field shows it, which may not have been applied yet.
    bool ok = false;
    const int shownTo = TAnnee2->text().toInt(&ok);
    const YearTyped r = TypedFromYear(typed, ok ? shownTo : host_.filters.TAnnee2);
    if (r.year != typed) TAnnee1->setText(QString::number(r.year));
    AUpDown1->SetPosition(r.year);
    if (r.refresh) FilterChanged();
}

void TSortPage::ToYearTyped(int typed) {
    const YearTyped r = TypedToYear(typed, DateFromDayNumber(host_.today).year);
    if (r.year != typed) TAnnee2->setText(QString::number(r.year));
    AUpDown2->SetPosition(r.year);
    if (r.refresh) FilterChanged();
}

bool TSortPage::YearLeft(QLineEdit* edit, int BrowseFilters::*bound) {
    bool ok = false;
    edit->text().toInt(&ok);
    if (ok) return true;
    edit->setText(QString::number(host_.filters.*bound));
    host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgYearInvalid));
    return false;
}

void TSortPage::ToYearLeft() {
    if (!YearLeft(TAnnee2, &BrowseFilters::TAnnee2)) return;
    if (const auto year = LeftToYear(TAnnee2->text().toInt(), TAnnee1->text().toInt())) {
        TAnnee2->setText(QString::number(*year));
        AUpDown2->SetPosition(*year);
        FilterChanged();
    }
}

void TSortPage::AddActorClicked() {
    if (FilterActorCount(host_.filters) < static_cast<int>(host_.filters.TActor.size()))
        host_.chooseActorFilter();
}

void TSortPage::RemoveActorClicked() {
    const int row = TActor->currentRow();
    if (row < 0 || TActor->selectedItems().isEmpty()) {
        host_.prompts.ShowMessage(QText(host_.catalogue, Msg::MsgChooseAnActorTo));
        return;
    }
    RemoveFilterActor(host_.filters, row);
    ShowActorFilter();
    host_.filtersChanged();
}

void TSortPage::AllActorsClicked() {
    host_.filters.TActor = BrowseFilters{}.TActor;
    ShowActorFilter();
    host_.filtersChanged();
}

// ---- Texts ----

void TSortPage::ApplyTexts() {
    const MessageCatalogue& catalogue = host_.catalogue;
    const auto text = [&catalogue](Msg m) { return QText(catalogue, m); };
    const auto withNeutral = [](QStringList items, const QString& neutral) {
        items << neutral;
        return items;
    };

    RefillCombo(TSupport, withNeutral(FixedItems(SupportNames), QStringLiteral("LD/DVD/...")));
    RefillCombo(TStandard, withNeutral(FixedItems(StandardNames), QStringLiteral("Standard")));
    RefillCombo(TAspectRatio, withNeutral(FixedItems(AspectRatioNames), QStringLiteral("Ratio")));
    // The lists filled from the catalogue come back at their neutral item; like every filter
    // control they take effect at the next refresh, so the title list stays as it is.
    RefillComboNeutral(TSound, withNeutral(FixedItems(SoundNames), text(Msg::MsgSound)));
    RefillComboNeutral(TColor,
                       withNeutral(CatalogueItems(catalogue, ColorNames), text(Msg::MsgColorBlackWhite)));
    RefillComboNeutral(TAVendre, withNeutral(CatalogueItems(catalogue, TradeNames), text(Msg::MsgAllTitles)));
    RefillCombo(TMPAA, withNeutral(FixedItems(MpaaNames), QStringLiteral("MPAA")));
    RefillCombo(TZone, withNeutral(FixedItems(ZoneNames), QStringLiteral("Zone")));

    // The genres sorted by their names in this language, then the neutral item.
    {
        const QSignalBlocker quiet(TGenre);
        TGenre->clear();
        for (int g : GenresByName(catalogue))
            TGenre->addItem(QString::fromStdString(GenreName(catalogue, g)), g);
        TGenre->addItem(text(Msg::MsgGenre), GenreAll);
        TGenre->setCurrentIndex(TGenre->count() - 1);
    }

    GroupBox2->setTitle(text(Msg::MsgGenre));
    GroupBox5->setTitle(text(Msg::MsgYear));
    GroupBox6->setTitle(text(Msg::MsgOther));
    GroupBox12->setTitle(text(Msg::MsgOther));
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
        for (const auto& flag : flags_)
            if (flag.box->objectName() == QLatin1String(name)) flag.box->setText(QCaptionText(catalogue, m));
    for (const auto& flag : flags_)
        if (flag.box->objectName() == QLatin1String("TFlipper"))
            flag.box->setToolTip(text(Msg::MsgYouHaveToReturn));

    for (auto& n : names_) {
        n.all->setText(text(Msg::MsgAllButton));
        n.field->setToolTip(NameFilterHint(catalogue, n.list));
        ShowNameFilter(n.list);
    }
    ActorBox->setTitle(text(Msg::MsgActor));
    SpeedButton6->setText(text(Msg::MsgRemoveActor));
    SpeedButton2->setText(text(Msg::MsgAllButton));
    SpeedButton16->setToolTip(text(Msg::MsgResetAllSorting));
}

} // namespace tavrin
