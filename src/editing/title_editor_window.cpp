#include "editing/title_editor_window.h"

#include "editing/choose_actor_dialog.h"
#include "editing/choose_element_dialog.h"
#include "editing/choose_media_dialog.h"
#include "editing/dvd_panel_window.h"
#include "editing/media_drop.h"
#include "editing/media_files.h"
#include "editing/review_window.h"
#include "lang/vocabulary.h"
#include "platform/dragged_files.h"
#include "platform/length_note.h"
#include "platform/page_widgets.h"
#include "platform/tab_order.h"
#include "platform/text.h"
#include "platform/up_down.h"
#include "platform/user_prompts.h"
#include "platform/window_placement.h"
#include "store/review_files.h"
#include "store/text_encoding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin {
namespace {

constexpr std::array<std::string_view, 4> EditorSupportNames{"LD", "DVD", "VHS", "VCD"};

constexpr EditorFlag ExtrasFlags[] = {
    EditorFlag::AInterview,    EditorFlag::ATrailer,    EditorFlag::AIsolated,   EditorFlag::AMultiAngle,
    EditorFlag::ADeletedScene, EditorFlag::AFeaturette, EditorFlag::ACommentary, EditorFlag::AStillFrame,
    EditorFlag::ASupAutre,     EditorFlag::ADocumentary};

bool IsExtra(EditorFlag f) {
    return std::find(std::begin(ExtrasFlags), std::end(ExtrasFlags), f) != std::end(ExtrasFlags);
}

QString Latin(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <class W> W* Named(const char* name, QWidget* parent) {
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QLineEdit* NumberEdit(const char* name, QWidget* parent, int maxLength, int width) {
    auto* edit = Named<QLineEdit>(name, parent);
    edit->setMaxLength(maxLength);
    edit->setFixedWidth(width);
    return edit;
}

QComboBox* FixedCombo(const char* name, QWidget* parent, std::span<const std::string_view> items) {
    auto* combo = Named<QComboBox>(name, parent);
    for (auto item : items)
        combo->addItem(Latin(item));
    return combo;
}

// Refills a vocabulary combo in the current language, keeping the selected item.
void RefillKeepingIndex(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker block(combo);
    const int index = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(index < combo->count() ? index : -1);
}

QScrollBar* MarkBar(const char* name, QWidget* parent) {
    auto* bar = Named<QScrollBar>(name, parent);
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(0, MaxMark);
    bar->setPageStep(1);
    return bar;
}

QProgressBar* MarkGauge(const char* name, QWidget* parent) {
    auto* gauge = Named<QProgressBar>(name, parent);
    gauge->setRange(0, MaxMark);
    gauge->setTextVisible(false);
    gauge->setMaximumHeight(10);
    return gauge;
}

void SetComboIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

} // namespace

TAjouteF::TAjouteF(const MessageCatalogue& catalogue) : catalogue_(catalogue) {
    setObjectName(QStringLiteral("TAjouteF"));
    setAttribute(Qt::WA_QuitOnClose, false);
    model_.decimalSeparator = QLocale().decimalPoint().at(0).toLatin1();
    if (model_.decimalSeparator == 0) model_.decimalSeparator = '.';
    BuildControls();
    SetReadingTabOrder(this);
    ApplyTexts();
    tavrin::ClearEditor(model_, 0, 0);
    ShowModel();
    adjustSize();
    CentreOnScreen(this);
}

TAjouteF::~TAjouteF() = default;

void TAjouteF::BuildControls() {
    auto* grid = new QGridLayout;

    // Left column: title, figures, genres and the name references.
    auto* left = new QGridLayout;
    int row = 0;
    TitleLabel = Named<QLabel>("TitleLabel", this);
    ATitre = Named<QLineEdit>("ATitre", this);
    ATitre->setMaxLength(static_cast<int>(TitleTextSize - 1));
    ATitre->setMinimumWidth(280);
    left->addWidget(TitleLabel, row, 0);
    left->addWidget(ATitre, row++, 1, 1, 2);

    auto* figures = new QHBoxLayout;
    YearLabel = Named<QLabel>("YearLabel", this);
    AAnnee = NumberEdit("AAnnee", this, 4, 50);
    LengthLabel = Named<QLabel>("LengthLabel", this);
    ADuree = NumberEdit("ADuree", this, 4, 50);
    AAspectRatio = FixedCombo("AAspectRatio", this, AspectRatioNames);
    AMPAA = FixedCombo("AMPAA", this, MpaaNames);
    figures->addWidget(YearLabel);
    figures->addWidget(AAnnee);
    figures->addWidget(LengthLabel);
    figures->addWidget(ADuree);
    figures->addWidget(AAspectRatio);
    figures->addWidget(AMPAA);
    figures->addStretch();
    left->addLayout(figures, row++, 0, 1, 3);

    GenreLabel = Named<QLabel>("GenreLabel", this);
    AGenre = Named<QComboBox>("AGenre", this);
    AGenre2 = Named<QComboBox>("AGenre2", this);
    auto* genres = new QHBoxLayout;
    genres->addWidget(AGenre, 1);
    genres->addWidget(AGenre2, 1);
    left->addWidget(GenreLabel, row, 0);
    left->addLayout(genres, row++, 1, 1, 2);

    for (std::size_t i = 0; i < EditorRefCount; ++i) {
        const EditorRefInfo& info = RefInfo(static_cast<EditorRef>(i));
        auto* edit = Named<QLineEdit>(std::string(info.control).c_str(), this);
        edit->setReadOnly(true);
        edit->installEventFilter(this);
        auto* button = Named<QToolButton>(std::string(info.button).c_str(), this);
        button->setText(QStringLiteral("..."));
        connect(button, &QToolButton::clicked, this,
                [this, i] { ChooseReference(static_cast<EditorRef>(i)); });
        refEdits_[i] = edit;
        refButtons_[i] = button;
    }
    const auto addRef = [&](QGridLayout* layout, int r, EditorRef ref) {
        layout->addWidget(refEdits_[static_cast<std::size_t>(ref)], r, 1);
        layout->addWidget(refButtons_[static_cast<std::size_t>(ref)], r, 2);
    };
    addRef(left, row++, EditorRef::Director);
    for (int slot = 0; slot < 5; ++slot)
        addRef(left, row++, ActorRef(slot));
    addRef(left, row++, EditorRef::Composer);
    addRef(left, row++, EditorRef::Publisher);

    GroupBox2 = Named<QGroupBox>("GroupBox2", this);
    auto* boxLayout = new QGridLayout(GroupBox2);
    addRef(boxLayout, 0, EditorRef::Box);
    left->addWidget(GroupBox2, row++, 0, 1, 3);
    GroupBox8 = Named<QGroupBox>("GroupBox8", this);
    auto* infoLayout = new QGridLayout(GroupBox8);
    addRef(infoLayout, 0, EditorRef::Info);
    addRef(infoLayout, 1, EditorRef::Info2);
    left->addWidget(GroupBox8, row++, 0, 1, 3);
    left->setRowStretch(row, 1);

    // Middle column: medium, lists, sides, marks and multimedia files.
    auto* middle = new QVBoxLayout;
    ASupport = FixedCombo("ASupport", this, EditorSupportNames);
    AZone = FixedCombo("AZone", this, ZoneNames);
    ADVDButton = Named<QPushButton>("ADVDButton", this);
    ADVDButton->setText(QStringLiteral("DVD"));
    auto* medium = new QHBoxLayout;
    medium->addWidget(ASupport);
    medium->addWidget(AZone);
    medium->addWidget(ADVDButton);
    middle->addLayout(medium);
    AStandard = FixedCombo("AStandard", this, StandardNames);
    ASound = FixedCombo("ASound", this, SoundNames);
    AColor = Named<QComboBox>("AColor", this);
    AAVendre = Named<QComboBox>("AAVendre", this);
    for (QComboBox* combo : {AStandard, ASound, AColor, AAVendre})
        middle->addWidget(combo);

    Side = Named<QGroupBox>("Side", this);
    auto* side = new QGridLayout(Side);
    ACLVLabel = Named<QLabel>("ACLVLabel", Side);
    ACAVLabel = Named<QLabel>("ACAVLabel", Side);
    ACLV = NumberEdit("ACLV", Side, 4, 50);
    ACAV = NumberEdit("ACAV", Side, 4, 50);
    side->addWidget(ACLVLabel, 0, 0);
    side->addWidget(ACLV, 0, 1);
    side->addWidget(ACAVLabel, 1, 0);
    side->addWidget(ACAV, 1, 1);
    middle->addWidget(Side);

    const auto markGroup = [&](const char* name, QScrollBar*& bar, const char* barName, QProgressBar*& gauge,
                               const char* gaugeName) {
        auto* group = Named<QGroupBox>(name, this);
        auto* layout = new QVBoxLayout(group);
        bar = MarkBar(barName, group);
        gauge = MarkGauge(gaugeName, group);
        layout->addWidget(bar);
        layout->addWidget(gauge);
        middle->addWidget(group);
        QProgressBar* mirror = gauge;
        connect(bar, &QScrollBar::valueChanged, mirror, &QProgressBar::setValue);
        return group;
    };
    GroupBox5 = markGroup("GroupBox5", ANoteFilm, "ANoteFilm", ProgressBar2, "ProgressBar2");
    GroupBox6 = markGroup("GroupBox6", ANoteImage, "ANoteImage", ProgressBar1, "ProgressBar1");
    GroupBox7 = markGroup("GroupBox7", ANoteSon, "ANoteSon", ProgressBar3, "ProgressBar3");

    AMedia = Named<QListWidget>("AMedia", this);
    AMedia->setMaximumHeight(70);
    AMedia->viewport()->installEventFilter(this);
    AMedia->setAcceptDrops(true);
    Button12 = Named<QToolButton>("Button12", this);
    Button12->setText(QStringLiteral("+"));
    Button14 = Named<QToolButton>("Button14", this);
    Button14->setText(QStringLiteral("-"));
    connect(Button12, &QToolButton::clicked, this, &TAjouteF::Button12Click);
    connect(Button14, &QToolButton::clicked, this, &TAjouteF::Button14Click);
    auto* media = new QHBoxLayout;
    media->addWidget(AMedia, 1);
    auto* mediaButtons = new QVBoxLayout;
    mediaButtons->addWidget(Button12);
    mediaButtons->addWidget(Button14);
    mediaButtons->addStretch();
    media->addLayout(mediaButtons);
    middle->addLayout(media);
    middle->addStretch();

    // Right column: flags, extras, watch and purchase.
    auto* right = new QVBoxLayout;
    Other = Named<QGroupBox>("Other", this);
    Extras = Named<QGroupBox>("Extras", this);
    auto* otherLayout = new QGridLayout(Other);
    auto* extrasLayout = new QGridLayout(Extras);
    Buy = Named<QGroupBox>("Buy", this);
    int others = 0, extras = 0;
    for (std::size_t i = 0; i < EditorFlagCount; ++i) {
        const auto flag = static_cast<EditorFlag>(i);
        auto* box = Named<QCheckBox>(std::string(FlagInfo(flag).control).c_str(), this);
        flagBoxes_[i] = box;
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            if (!showing_) model_.flags[i] = on;
        });
        if (flag == EditorFlag::AUsed) continue; // placed in the purchase group
        if (IsExtra(flag))
            extrasLayout->addWidget(box, extras / 2, extras % 2), ++extras;
        else
            otherLayout->addWidget(box, others / 2, others % 2), ++others;
    }
    right->addWidget(Other);
    right->addWidget(Extras);

