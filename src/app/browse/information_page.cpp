// The INFORMATION page: the current title field by field, read-only, with "Watched Today".
#include "app/browse/page_widgets.h"
#include "app/browse/title_view.h"
#include "app/main_window.h"
#include "editing/dvd_panel_window.h"
#include "editing/title_editor_window.h"
#include "lang/vocabulary.h"
#include "platform/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

QLabel* Caption(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QListWidget* ViewList(const char* name, QWidget* parent, int rows, bool sorted) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setFocusPolicy(Qt::NoFocus);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setSortingEnabled(sorted);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFixedHeight(rows * list->fontMetrics().height() + 6);
    return list;
}

QProgressBar* MarkBar(const char* name, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, 5);
    bar->setFormat(QStringLiteral("%v"));
    bar->setMaximumHeight(14);
    return bar;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    for (QWidget* w : widgets)
        row->addWidget(w);
    return row;
}

QString Decimal(int value) {
    return QString::number(value);
}

// The user's short date; no date (a day number below 1) shows as midnight.
QString DateText(DayNumber day) {
    const QLocale locale = QLocale::system();
    if (day < 1) return locale.toString(QTime(0, 0), QStringLiteral("H:mm:ss"));
    const CivilDate d = DateFromDayNumber(day);
    return locale.toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat);
}

QString PriceText(float price) {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(price), 'f', 2);
}

void FillList(QListWidget* list, const QStringList& lines) {
    list->clear();
    list->addItems(lines);
}

} // namespace

