// The INFORMATION page: the current title field by field, read-only, with "Watched Today".
#include "app/browse/information_page.h"

#include "app/browse/cover_widget.h"
#include "app/browse/covers.h"
#include "app/browse/title_view.h"
#include "editing/dvd_panel_window.h"
#include "editing/media_files.h"
#include "editing/title_editor_window.h"
#include "lang/vocabulary.h"
#include "platform/page_widgets.h"
#include "platform/picture_decoder.h"
#include "platform/text.h"
#include "platform/thumbnail_cache.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace tavrin {
namespace {

// The side of the thumbnails the cover is drawn from: the cover grid's default, so that both
// share what is decoded.
constexpr int CoverThumbnailSide = 128;

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

TInformationPage::TInformationPage(BrowseHost host, QWidget* parent)
    : QWidget(parent), host_(std::move(host)) {
    setObjectName(QStringLiteral("DISC"));
    Build();
}

void TInformationPage::Build() {
    QWidget* content = ScrolledContent(this);
    QVBoxLayout* page = PageColumn(content);

    // Title, year, length.
    Titre = ViewField("Titre", content);
    Annee = ViewField("Annee", content);
    Duree = ViewField("Duree", content);
    Annee->setFixedWidth(40);
    Duree->setFixedWidth(32);
    TitleLabel = Caption(content);
    YearLabel = Caption(content);
    LengthLabel = Caption(content);
    QFont bold = Titre->font();
    bold.setBold(true);
    Titre->setFont(bold);
    page->addLayout(Row({TitleLabel, Titre}));

    // Medium line, with the buttons that depend on the title.
    Support = ViewField("Support", content);
    Zone = ViewField("Zone", content);
    Standard = ViewField("Standard", content);
    AspectRatio = ViewField("AspectRatio", content);
    MPAA = ViewField("MPAA", content);
    ATxtButton = NamedButton("ATxtButton", content, QStringLiteral("TEXT"));
    DVDButton = NamedButton("DVDButton", content, QStringLiteral("DVD"));
    MediaButton = NamedButton("MediaButton", content, QStringLiteral("MEDIA"));
    page->addLayout(
        Row({YearLabel, Annee, LengthLabel, Duree, Support, Zone, DVDButton, ATxtButton, MediaButton}));

    // People on the left; genres and kinds on the right.
    Director = ViewField("Director", content);
    Composer = ViewField("Composer", content);
    DirectorLabel = Caption(content);
    ComposerLabel = Caption(content);
    ActorLabel = Caption(content);
    GenreLabel = Caption(content);
    LDActorList = ViewList("LDActorList", content, 5, false);
    // Plain read-only fields: the view shows the title's genres and trade, it does not choose them.
    Genre = ViewField("Genre", content);
    Genre2 = ViewField("Genre2", content);
    AVendre = ViewField("AVendre", content);
    Sound = ViewField("Sound", content);
    Color = ViewField("Color", content);
    auto* people = new QGridLayout;
    people->setSpacing(3);
    people->addWidget(DirectorLabel, 0, 0);
    people->addWidget(Director, 0, 1);
    people->addWidget(ComposerLabel, 1, 0);
    people->addWidget(Composer, 1, 1);
    people->addWidget(ActorLabel, 2, 0, Qt::AlignTop);
    people->addWidget(LDActorList, 2, 1, 3, 1);
    people->addWidget(Genre, 0, 2);
    people->addWidget(Genre2, 1, 2);
    people->addWidget(Sound, 2, 2);
    people->addWidget(Color, 3, 2);
    people->addWidget(AVendre, 4, 2);
    people->addLayout(Row({Standard, AspectRatio, MPAA}), 5, 2);
    people->addWidget(GenreLabel, 5, 0, 1, 2, Qt::AlignRight);
    GenreLabel->hide(); // the genre lists speak for themselves; the caption serves as their hint
    people->setColumnStretch(1, 3);
    people->setColumnStretch(2, 2);
    page->addLayout(people);

    // Sides and marks.
    Side = NamedGroup("Side", content);
    CLVLabel = Caption(Side);
    CLVLabel->setObjectName(QStringLiteral("CLVLabel"));
    CAVLabel = Caption(Side);
    CAVLabel->setObjectName(QStringLiteral("CAVLabel"));
    CLV = ViewField("CLV", Side);
    CAV = ViewField("CAV", Side);
    CLV->setFixedWidth(24);
    CAV->setFixedWidth(24);
    auto* sides = new QGridLayout(Side);
    Tighten(sides);
    sides->addWidget(CLVLabel, 0, 0);
    sides->addWidget(CLV, 0, 1);
    sides->addWidget(CAVLabel, 1, 0);
    sides->addWidget(CAV, 1, 1);
    const auto markGroup = [&](const char* name, QProgressBar*& bar, const char* barName) {
        QGroupBox* group = NamedGroup(name, content);
        bar = MarkBar(barName, group);
        auto* l = new QHBoxLayout(group);
        Tighten(l);
        l->addWidget(bar);
        return group;
    };
    Notes = markGroup("Notes", NoteFilm, "NoteFilm");
    GroupBox3 = markGroup("GroupBox3", NoteImage, "NoteImage");
    GroupBox4 = markGroup("GroupBox4", NoteSon, "NoteSon");
    auto* marks = new QVBoxLayout;
    marks->setSpacing(1);
    for (QGroupBox* g : {Notes, GroupBox3, GroupBox4})
        marks->addWidget(g);

    // Flags and extras.
    OtherBox = NamedGroup("GroupBox12", content);
    Other = ViewList("Other", OtherBox, 5, true);
    (new QVBoxLayout(OtherBox))->addWidget(Other);
    Tighten(OtherBox->layout());
    Extras = NamedGroup("Extras", content);
    ExtrasBox = ViewList("ExtrasBox", Extras, 5, true);
    (new QVBoxLayout(Extras))->addWidget(ExtrasBox);
    Tighten(Extras->layout());
    auto* middle = new QHBoxLayout;
    middle->setSpacing(3);
    auto* sideColumn = new QVBoxLayout;
    sideColumn->addWidget(Side);
    sideColumn->addStretch();
    middle->addLayout(sideColumn);
    middle->addLayout(marks, 2);
    Cover = new CoverWidget(content);
    Cover->setObjectName(QStringLiteral("Cover"));
    middle->addWidget(Cover, 0, Qt::AlignTop);
    middle->addWidget(OtherBox, 4, Qt::AlignTop);
    middle->addWidget(Extras, 5, Qt::AlignTop);
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
    NomBox = ViewField("NomBox", content);
    NomInfo = ViewField("NomInfo", content);
    NomInfo2 = ViewField("NomInfo2", content);
    Editeur = ViewField("Editeur", content);
    GroupBox8 = nameGroup("GroupBox8", {NomBox});
    GroupBox18 = nameGroup("GroupBox18", {NomInfo, NomInfo2});
    GroupBox1 = nameGroup("GroupBox1", {Editeur});
    page->addLayout(Row({GroupBox8, GroupBox1}));
    page->addWidget(GroupBox18);

    // Watching and buying.
    Watch = NamedGroup("Watch", content);
    NbVision = ViewField("NbVision", Watch);
    NbVision->setFixedWidth(36);
    DateVision = ViewField("DateVision", Watch);
    SpeedButton9 = NamedButton("SpeedButton9", Watch, QString());
    auto* watch = new QGridLayout(Watch);
    Tighten(watch);
    watch->addWidget(NbVision, 0, 0);
    watch->addWidget(DateVision, 0, 1);
    watch->addWidget(SpeedButton9, 1, 0, 1, 2);
    Buy = NamedGroup("Buy", content);
    Prix = ViewField("Prix", Buy);
    // Room for the whole of the largest price the editor accepts, never just its last digits.
    Prix->setMinimumWidth(Prix->fontMetrics().horizontalAdvance(QStringLiteral("999999999999.00")) + 12);
    Prix->setAlignment(Qt::AlignRight);
    DateAchat = ViewField("DateAchat", Buy);
    Used = NamedCheck("Used", Buy);
    MakeDisplayOnly(Used);
    Boutique = ViewField("Boutique", Buy);
    auto* buy = new QGridLayout(Buy);
    Tighten(buy);
    buy->addWidget(Prix, 0, 0);
    buy->addWidget(DateAchat, 0, 1);
    buy->addWidget(Used, 0, 2);
    buy->addWidget(Boutique, 1, 0, 1, 3);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(3);
    bottom->addWidget(Watch, 2);
    bottom->addWidget(Buy, 3);
    page->addLayout(bottom);
    page->addStretch();

    connect(SpeedButton9, &QToolButton::clicked, this, &TInformationPage::WatchedTodayClicked);
    connect(ATxtButton, &QToolButton::clicked, this, [this] { host_.showText(); });
    connect(MediaButton, &QToolButton::clicked, this, [this] { host_.showMedia(); });
    connect(DVDButton, &QToolButton::clicked, this, [this] { host_.viewDvdPanel(); });
    connect(Cover, &CoverWidget::Clicked, this, &TInformationPage::CoverClicked);
    connect(&host_.thumbnails, &ThumbnailCache::Ready, this, [this](const QString& key, int side) {
        if (side == CoverThumbnailSide && key == coverKey_) ShowCoverImage();
    });
}

void TInformationPage::ApplyTexts() {
    const auto text = [this](Msg m) { return QText(host_.catalogue, m); };
    TitleLabel->setText(text(Msg::MsgTitle));
    Titre->setToolTip(text(Msg::MsgTitle));
    SpeedButton9->setText(text(Msg::MsgWatchedToday));
    YearLabel->setText(text(Msg::MsgYear));
    Annee->setToolTip(text(Msg::MsgYear));
    LengthLabel->setText(text(Msg::MsgLength));
    Duree->setToolTip(text(Msg::MsgLength));
    DirectorLabel->setText(text(Msg::MsgDirector));
    Director->setToolTip(text(Msg::MsgDirector));
    ComposerLabel->setText(text(Msg::MsgComposer));
    Composer->setToolTip(text(Msg::MsgComposer));
    ActorLabel->setText(text(Msg::MsgActor));
    LDActorList->setToolTip(text(Msg::MsgActor));
    GenreLabel->setText(text(Msg::MsgGenre));
    Genre->setToolTip(text(Msg::MsgGenre));
    Genre2->setToolTip(text(Msg::MsgGenre));
    Sound->setToolTip(text(Msg::MsgSound));
    Side->setTitle(text(Msg::MsgSide));
    Notes->setTitle(text(Msg::MsgMovieMark));
    GroupBox3->setTitle(text(Msg::MsgImageMark));
    GroupBox4->setTitle(text(Msg::MsgSoundMark));
    OtherBox->setTitle(text(Msg::MsgOther));
    Extras->setTitle(text(Msg::MsgExtras));
    GroupBox8->setTitle(text(Msg::MsgBoxNameOrMultiple));
    GroupBox18->setTitle(text(Msg::MsgOtherInformations));
    GroupBox1->setTitle(text(Msg::MsgPublisher));
    Watch->setTitle(text(Msg::MsgWatch));
    NbVision->setToolTip(text(Msg::MsgWatchingTimes));
    Buy->setTitle(text(Msg::MsgBuy));
    Prix->setToolTip(text(Msg::MsgPrice));
    Used->setText(text(Msg::MsgUsed));
    Boutique->setToolTip(text(Msg::MsgRetailer));
}

void TInformationPage::Clear() {
    for (QLineEdit* e :
         {Titre,    Annee,      Duree, AspectRatio, Director, Composer, Boutique, Support, Zone,
          MPAA,     CAV,        CLV,   Standard,    Sound,    Color,    NomBox,   NomInfo, NomInfo2,
          NbVision, DateVision, Prix,  DateAchat,   Editeur,  Genre,    Genre2,   AVendre})
        e->clear();
    for (QListWidget* l : {LDActorList, Other, ExtrasBox})
        l->clear();
    for (QProgressBar* b : {NoteFilm, NoteImage, NoteSon})
        b->setValue(0);
    Used->setChecked(false);
    coverKey_.clear();
    Cover->setToolTip({});
    Cover->SetPicture({});
    ATxtButton->setVisible(false);
    DVDButton->setVisible(false);
    Zone->setVisible(false);
    CLVLabel->setText(QText(host_.catalogue, Msg::MsgClv));
    CAVLabel->setText(QText(host_.catalogue, Msg::MsgCav));
}

void TInformationPage::ShowTitle(std::size_t record) {
    const Collection& collection = host_.collection;
    const MessageCatalogue& catalogue = host_.catalogue;
    const TitleRecord& t = collection.RecordAt(record);
    const auto name = [&](ListId list) { return QStringFromCp1252(ReferencedName(collection, t, list)); };
    const auto fixed = [](std::span<const std::string_view> names, int index) {
        const std::string_view s = ItemText(names, index);
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    };

    Titre->setText(QStringFromCp1252(t.TitleView()));
    Annee->setText(Decimal(t.Year()));
    Duree->setText(Decimal(t.Length()));
    AspectRatio->setText(fixed(AspectRatioNames, t.AspectRatio()));
    Director->setText(name(ListId::Director));
    Composer->setText(name(ListId::Composer));
    Boutique->setText(name(ListId::Retailer));
    QStringList actors;
    for (std::string_view actor : ActorNames(collection, t))
        actors << QStringFromCp1252(actor);
    FillList(LDActorList, actors);
    Genre->setText(QString::fromStdString(GenreName(catalogue, t.Genre())));
    Genre2->setText(QString::fromStdString(GenreName(catalogue, t.Genre2())));
    AVendre->setText(t.Trade() < TradeNames.size() ? QText(catalogue, TradeNames[t.Trade()]) : QString());
    Support->setText(fixed(SupportNames, t.Support()));
    Zone->setText(fixed(ZoneNames, t.Zone()));
    MPAA->setText(fixed(MpaaNames, t.Mpaa()));
    NoteFilm->setValue(std::min<int>(t.FilmRating(), 5));
    NoteImage->setValue(std::min<int>(t.PictureRating(), 5));
    NoteSon->setValue(std::min<int>(t.SoundRating(), 5));
    CAV->setText(Decimal(t.CavSides()));
    CLV->setText(Decimal(t.ClvSides()));
    Standard->setText(fixed(StandardNames, t.Standard()));
    Sound->setText(fixed(SoundNames, t.Sound()));
    Color->setText(t.Color() < ColorNames.size() ? QText(catalogue, ColorNames[t.Color()]) : QString());
    QStringList lines;
    for (const auto& line : OtherLines(t, catalogue))
        lines << QString::fromStdString(line);
    FillList(Other, lines);
    NomBox->setText(name(ListId::Box));
    NomInfo->setText(name(ListId::Info));
    NomInfo2->setText(name(ListId::Info2));
    lines.clear();
    for (const auto& line : ExtrasLines(t, catalogue))
        lines << QString::fromStdString(line);
    FillList(ExtrasBox, lines);
    NbVision->setText(Decimal(t.Viewings()));
    DateVision->setText(DateText(t.WatchDate()));
    Prix->setText(PriceText(t.Price()));
    Used->setChecked(t.Used());
    DateAchat->setText(DateText(t.BuyDate()));
    Editeur->setText(name(ListId::Publisher));

    // Side captions and the DVD-only controls.
    const SideCaptions sides = SideCaptionsFor(t.Support());
    CLVLabel->setText(sides.clv ? QText(catalogue, *sides.clv) : QStringLiteral("Disc"));
    CAVLabel->setText(QText(catalogue, sides.cav));
    CAVLabel->setVisible(sides.cavVisible);
    CAV->setVisible(sides.cavVisible);
    const bool dvd = t.Support() == 1;
    Zone->setVisible(dvd);
    DVDButton->setVisible(dvd);
    ShowCover(record);
}

void TInformationPage::ShowCover(std::size_t record) {
    const auto entry = CoverEntry(host_.collection, record);
    coverKey_ = entry ? QStringFromCp1252(*entry) : QString();
    Cover->setToolTip(coverKey_);
    ShowCoverImage();
}

void TInformationPage::ShowCoverImage() {
    Cover->SetPicture({});
    if (coverKey_.isEmpty()) return;
    // Found on a worker, as the cover grid finds its covers: the folder may be large.
    const auto lookup = host_.thumbnails.Find(
        coverKey_, CoverThumbnailSide, [medias = host_.mediaFolder, name = Cp1252FromQString(coverKey_)] {
            const auto file = FindMediaFile(medias, name);
            return file ? QStringFromPath(*file) : QString();
        });
    // Waiting: shown when Ready comes; Failed: a missing or unreadable picture shows nothing.
    if (lookup.state == ThumbnailCache::State::Ready) Cover->SetPicture(lookup.image);
}

void TInformationPage::CoverClicked() {
    if (coverKey_.isEmpty() || Cover->Picture().isNull()) return;
    const auto file = FindMediaFile(host_.mediaFolder, Cp1252FromQString(coverKey_));
    if (!file) return;
    const QImage picture = NViewLibLoad(QStringFromPath(*file), 1);
    if (!picture.isNull()) host_.viewPicture(coverKey_, picture);
}

void TInformationPage::WatchedTodayClicked() {
    const auto record = host_.currentRecord();
    if (!record) return;
    // The page shows the new count and date as the main window follows the change.
    WatchedToday(host_.document, *record, host_.today);
}

void TInformationPage::ShowTextButton(bool visible) {
    ATxtButton->setVisible(visible);
}

void TInformationPage::ShowMediaButton(bool visible) {
    MediaButton->setVisible(visible);
}

} // namespace tavrin