    const auto dateRow = [&](QGridLayout* layout, int r, QLineEdit*& d, const char* dn, QLineEdit*& m,
                             const char* mn, QLineEdit*& y, const char* yn, QWidget* parent) {
        d = NumberEdit(dn, parent, 2, 32);
        m = NumberEdit(mn, parent, 2, 32);
        y = NumberEdit(yn, parent, 4, 50);
        auto* line = new QHBoxLayout;
        line->addWidget(d);
        line->addWidget(new QLabel(QStringLiteral("/"), parent));
        line->addWidget(m);
        line->addWidget(new QLabel(QStringLiteral("/"), parent));
        line->addWidget(y);
        line->addStretch();
        layout->addLayout(line, r, 0, 1, 3);
    };
    Watch = Named<QGroupBox>("Watch", this);
    auto* watch = new QGridLayout(Watch);
    dateRow(watch, 0, ADateVisionJ, "ADateVisionJ", ADateVisionM, "ADateVisionM", ADateVisionA,
            "ADateVisionA", Watch);
    ViewingsLabel = Named<QLabel>("ViewingsLabel", Watch);
    ANbVision = NumberEdit("ANbVision", Watch, 5, 60);
    ANbVision->setReadOnly(true);
    auto* upDown = new UpDown(Watch);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    upDown->SetRange(0, MaxViewings);
    connect(upDown, &UpDown::Stepped, this, [this](int count) {
        model_.ANbVision = count;
        ANbVision->setText(QString::number(count));
    });
    upDown_ = upDown;
    watch->addWidget(ViewingsLabel, 1, 0);
    watch->addWidget(ANbVision, 1, 1);
    watch->addWidget(upDown, 1, 2, Qt::AlignLeft);
    right->addWidget(Watch);