void TLDF1::BuildInformationPage() {
    InformationPageControls& p = pages_->info;
    QWidget* content = ScrolledContent(DISC);
    QVBoxLayout* page = PageColumn(content);

    // Title, year, length.
    p.Titre = ViewField("Titre", content);
    p.Annee = ViewField("Annee", content);
    p.Duree = ViewField("Duree", content);
    p.Annee->setFixedWidth(40);
    p.Duree->setFixedWidth(32);
    p.TitleLabel = Caption(content);
    p.YearLabel = Caption(content);
    p.LengthLabel = Caption(content);
    QFont bold = p.Titre->font();
    bold.setBold(true);
    p.Titre->setFont(bold);
    page->addLayout(Row({p.TitleLabel, p.Titre}));

    // Medium line, with the buttons that depend on the title.
    p.Support = ViewField("Support", content);
    p.Zone = ViewField("Zone", content);
    p.Standard = ViewField("Standard", content);
    p.AspectRatio = ViewField("AspectRatio", content);
    p.MPAA = ViewField("MPAA", content);
    p.ATxtButton = NamedButton("ATxtButton", content, QStringLiteral("TEXT"));
    p.DVDButton = NamedButton("DVDButton", content, QStringLiteral("DVD"));
    p.MediaButton = NamedButton("MediaButton", content, QStringLiteral("MEDIA"));
    page->addLayout(Row({p.YearLabel, p.Annee, p.LengthLabel, p.Duree, p.Support, p.Zone, p.DVDButton,
                         p.ATxtButton, p.MediaButton}));

    // People on the left; genres and kinds on the right.
    p.Director = ViewField("Director", content);
    p.Composer = ViewField("Composer", content);
    p.DirectorLabel = Caption(content);
    p.ComposerLabel = Caption(content);
    p.ActorLabel = Caption(content);
    p.GenreLabel = Caption(content);
    p.LDActorList = ViewList("LDActorList", content, 5, false);
    // Plain read-only fields: the view shows the title's genres and trade, it does not choose them.
    p.Genre = ViewField("Genre", content);
    p.Genre2 = ViewField("Genre2", content);
    p.AVendre = ViewField("AVendre", content);
    p.Sound = ViewField("Sound", content);
    p.Color = ViewField("Color", content);
    auto* people = new QGridLayout;
    people->setSpacing(3);
    people->addWidget(p.DirectorLabel, 0, 0);
    people->addWidget(p.Director, 0, 1);
    people->addWidget(p.ComposerLabel, 1, 0);
    people->addWidget(p.Composer, 1, 1);
    people->addWidget(p.ActorLabel, 2, 0, Qt::AlignTop);
    people->addWidget(p.LDActorList, 2, 1, 3, 1);
    people->addWidget(p.Genre, 0, 2);
    people->addWidget(p.Genre2, 1, 2);
    people->addWidget(p.Sound, 2, 2);
    people->addWidget(p.Color, 3, 2);
    people->addWidget(p.AVendre, 4, 2);
    people->addLayout(Row({p.Standard, p.AspectRatio, p.MPAA}), 5, 2);
    people->addWidget(p.GenreLabel, 5, 0, 1, 2, Qt::AlignRight);
    p.GenreLabel->hide(); // the genre lists speak for themselves; the caption serves as their hint
    people->setColumnStretch(1, 3);
    people->setColumnStretch(2, 2);
    page->addLayout(people);

    // Sides and marks.
    p.Side = NamedGroup("Side", content);
    p.CLVLabel = Caption(p.Side);
    p.CLVLabel->setObjectName(QStringLiteral("CLVLabel"));
    p.CAVLabel = Caption(p.Side);
    p.CAVLabel->setObjectName(QStringLiteral("CAVLabel"));
    p.CLV = ViewField("CLV", p.Side);
    p.CAV = ViewField("CAV", p.Side);
    p.CLV->setFixedWidth(24);
    p.CAV->setFixedWidth(24);
    auto* sides = new QGridLayout(p.Side);
    Tighten(sides);
    sides->addWidget(p.CLVLabel, 0, 0);
    sides->addWidget(p.CLV, 0, 1);
    sides->addWidget(p.CAVLabel, 1, 0);
    sides->addWidget(p.CAV, 1, 1);
    const auto markGroup = [&](const char* name, QProgressBar*& bar, const char* barName) {
        QGroupBox* group = NamedGroup(name, content);
        bar = MarkBar(barName, group);
        auto* l = new QHBoxLayout(group);
        Tighten(l);
        l->addWidget(bar);
        return group;
    };
    p.Notes = markGroup("Notes", p.NoteFilm, "NoteFilm");
    p.GroupBox3 = markGroup("GroupBox3", p.NoteImage, "NoteImage");
    p.GroupBox4 = markGroup("GroupBox4", p.NoteSon, "NoteSon");
    auto* marks = new QVBoxLayout;
    marks->setSpacing(1);
    for (QGroupBox* g : {p.Notes, p.GroupBox3, p.GroupBox4})
        marks->addWidget(g);

    // Flags and extras.
    p.OtherBox = NamedGroup("GroupBox12", content);
    p.Other = ViewList("Other", p.OtherBox, 5, true);
    (new QVBoxLayout(p.OtherBox))->addWidget(p.Other);
    Tighten(p.OtherBox->layout());
    p.Extras = NamedGroup("Extras", content);
    p.ExtrasBox = ViewList("ExtrasBox", p.Extras, 5, true);
    (new QVBoxLayout(p.Extras))->addWidget(p.ExtrasBox);
    Tighten(p.Extras->layout());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(3);
    auto* sideColumn = new QVBoxLayout;
    sideColumn->addWidget(p.Side);
    sideColumn->addStretch();
    middle->addLayout(sideColumn);
    middle->addLayout(marks, 2);
    middle->addWidget(p.OtherBox, 4, Qt::AlignTop);
    middle->addWidget(p.Extras, 5, Qt::AlignTop);
    page->addLayout(middle);

    // Box, informations, publisher.
    const auto nameGroup = [&](const char* name, std::initializer_list<QLineEdit*> fields) {
        QGroupBox* group = NamedGroup(name, content);
        auto* l = new QHBoxLayout(group);
        Tighten(l);
        for (QLineEdit* f : fields) {
            f->setParent(group);
            l->addWidget(f);
        }
        return group;
    };
    p.NomBox = ViewField("NomBox", content);
    p.NomInfo = ViewField("NomInfo", content);
    p.NomInfo2 = ViewField("NomInfo2", content);
    p.Editeur = ViewField("Editeur", content);
    p.GroupBox8 = nameGroup("GroupBox8", {p.NomBox});
    p.GroupBox18 = nameGroup("GroupBox18", {p.NomInfo, p.NomInfo2});
    p.GroupBox1 = nameGroup("GroupBox1", {p.Editeur});
    page->addLayout(Row({p.GroupBox8, p.GroupBox1}));
    page->addWidget(p.GroupBox18);

    // Watching and buying.
    p.Watch = NamedGroup("Watch", content);
    p.NbVision = ViewField("NbVision", p.Watch);
    p.NbVision->setFixedWidth(36);
    p.DateVision = ViewField("DateVision", p.Watch);
    p.SpeedButton9 = NamedButton("SpeedButton9", p.Watch, QStringLiteral("Watched Today"));
    auto* watch = new QGridLayout(p.Watch);
    Tighten(watch);
    watch->addWidget(p.NbVision, 0, 0);
    watch->addWidget(p.DateVision, 0, 1);
    watch->addWidget(p.SpeedButton9, 1, 0, 1, 2);
    p.Buy = NamedGroup("Buy", content);
    p.Prix = ViewField("Prix", p.Buy);
    // Room for the whole of the largest price the editor accepts, never just its last digits.
    p.Prix->setMinimumWidth(p.Prix->fontMetrics().horizontalAdvance(QStringLiteral("999999999999.00")) + 12);
    p.Prix->setAlignment(Qt::AlignRight);
    p.DateAchat = ViewField("DateAchat", p.Buy);
    p.Used = NamedCheck("Used", p.Buy);
    MakeDisplayOnly(p.Used);
    p.Boutique = ViewField("Boutique", p.Buy);
    auto* buy = new QGridLayout(p.Buy);
    Tighten(buy);
    buy->addWidget(p.Prix, 0, 0);
    buy->addWidget(p.DateAchat, 0, 1);
    buy->addWidget(p.Used, 0, 2);
    buy->addWidget(p.Boutique, 1, 0, 1, 3);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(3);
    bottom->addWidget(p.Watch, 2);
    bottom->addWidget(p.Buy, 3);
    page->addLayout(bottom);
    page->addStretch();

    connect(p.SpeedButton9, &QToolButton::clicked, this, &TLDF1::SpeedButton9Click);
    connect(p.ATxtButton, &QToolButton::clicked, this, [this] { Onglet->setCurrentWidget(TEXTDISC); });
    connect(p.MediaButton, &QToolButton::clicked, this, &TLDF1::MediaButtonClick);
    connect(p.DVDButton, &QToolButton::clicked, this, [this] {
        if (windows_.dvdPanel) windows_.dvdPanel->OpenForViewing(this);
    });
    ClearTitleView();
}