    auto* buy = new QGridLayout(Buy);
    dateRow(buy, 0, ADateAchatJ, "ADateAchatJ", ADateAchatM, "ADateAchatM", ADateAchatA, "ADateAchatA", Buy);
    PriceLabel = Named<QLabel>("PriceLabel", Buy);
    APrix = NumberEdit("APrix", Buy, 12, 80);
    buy->addWidget(PriceLabel, 1, 0);
    buy->addWidget(APrix, 1, 1);
    buy->addWidget(flagBoxes_[static_cast<std::size_t>(EditorFlag::AUsed)], 1, 2);
    buy->addWidget(refEdits_[static_cast<std::size_t>(EditorRef::Retailer)], 2, 0, 1, 2);
    buy->addWidget(refButtons_[static_cast<std::size_t>(EditorRef::Retailer)], 2, 2, Qt::AlignLeft);
    right->addWidget(Buy);
    right->addStretch();

    grid->addLayout(left, 0, 0);
    grid->addLayout(middle, 0, 1);
    grid->addLayout(right, 0, 2);

    SpeedButton1 = Named<QPushButton>("SpeedButton1", this);
    SpeedButton1->setText(QStringLiteral("TXT"));
    BitBtn2 = Named<QPushButton>("BitBtn2", this);
    BitBtn2->setDefault(true);
    BitBtn1 = Named<QPushButton>("BitBtn1", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SpeedButton1);
    buttons->addStretch();
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // The model follows every control.
    connect(ATitre, &QLineEdit::textEdited, this, [this](const QString& text) {
        // A letter the collection cannot store stays as typed, to be named when OK refuses it.
        const QString upper = UpperStorable(text);
        model_.ATitre = Cp1252FromQString(upper);
        if (upper != text) {
            const int caret = ATitre->cursorPosition();
            ATitre->setText(upper);
            ATitre->setCursorPosition(caret);
        }
    });
    const auto fields = FieldEdits();
    for (const auto& [edit, field] : fields) {
        const EditorField f = field;
        connect(edit, &QLineEdit::textEdited, this,
                [this, f](const QString& text) { FieldText(model_, f) = Cp1252FromQString(text); });
        connect(edit, &QLineEdit::editingFinished, this, [this, f] { FieldExit(f); });
        edit->installEventFilter(this);
    }
    const std::pair<QComboBox*, int TitleEditorModel::*> lists[] = {
        {AAspectRatio, &TitleEditorModel::AAspectRatio},
        {AMPAA, &TitleEditorModel::AMPAA},
        {AStandard, &TitleEditorModel::AStandard},
        {ASound, &TitleEditorModel::ASound},
        {AZone, &TitleEditorModel::AZone},
        {AAVendre, &TitleEditorModel::AAVendre},
        {AColor, &TitleEditorModel::AColor},
    };
    for (const auto& [combo, member] : lists) {
        auto m = member;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, m](int index) {
            if (!showing_ && index >= 0) model_.*m = index;
        });
    }
    connect(ASupport, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_ || index < 0) return;
        model_.ASupport = index;
        TSupportChange();
    });
    for (auto [combo, member] :
         {std::pair{AGenre, &TitleEditorModel::AGenre}, std::pair{AGenre2, &TitleEditorModel::AGenre2}}) {
        QComboBox* c = combo;
        auto m = member;
        connect(c, &QComboBox::currentIndexChanged, this, [this, c, m](int index) {
            if (!showing_ && index >= 0) model_.*m = c->itemData(index).toInt();
        });
    }
    for (auto [bar, member] : {std::pair{ANoteFilm, &TitleEditorModel::ANoteFilm},
                               std::pair{ANoteImage, &TitleEditorModel::ANoteImage},
                               std::pair{ANoteSon, &TitleEditorModel::ANoteSon}}) {
        auto m = member;
        connect(bar, &QScrollBar::valueChanged, this, [this, m](int value) {
            if (!showing_) model_.*m = value;
        });
    }
    connect(ADVDButton, &QPushButton::clicked, this, &TAjouteF::ADVDButtonClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TAjouteF::SpeedButton1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TAjouteF::SaveEditor);

    // Every edit that takes typing says when it is full.
    const std::pair<QLineEdit*, std::optional<Msg>> limited[] = {
        {ATitre, Msg::MsgTitle},      {AAnnee, Msg::MsgYear},       {ADuree, Msg::MsgLength},
        {ACAV, std::nullopt},         {ACLV, std::nullopt},         {APrix, Msg::MsgPrice},
        {ADateVisionJ, std::nullopt}, {ADateVisionM, std::nullopt}, {ADateVisionA, std::nullopt},
        {ADateAchatJ, std::nullopt},  {ADateAchatM, std::nullopt},  {ADateAchatA, std::nullopt}};
    for (const auto& [edit, hint] : limited)
        lengthNotes_.emplace_back(new LengthNote(edit), hint);
    connect(BitBtn1, &QPushButton::clicked, this, &TAjouteF::CancelClick);
}