void TLDF1::ApplyInformationTexts() {
    InformationPageControls& p = pages_->info;
    const auto text = [this](Msg m) { return QText(catalogue_, m); };
    p.TitleLabel->setText(text(Msg::MsgTitle));
    p.Titre->setToolTip(text(Msg::MsgTitle));
    p.YearLabel->setText(text(Msg::MsgYear));
    p.Annee->setToolTip(text(Msg::MsgYear));
    p.LengthLabel->setText(text(Msg::MsgLength));
    p.Duree->setToolTip(text(Msg::MsgLength));
    p.DirectorLabel->setText(text(Msg::MsgDirector));
    p.Director->setToolTip(text(Msg::MsgDirector));
    p.ComposerLabel->setText(text(Msg::MsgComposer));
    p.Composer->setToolTip(text(Msg::MsgComposer));
    p.ActorLabel->setText(text(Msg::MsgActor));
    p.LDActorList->setToolTip(text(Msg::MsgActor));
    p.GenreLabel->setText(text(Msg::MsgGenre));
    p.Genre->setToolTip(text(Msg::MsgGenre));
    p.Genre2->setToolTip(text(Msg::MsgGenre));
    p.Sound->setToolTip(text(Msg::MsgSound));
    p.Side->setTitle(text(Msg::MsgSide));
    p.Notes->setTitle(text(Msg::MsgMovieMark));
    p.GroupBox3->setTitle(text(Msg::MsgImageMark));
    p.GroupBox4->setTitle(text(Msg::MsgSoundMark));
    p.OtherBox->setTitle(text(Msg::MsgOther));
    p.Extras->setTitle(QStringLiteral("Extras"));
    p.GroupBox8->setTitle(text(Msg::MsgBoxNameOrMultiple));
    p.GroupBox18->setTitle(text(Msg::MsgOtherInformations));
    p.GroupBox1->setTitle(text(Msg::MsgPublisher));
    p.Watch->setTitle(text(Msg::MsgWatch));
    p.NbVision->setToolTip(text(Msg::MsgWatchingTimes));
    p.Buy->setTitle(text(Msg::MsgBuy));
    p.Prix->setToolTip(text(Msg::MsgPrice));
    p.Used->setText(text(Msg::MsgUsed));
    p.Boutique->setToolTip(text(Msg::MsgRetailer));

    // The vocabulary texts of the shown title, in the new language.
    ShowCurrentTitle();
}

void TLDF1::ClearTitleView() {
    InformationPageControls& p = pages_->info;
    for (QLineEdit* e :
         {p.Titre,     p.Annee,   p.Duree,   p.AspectRatio, p.Director, p.Composer,   p.Boutique,
          p.Support,   p.Zone,    p.MPAA,    p.CAV,         p.CLV,      p.Standard,   p.Sound,
          p.Color,     p.NomBox,  p.NomInfo, p.NomInfo2,    p.NbVision, p.DateVision, p.Prix,
          p.DateAchat, p.Editeur, p.Genre,   p.Genre2,      p.AVendre})
        e->clear();
    for (QListWidget* l : {p.LDActorList, p.Other, p.ExtrasBox})
        l->clear();
    for (QProgressBar* b : {p.NoteFilm, p.NoteImage, p.NoteSon})
        b->setValue(0);
    p.Used->setChecked(false);
    p.ATxtButton->setVisible(false);
    p.DVDButton->setVisible(false);
    p.Zone->setVisible(false);
    p.CLVLabel->setText(QText(catalogue_, Msg::MsgClv));
    p.CAVLabel->setText(QText(catalogue_, Msg::MsgCav));
    pages_->text.Review->clear();
    ClearMediaPage();
}