void TAjouteF::ApplyTexts() {
    switch (purpose_) {
    case Purpose::Add:
        setWindowTitle(QText(catalogue_, Msg::MsgAdd).toUpper());
        break;
    case Purpose::Edit:
        setWindowTitle(QText(catalogue_, Msg::MsgEdit).toUpper());
        break;
    case Purpose::Duplicate:
        setWindowTitle(QText(catalogue_, Msg::MsgDuplicate).toUpper());
        break;
    }
    const auto text = [this](Msg m) { return QText(catalogue_, m); };
    BitBtn2->setText(text(Msg::MsgOk));
    BitBtn1->setText(text(Msg::MsgCancel));
    TitleLabel->setText(text(Msg::MsgTitle));
    YearLabel->setText(text(Msg::MsgYear));
    LengthLabel->setText(text(Msg::MsgLength));
    GenreLabel->setText(text(Msg::MsgGenre));
    PriceLabel->setText(text(Msg::MsgPrice));
    ViewingsLabel->setText(text(Msg::MsgWatchingTimes));
    for (const auto& [note, hint] : lengthNotes_)
        note->ApplyTexts(catalogue_, hint ? text(*hint) : QString());
    ANbVision->setToolTip(text(Msg::MsgWatchingTimes));
    AMedia->setToolTip(text(Msg::MsgMultimediaFile));
    GroupBox2->setTitle(text(Msg::MsgBoxNameOrMultiple));
    GroupBox8->setTitle(text(Msg::MsgOtherInformations));
    GroupBox5->setTitle(text(Msg::MsgMovieMark));
    GroupBox6->setTitle(text(Msg::MsgImageMark));
    GroupBox7->setTitle(text(Msg::MsgSoundMark));
    Side->setTitle(text(Msg::MsgSide));
    Watch->setTitle(text(Msg::MsgWatch));
    Buy->setTitle(text(Msg::MsgBuy));
    Other->setTitle(text(Msg::MsgOther));
    Extras->setTitle(text(Msg::MsgExtras));

    for (std::size_t i = 0; i < EditorFlagCount; ++i) {
        const EditorFlagInfo& info = FlagInfo(static_cast<EditorFlag>(i));
        flagBoxes_[i]->setText(info.caption ? QCaptionText(catalogue_, *info.caption)
                                            : Latin(info.fixedCaption));
    }
    flagBoxes_[static_cast<std::size_t>(EditorFlag::AFlipper)]->setToolTip(text(Msg::MsgYouHaveToReturn));

    for (std::size_t i = 0; i < EditorRefCount; ++i) {
        const EditorRefInfo& info = RefInfo(static_cast<EditorRef>(i));
        const auto ref = static_cast<EditorRef>(i);
        refEdits_[i]->setToolTip(ref == EditorRef::Retailer ? text(Msg::MsgRetailer)
                                 : info.placeholder         ? text(*info.placeholder)
                                                            : QString());
        Msg hint = Msg::MsgChooseActor;
        switch (ref) {
        case EditorRef::Director:
            hint = Msg::MsgChooseDirector;
            break;
        case EditorRef::Composer:
            hint = Msg::MsgChooseComposer;
            break;
        case EditorRef::Publisher:
            hint = Msg::MsgChoosePublisher;
            break;
        case EditorRef::Box:
            hint = Msg::MsgBoxNameOrMultiple;
            break;
        case EditorRef::Retailer:
            hint = Msg::MsgRetailer;
            break;
        case EditorRef::Info:
        case EditorRef::Info2:
            hint = Msg::MsgOtherInformations;
            break;
        default:
            break;
        }
        refButtons_[i]->setToolTip(text(hint));
    }
    FillVocabulary();
    // Placeholders and side captions follow the language.
    for (std::size_t i = 0; i < EditorRefCount; ++i)
        ShowReference(static_cast<EditorRef>(i));
    ShowMedium();
}