void TLDF1::ShowCurrentTitle() {
    const auto record = CurrentRecord();
    if (!record || *record >= collection_.Count()) return;
    InformationPageControls& p = pages_->info;
    const TitleRecord& t = collection_.RecordAt(*record);
    const auto name = [&](ListId list) { return QStringFromCp1252(ReferencedName(collection_, t, list)); };
    const auto fixed = [](std::span<const std::string_view> names, int index) {
        const std::string_view s = ItemText(names, index);
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    };

    p.Titre->setText(QStringFromCp1252(t.TitleView()));
    p.Annee->setText(Decimal(t.Year()));
    p.Duree->setText(Decimal(t.Length()));
    p.AspectRatio->setText(fixed(AspectRatioNames, t.AspectRatio()));
    p.Director->setText(name(ListId::Director));
    p.Composer->setText(name(ListId::Composer));
    p.Boutique->setText(name(ListId::Retailer));
    QStringList actors;
    for (std::string_view actor : ActorNames(collection_, t))
        actors << QStringFromCp1252(actor);
    FillList(p.LDActorList, actors);
    p.Genre->setText(QString::fromStdString(GenreName(catalogue_, t.Genre())));
    p.Genre2->setText(QString::fromStdString(GenreName(catalogue_, t.Genre2())));
    p.AVendre->setText(t.Trade() < TradeNames.size() ? QText(catalogue_, TradeNames[t.Trade()]) : QString());
    p.Support->setText(fixed(SupportNames, t.Support()));
    p.Zone->setText(fixed(ZoneNames, t.Zone()));
    p.MPAA->setText(fixed(MpaaNames, t.Mpaa()));
    p.NoteFilm->setValue(std::min<int>(t.FilmRating(), 5));
    p.NoteImage->setValue(std::min<int>(t.PictureRating(), 5));
    p.NoteSon->setValue(std::min<int>(t.SoundRating(), 5));
    p.CAV->setText(Decimal(t.CavSides()));
    p.CLV->setText(Decimal(t.ClvSides()));
    p.Standard->setText(fixed(StandardNames, t.Standard()));
    p.Sound->setText(fixed(SoundNames, t.Sound()));
    p.Color->setText(t.Color() < ColorNames.size() ? QText(catalogue_, ColorNames[t.Color()]) : QString());
    QStringList lines;
    for (const auto& line : OtherLines(t, catalogue_))
        lines << QString::fromStdString(line);
    FillList(p.Other, lines);
    p.NomBox->setText(name(ListId::Box));
    p.NomInfo->setText(name(ListId::Info));
    p.NomInfo2->setText(name(ListId::Info2));
    lines.clear();
    for (const auto& line : ExtrasLines(t, catalogue_))
        lines << QString::fromStdString(line);
    FillList(p.ExtrasBox, lines);
    p.NbVision->setText(Decimal(t.Viewings()));
    p.DateVision->setText(DateText(t.WatchDate()));
    p.Prix->setText(PriceText(t.Price()));
    p.Used->setChecked(t.Used());
    p.DateAchat->setText(DateText(t.BuyDate()));
    p.Editeur->setText(name(ListId::Publisher));

    // Side captions and the DVD-only controls.
    const SideCaptions sides = SideCaptionsFor(t.Support());
    p.CLVLabel->setText(sides.clv ? QText(catalogue_, *sides.clv) : QStringLiteral("Disc"));
    p.CAVLabel->setText(QText(catalogue_, sides.cav));
    p.CAVLabel->setVisible(sides.cavVisible);
    p.CAV->setVisible(sides.cavVisible);
    const bool dvd = t.Support() == 1;
    p.Zone->setVisible(dvd);
    p.DVDButton->setVisible(dvd);

    // The panel is shared with the title editor: while it is open, the panel holds the edited
    // title's languages.
    const bool editing = windows_.ajouteF && windows_.ajouteF->isVisible();
    if (windows_.dvdPanel && !editing) windows_.dvdPanel->LoadDvdPanel(collection_, *record);
    LoadReview();
    ShowTitleMedia(*record);
}

void TLDF1::SpeedButton9Click() {
    const auto record = CurrentRecord();
    if (!record) return;
    MarkWatchedToday(collection_, *record, today_);
    const TitleRecord& t = collection_.RecordAt(*record);
    pages_->info.NbVision->setText(Decimal(t.Viewings()));
    pages_->info.DateVision->setText(DateText(t.WatchDate()));
}

} // namespace tavrin