void TAjouteF::FillVocabulary() {
    RefillKeepingIndex(AColor, CatalogueItems(catalogue_, ColorNames));
    RefillKeepingIndex(AAVendre, CatalogueItems(catalogue_, TradeNames));
    for (QComboBox* combo : {AGenre, AGenre2}) {
        const QSignalBlocker block(combo);
        const QVariant code = combo->currentData();
        combo->clear();
        for (int g : GenresByName(catalogue_))
            combo->addItem(QString::fromStdString(GenreName(catalogue_, g)), g);
        combo->setCurrentIndex(code.isValid() ? combo->findData(code) : -1);
    }
}

void TAjouteF::Bind(TitleEditorHost host) {
    host_.emplace(std::move(host));
    for (NameChooser* chooser :
         {static_cast<NameChooser*>(host_->chooseElement), static_cast<NameChooser*>(host_->chooseActor)}) {
        if (!chooser) continue;
        connect(chooser, &NameChooser::EntryDeleted, this, &TAjouteF::EntryDeleted);
        connect(chooser, &NameChooser::EntryRenamed, this, &TAjouteF::EntryRenamed);
    }
    if (host_->chooseMedia)
        connect(host_->chooseMedia, &TChooseMedia::EntryDeleted, this, &TAjouteF::EntryDeleted);
}

void TAjouteF::OpenFor(Purpose purpose, std::optional<std::size_t> record, QWidget* opener) {
    if (!host_) return;
    purpose_ = purpose;
    opened_ = record;
    lastSave_.reset();
    cancelled_ = false;
    ClearEditor();
    if (record) {
        LoadTitleIntoEditor(*record);
        if (purpose == Purpose::Duplicate) model_.target.reset();
    }
    ApplyTexts();
    opener_ = opener;
    if (opener) opener->setEnabled(false);
    setEnabled(true);
    show();
    raise();
    activateWindow();
    ATitre->setFocus();
}

void TAjouteF::ClearEditor() {
    if (!host_) return;
    tavrin::ClearEditor(model_, host_->today(), host_->videoPreference());
    host_->dvdPanel.LoadDvdPanel(host_->collection, std::nullopt);
    host_->review.SetReviewText(QString());
    ShowModel();
}

void TAjouteF::LoadTitleIntoEditor(std::size_t record) {
    if (!host_ || record >= host_->collection.Count()) return;
    tavrin::LoadTitleIntoEditor(model_, host_->collection, record, host_->textFolder);
    host_->dvdPanel.SetTicks(model_.dvd);
    host_->review.SetReviewText(QStringFromCp1252(ReviewLinesFromFile(model_.review)));
    ShowModel();
}

std::array<std::pair<QLineEdit*, EditorField>, 11> TAjouteF::FieldEdits() const {
    return {{
        {AAnnee, EditorField::AAnnee},
        {ADuree, EditorField::ADuree},
        {ACAV, EditorField::ACAV},
        {ACLV, EditorField::ACLV},
        {APrix, EditorField::APrix},
        {ADateVisionJ, EditorField::ADateVisionJ},
        {ADateVisionM, EditorField::ADateVisionM},
        {ADateVisionA, EditorField::ADateVisionA},
        {ADateAchatJ, EditorField::ADateAchatJ},
        {ADateAchatM, EditorField::ADateAchatM},
        {ADateAchatA, EditorField::ADateAchatA},
    }};
}

void TAjouteF::ShowModel() {
    showing_ = true;
    ATitre->setText(QStringFromCp1252(model_.ATitre));
    const auto fields = FieldEdits();
    for (const auto& [edit, field] : fields)
        edit->setText(QStringFromCp1252(FieldText(model_, field)));
    SetComboIndex(AAspectRatio, model_.AAspectRatio);
    SetComboIndex(AMPAA, model_.AMPAA);
    SetComboIndex(AStandard, model_.AStandard);
    SetComboIndex(ASound, model_.ASound);
    SetComboIndex(ASupport, model_.ASupport);
    SetComboIndex(AZone, model_.AZone);
    SetComboIndex(AAVendre, model_.AAVendre);
    SetComboIndex(AColor, model_.AColor);
    AGenre->setCurrentIndex(AGenre->findData(model_.AGenre));
    AGenre2->setCurrentIndex(AGenre2->findData(model_.AGenre2));
    ANoteFilm->setValue(model_.ANoteFilm);
    ANoteImage->setValue(model_.ANoteImage);
    ANoteSon->setValue(model_.ANoteSon);
    ANbVision->setText(QString::number(model_.ANbVision));
    upDown_->SetPosition(model_.ANbVision);
    for (std::size_t i = 0; i < EditorFlagCount; ++i)
        flagBoxes_[i]->setChecked(model_.flags[i]);
    for (std::size_t i = 0; i < EditorRefCount; ++i)
        ShowReference(static_cast<EditorRef>(i));
    ShowMedia();
    ShowMedium();
    showing_ = false;
}

void TAjouteF::ShowReference(EditorRef ref) {
    QLineEdit* edit = refEdits_[static_cast<std::size_t>(ref)];
    const int entry = model_.Ref(ref);
    const auto& placeholder = RefInfo(ref).placeholder;
    if (entry < 0) edit->setText(placeholder ? QText(catalogue_, *placeholder) : QString());
    // A number beyond its list (a hand-edited file) shows nothing and is kept.
    else
        edit->setText(host_ ? QStringFromCp1252(NameAt(host_->collection.List(RefInfo(ref).list), entry))
                            : QString());
    edit->setCursorPosition(0);
}

void TAjouteF::ShowMedia() {
    AMedia->clear();
    if (!host_) return;
    for (int slot : model_.media)
        if (slot >= 0)
            AMedia->addItem(QStringFromCp1252(NameAt(host_->collection.List(ListId::Media), slot)));
}

void TAjouteF::ShowMedium() {
    const SideCaptions captions = SideCaptionsFor(static_cast<std::uint8_t>(model_.ASupport));
    ACLVLabel->setText(captions.clv ? QText(catalogue_, *captions.clv) : QStringLiteral("Disc"));
    ACAVLabel->setText(QText(catalogue_, captions.cav));
    ACAVLabel->setVisible(captions.cavVisible);
    ACAV->setVisible(captions.cavVisible);
    const bool dvd = model_.ASupport == SupportDvd;
    AZone->setVisible(dvd);
    ADVDButton->setVisible(dvd);
}

void TAjouteF::TSupportChange() {
    ShowMedium();
}

int TAjouteF::CurrentYear() const {
    return DateFromDayNumber(host_ ? host_->today() : 0).year;
}

QLineEdit* TAjouteF::FieldEdit(EditorField field) const {
    switch (field) {
    case EditorField::AAnnee:
        return AAnnee;
    case EditorField::ADuree:
        return ADuree;
    case EditorField::ACAV:
        return ACAV;
    case EditorField::ACLV:
        return ACLV;
    case EditorField::APrix:
        return APrix;
    case EditorField::ADateVisionJ:
        return ADateVisionJ;
    case EditorField::ADateVisionM:
        return ADateVisionM;
    case EditorField::ADateVisionA:
        return ADateVisionA;
    case EditorField::ADateAchatJ:
        return ADateAchatJ;
    case EditorField::ADateAchatM:
        return ADateAchatM;
    case EditorField::ADateAchatA:
        return ADateAchatA;
    }
    return AAnnee;
}

bool TAjouteF::FieldExit(EditorField field) {
    if (!host_ || !isVisible()) return false;
    const auto message = LeaveField(model_, field, CurrentYear());
    if (!message) return false;
    FieldEdit(field)->setText(QStringFromCp1252(FieldText(model_, field)));
    host_->prompts.ShowMessage(QText(catalogue_, *message));
    return true;
}

void TAjouteF::ChooseReference(EditorRef ref) {
    if (!host_) return;
    auto picked = [this, ref](int entry) {
        model_.Ref(ref) = entry;
        ShowReference(ref);
    };
    const int r = static_cast<int>(ref);
    if (r >= static_cast<int>(EditorRef::Actor1)) {
        if (host_->chooseActor)
            host_->chooseActor->OpenForEditor(r - static_cast<int>(EditorRef::Actor1), picked, this);
    } else if (host_->chooseElement) {
        host_->chooseElement->OpenForEditor(RefInfo(ref).list, model_.Ref(ref), picked, this);
    }
}

void TAjouteF::ClearMedia() {
    model_.media.fill(-1);
    ShowMedia();
}

void TAjouteF::Button12Click() {
    if (!host_ || !host_->chooseMedia || UsedMediaSlots(model_) >= EditorMediaSlots) return;
    host_->chooseMedia->Open(
        TChooseMedia::Mode::Editor,
        [this](int entry) {
            if (AddMediaSlot(model_, entry)) ShowMedia();
        },
        this);
}

void TAjouteF::Button14Click() {
    const auto slot = AMedia->currentRow() >= 0 && AMedia->currentItem()->isSelected()
                          ? MediaSlotOfLine(model_, static_cast<std::size_t>(AMedia->currentRow()))
                          : std::nullopt;
    if (!slot) {
        if (host_) host_->prompts.ShowMessage(QText(catalogue_, Msg::MsgChooseAMultimediaFile));
        return;
    }
    RemoveMediaSlot(model_, *slot);
    ShowMedia();
}

void TAjouteF::ADVDButtonClick() {
    if (host_) host_->dvdPanel.OpenForEditing(this);
}

void TAjouteF::SpeedButton1Click() {
    // The editor stays usable while the review is typed.
    if (host_) host_->review.OpenForReview(ATitre->text(), this);
}

void TAjouteF::SaveEditor() {
    if (!host_) return;
    // Checked before the texts become 8-bit, where such a character would turn into '?'.
    if (const QString refusal = UnstorableMessage(catalogue_, Msg::MsgTitle, ATitre->text());
        !refusal.isEmpty()) {
        host_->prompts.ShowMessage(refusal);
        ATitre->setFocus();
        return;
    }
    if (const QString refusal =
            UnstorableMessage(catalogue_, Msg::MsgReviewField, host_->review.ReviewText());
        !refusal.isEmpty()) {
        host_->prompts.ShowMessage(refusal);
        SpeedButton1Click(); // the review shown with its text focused
        return;
    }
    // The panel and the review window are this editor's views of the DVD bytes and the text.
    model_.dvd = host_->dvdPanel.Ticks();
    model_.review = ReviewLinesForFile(Cp1252FromQString(host_->review.ReviewText()));
    const SaveContext context{host_->today(), host_->saveText(), host_->textFolder,
                              purpose_ == Purpose::Duplicate, opened_};

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto saved = tavrin::SaveEditor(model_, host_->document, context);
    QApplication::restoreOverrideCursor();

    if (saved) {
        lastSave_ = *saved;
        accept();
        return;
    }
    const SaveProblem& problem = saved.error();
    QString text = QText(catalogue_, problem.message);
    switch (problem.error) {
    case SaveError::CollectionFull:
        host_->prompts.ShowMessage(text);
        reject();
        return;
    case SaveError::BadField:
        FieldEdit(*problem.field)->setText(QStringFromCp1252(FieldText(model_, *problem.field)));
        host_->prompts.ShowMessage(text);
        FieldEdit(*problem.field)->setFocus();
        return;
    case SaveError::ReviewNotWritten:
        host_->prompts.ShowMessage(WriteFailureText(catalogue_, problem.failure));
        return;
    case SaveError::NoTitle:
        host_->prompts.ShowMessage(text);
        ATitre->setFocus();
        return;
    }
}

void TAjouteF::CancelClick() {
    cancelled_ = true;
    reject();
}

void TAjouteF::EntryDeleted(ListId list, int position) {
    ForgetRemovedEntry(model_, list, position);
    for (std::size_t i = 0; i < EditorRefCount; ++i)
        if (RefInfo(static_cast<EditorRef>(i)).list == list) ShowReference(static_cast<EditorRef>(i));
    if (list == ListId::Media) ShowMedia();
}

void TAjouteF::EntryRenamed(ListId list, int) {
    for (std::size_t i = 0; i < EditorRefCount; ++i)
        if (RefInfo(static_cast<EditorRef>(i)).list == list) ShowReference(static_cast<EditorRef>(i));
    if (list == ListId::Media) ShowMedia();
}

void TAjouteF::MediaDropped(const QString& file, const QPoint& at) {
    if (!host_) return;
    const int line = AMedia->indexAt(at).row();
    const auto slot = line >= 0 ? MediaSlotOfLine(model_, static_cast<std::size_t>(line)) : std::nullopt;
    const auto refuse = [this](const MediaDropRefusal& refusal) {
        host_->prompts.ShowMessage(QString::fromStdString(MediaDropText(catalogue_, refusal)));
    };
    if (!MediaExtensionOf(Cp1252FromQString(QFileInfo(file).fileName())))
        return refuse({Msg::MsgDropNotMedia, {}});
    if (!slot && UsedMediaSlots(model_) >= EditorMediaSlots) return refuse({Msg::MsgDropSlotsFull, {}});
    // The new entry is one step; the title takes it with the editor's OK.
    const auto entry = AddDroppedMedia(host_->document, PathFromQString(file), host_->mediaFolder);
    if (!entry) return refuse(entry.error());
    if (slot)
        model_.media[*slot] = *entry;
    else
        AddMediaSlot(model_, *entry);
    ShowMedia();
}

bool TAjouteF::eventFilter(QObject* watched, QEvent* event) {
    if (AMedia && watched == AMedia->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!DraggedLocalFile(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString file = DraggedLocalFile(drop->mimeData());
            if (file.isEmpty()) return true;
            drop->acceptProposedAction();
            MediaDropped(file, drop->position().toPoint());
            return true;
        }
        default:
            break;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Return in a field would also press OK: a value just refused and reset must not be
        // saved before the user has seen it.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            for (const auto& [edit, field] : FieldEdits())
                if (watched == edit) return FieldExit(field);
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == AMedia->viewport()) {
            ClearMedia();
            return true;
        }
        for (std::size_t i = 0; i < EditorRefCount; ++i) {
            if (watched != refEdits_[i]) continue;
            model_.refs[i] = -1;
            ShowReference(static_cast<EditorRef>(i));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAjouteF::done(int result) {
    // Windows opened from here go with it.
    if (host_) {
        if (host_->dvdPanel.isVisible() && host_->dvdPanel.Editable()) host_->dvdPanel.close();
        if (host_->review.isVisible()) host_->review.close();
    }
    QDialog::done(result);
    if (result == QDialog::Rejected && !lastSave_) cancelled_ = true;
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
    emit Closed();
}

} // namespace tavrin
