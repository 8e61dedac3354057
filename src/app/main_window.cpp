#include "app/main_window.h"

#include "app/app_identity.h"
#include "app/browse/cover_grid_model.h"
#include "app/browse/cover_grid_widget.h"
#include "app/browse/gadget_page.h"
#include "app/browse/information_page.h"
#include "app/browse/media_page.h"
#include "app/browse/sort_page.h"
#include "app/browse/text_page.h"
#include "app/browse/title_table_model.h"
#include "app/save_question.h"
#include "exchange/catalogue_import_dialog.h"
#include "exchange/table_import_dialog.h"
#include "platform/accessible_names.h"
#include "platform/help_viewer.h"
#include "platform/menu_mnemonics.h"
#include "platform/picture_codec_qt.h"
#include "platform/qt_translations.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "platform/user_prompts.h"
#include "platform/window_geometry.h"
#include "platform/window_placement.h"
#include "store/files/collection_file.h"
#include "store/text_encoding.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

// The designed size fits a 640 x 480 screen; larger screens give the title list more room.
constexpr int DesignedWidth = 628;
constexpr int DesignedHeight = 430;
constexpr int DesignedListWidth = 190;
constexpr int ExtraWidth = 140;

QAction* AddItem(QMenu* menu, const char* name) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* AddMenu(QWidget* owner, const char* name) {
    auto* menu = new QMenu(owner);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QLineEdit* Counter(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(44);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

// A sunken panel with a caption and its counter, as " Total" and " Sorted" under the list.
QWidget* CounterPanel(const char* name, QLabel*& caption, QLineEdit* counter, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    caption = new QLabel(panel);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(caption);
    layout->addStretch();
    layout->addWidget(counter);
    counter->setParent(panel);
    return panel;
}

QToolButton* SpeedButton(const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TLDF1::TLDF1(StartOptions options)
    : settingsStore_(options.settingsFile.isEmpty() ? std::make_unique<SettingsStore>()
                                                    : std::make_unique<SettingsStore>(options.settingsFile)),
      prompts_(options.prompts ? std::move(options.prompts) : std::make_unique<QtUserPrompts>(this)),
      commandLineFile_(options.commandLineFile) {
    setObjectName(QStringLiteral("TLDF1"));
    ShowCaption();

    settings_ = settingsStore_->Read();
    catalogue_.SetLanguage(settings_.Language);

    const QDate now = QDate::currentDate();
    today_ = DayNumberFromDate(now.year(), now.month(), now.day()).value_or(0);
    document_.RecomputeEarliestBuyDate(today_);
    // Every window follows the open collection through one signal; this one first.
    document_.Listen([this](const CollectionNews& news) { emit CollectionChanged(news); });
    connect(this, &TLDF1::CollectionChanged, this, &TLDF1::FollowChange);

    const QString envHome = qEnvironmentVariable("TAVRIN_HOME");
    const std::optional<std::filesystem::path> tavrinHome =
        envHome.isEmpty() ? std::nullopt : std::optional(PathFromQString(envHome));
    const auto programDir = PathFromQString(QCoreApplication::applicationDirPath());
    // Only probe the program's folder when it is a candidate.
    const bool programDirWritable = !tavrinHome && IsWritableFolder(programDir);
    folders_ = FoldersUnder(ChooseProgramHome(
        tavrinHome, programDir, programDirWritable,
        PathFromQString(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))));
    pictureCodec_ = QtPictureCodec();
    // Missing folders only matter to the texts and media, which report their own failures.
    CreateProgramFolders(folders_);

    setAcceptDrops(true);
    BuildMenus();
    BuildControls();
    BuildBrowsePages();
    ConnectListCommands();
    ConnectTitleCommands();
    SetUpKeyboard();
    ConnectExchangeCommands();
    EnableCollectionCommands(false);
    RebuildTitleList();
    FitToScreen();
    if (settings_.TitleView == "T" || settings_.TitleView == "G") {
        ShowTitleView(settings_.TitleView == "T" ? TitleViewKind::Table : TitleViewKind::Grid);
        CentreOnScreen(this);
    }

    windows_ = Windows::Create(catalogue_, NameListsHost());
    RestorePlaces();
    windows_.htmlChoix->SetMailAddress(settingsStore_->HtmlMailAddress());
    windows_.chooseMedia->SetFolder(folders_.medias);
    connect(windows_.kxtAbout.get(), &TKXTAbout::Closed, this, [this] { setEnabled(true); });
    ConnectStatsCommands();
    ConnectReportCommands();
    help_ = std::make_unique<HelpViewer>(QString());

    LoadLanguage();
}

TLDF1::~TLDF1() {
    // The models read state that dies before the views do.
    CoverGrid->setModel(nullptr);
    TitleTable->setModel(nullptr);
    ListDisc->setModel(nullptr);
    DropRecoveryCopy();
}

void TLDF1::BuildMenus() {
    FILES1 = AddMenu(this, "FILES1");
    NewTavrinfile1 = AddItem(FILES1, "NewTavrinfile1");
    FILES1->addSeparator();
    Open1 = AddItem(FILES1, "Open1");
    SAVEButton = AddItem(FILES1, "SAVEButton");
    SaveAs1 = AddItem(FILES1, "SaveAs1");
    SaveSelectedList1 = AddItem(FILES1, "SaveSelectedList1");
    FILES1->addSeparator();
    Import1 = AddItem(FILES1, "Import1");
    ImportTable1 = AddItem(FILES1, "ImportTable1");
    ImportCatalogue1 = AddItem(FILES1, "ImportCatalogue1");
    AddAList1 = AddItem(FILES1, "AddAList1");
    FILES1->addSeparator();
    Export1 = AddItem(FILES1, "Export1");
    ExportAList1 = AddItem(FILES1, "ExportAList1");
    FILES1->addSeparator();
    Print = AddItem(FILES1, "Print");
    FILES1->addSeparator();
    BuildRecentFiles();
    N2 = AddItem(FILES1, "N2");

    NewTavrinfile1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    SAVEButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    N2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    EDIT1 = AddMenu(this, "EDIT1");
    Undo1 = AddItem(EDIT1, "Undo1");
    Redo1 = AddItem(EDIT1, "Redo1");
    Undo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(Undo1, &QAction::triggered, this, &TLDF1::Undo1Click);
    connect(Redo1, &QAction::triggered, this, &TLDF1::Redo1Click);
    connect(EDIT1, &QMenu::aboutToShow, this, &TLDF1::ShowEditMenu);

    BuildViewMenu();

    TOOLS1 = AddMenu(this, "TOOLS1");
    ManageList1 = AddMenu(TOOLS1, "ManageList1");
    ManageActorList1 = AddItem(ManageList1, "ManageActorList1");
    ManageBoxList1 = AddItem(ManageList1, "ManageBoxList1");
    ManageComposerList1 = AddItem(ManageList1, "ManageComposerList1");
    ManageDirectorList1 = AddItem(ManageList1, "ManageDirectorList1");
    ManageInfoList1 = AddItem(ManageList1, "ManageInfoList1");
    Informations21 = AddItem(ManageList1, "Informations21");
    Publisher1 = AddItem(ManageList1, "Publisher1");
    ManageRetailerList1 = AddItem(ManageList1, "ManageRetailerList1");
    ManageList1->addSeparator();
    MultimediaFiles1 = AddItem(ManageList1, "MultimediaFiles1");
    TOOLS1->addMenu(ManageList1);
    TOOLS1->addSeparator();
    LoadList1 = AddMenu(TOOLS1, "LoadList1");
    LoadActor1 = AddItem(LoadList1, "LoadActor1");
    LoadBox1 = AddItem(LoadList1, "LoadBox1");
    LoadComposer1 = AddItem(LoadList1, "LoadComposer1");
    LoadDirector1 = AddItem(LoadList1, "LoadDirector1");
    LoadInformations1 = AddItem(LoadList1, "LoadInformations1");
    LoadPublisher1 = AddItem(LoadList1, "LoadPublisher1");
    LoadRetailer1 = AddItem(LoadList1, "LoadRetailer1");
    TOOLS1->addMenu(LoadList1);
    SaveList1 = AddMenu(TOOLS1, "SaveList1");
    Actor1 = AddItem(SaveList1, "Actor1");
    Box1 = AddItem(SaveList1, "Box1");
    Composer1 = AddItem(SaveList1, "Composer1");
    Director1 = AddItem(SaveList1, "Director1");
    Informations1 = AddItem(SaveList1, "Informations1");
    Publisher2 = AddItem(SaveList1, "Publisher2");
    Retailer1 = AddItem(SaveList1, "Retailer1");
    TOOLS1->addMenu(SaveList1);
    TOOLS1->addSeparator();
    ReBuildingIndex1 = AddItem(TOOLS1, "ReBuildingIndex1");

    STATS1 = AddMenu(this, "STATS1");
    Statistics1 = AddItem(STATS1, "Statistics1");
    DVDStatistics1 = AddItem(STATS1, "DVDStatistics1");

    Language1 = AddMenu(this, "Language1");
    English1 = AddItem(Language1, "English1");
    Franais1 = AddItem(Language1, "Franais1");
    Allemand1 = AddItem(Language1, "Allemand1");
    Italiano1 = AddItem(Language1, "Italiano1");
    Finlandais1 = AddItem(Language1, "Finlandais1");
    // The language names are written in their own language and never change.
    English1->setText(QStringLiteral("English"));
    Franais1->setText(QStringLiteral("Français"));
    Allemand1->setText(QStringLiteral("Deutsch"));
    Italiano1->setText(QStringLiteral("Italiano"));
    Finlandais1->setText(QStringLiteral("Finnish"));
    int index = 0;
    for (QAction* item : {English1, Franais1, Allemand1, Italiano1, Finlandais1}) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, index] { SetLanguage(index); });
        ++index;
    }

    ABOUT1 = AddMenu(this, "ABOUT1");
    Help2 = AddItem(ABOUT1, "Help2");
    About2 = AddItem(ABOUT1, "About2");
    Help2->setShortcut(QKeySequence::HelpContents);

    for (QMenu* menu : {FILES1, EDIT1, VIEW1, TOOLS1, STATS1, Language1, ABOUT1})
        menuBar()->addMenu(menu);

    connect(NewTavrinfile1, &QAction::triggered, this, &TLDF1::NewTavrinfile1Click);
    connect(Open1, &QAction::triggered, this, &TLDF1::Open1Click);
    connect(SAVEButton, &QAction::triggered, this, &TLDF1::SAVEButtonClick);
    connect(SaveAs1, &QAction::triggered, this, &TLDF1::SaveAs1Click);
    connect(SaveSelectedList1, &QAction::triggered, this, &TLDF1::SaveSelectedList1Click);
    connect(N2, &QAction::triggered, this, &QWidget::close);
    connect(Help2, &QAction::triggered, this, &TLDF1::Help2Click);
    connect(About2, &QAction::triggered, this, &TLDF1::About2Click);
}

void TLDF1::BuildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    setCentralWidget(central);

    leftColumn_ = new QWidget(central);
    EnterName = new QLineEdit(leftColumn_);
    EnterName->setObjectName(QStringLiteral("EnterName"));
    EnterName->setMaxLength(50);
    EnterSearch = new QLineEdit(leftColumn_);
    EnterSearch->setObjectName(QStringLiteral("EnterSearch"));
    EnterSearch->setClearButtonEnabled(true);

    titleViews_ = new QStackedWidget(leftColumn_);
    ListDisc = new QListView(titleViews_);
    ListDisc->setObjectName(QStringLiteral("ListDisc"));
    ListDisc->setUniformItemSizes(true);
    ListDisc->setSelectionMode(QAbstractItemView::SingleSelection);
    ListDisc->setEditTriggers(QAbstractItemView::NoEditTriggers);
    model_ = new TitleTableModel(collection_, listeIndexTri_, catalogue_, this);
    ListDisc->setModel(model_);
    titleViews_->addWidget(ListDisc);
    BuildTitleTable();
    BuildCoverGrid();

    NameFile = new QLineEdit(leftColumn_);
    NameFile->setObjectName(QStringLiteral("NameFile"));
    NameFile->setReadOnly(true);
    NameFile->setFocusPolicy(Qt::NoFocus);

    Edit1 = Counter("Edit1", leftColumn_);
    Edit2 = Counter("Edit2", leftColumn_);
    Panel3 = CounterPanel("Panel3", Panel3Caption, Edit1, leftColumn_);
    Panel12 = CounterPanel("Panel12", Panel12Caption, Edit2, leftColumn_);

    ProgressBar1 = new QProgressBar(leftColumn_);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximumHeight(12);
    ProgressBar1->setValue(0);

    Ajoute = SpeedButton("Ajoute", leftColumn_);
    SpeedButton1 = SpeedButton("SpeedButton1", leftColumn_);
    SpeedButton12 = SpeedButton("SpeedButton12", leftColumn_);
    Efface = SpeedButton("Efface", leftColumn_);
    SpeedButton13 = SpeedButton("SpeedButton13", leftColumn_);
    SpeedButton23 = SpeedButton("SpeedButton23", leftColumn_);
    SpeedButton13->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    SpeedButton23->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

    auto* counters = new QHBoxLayout;
    counters->addWidget(Panel3, 1);
    counters->addWidget(Panel12, 1);
    buttons_ = new QGridLayout;
    buttons_->setSpacing(2);
    for (QToolButton* button : {Ajoute, SpeedButton1, SpeedButton12, Efface}) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    auto* sortingButtons = new QHBoxLayout;
    sortingButtons->addWidget(SpeedButton13);
    sortingButtons->addWidget(SpeedButton23);
    sortingButtons->addStretch();
    sortingButtons->addWidget(ProgressBar1, 3);

    auto* left = new QVBoxLayout(leftColumn_);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(4);
    auto* finding = new QHBoxLayout;
    finding->setSpacing(4);
    finding->addWidget(EnterName, 1);
    finding->addWidget(EnterSearch, 1);
    left->addLayout(finding);
    left->addWidget(titleViews_, 1);
    left->addWidget(NameFile);
    left->addLayout(counters);
    left->addLayout(sortingButtons);
    left->addLayout(buttons_);

    Onglet = new QTabWidget(central);
    Onglet->setObjectName(QStringLiteral("Onglet"));
    // All five page names must stay readable on the designed width.
    Onglet->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 4px 7px; margin-right: 1px; border: 1px solid palette(mid); border-bottom: "
        "none;"
        " border-top-left-radius: 3px; border-top-right-radius: 3px; background: palette(button); }"
        "QTabBar::tab:selected { background: palette(base); }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    Onglet->setUsesScrollButtons(false);

    // The user drags the line between the list and the pages; the pages take what the window
    // gains or loses.
    Splitter = new QSplitter(Qt::Horizontal, central);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(leftColumn_);
    Splitter->addWidget(Onglet);
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    connect(Splitter, &QSplitter::splitterMoved, this, [this](int at) { listWidth_ = at; });

    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Splitter);
}

void TLDF1::FitToScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->size() : QSize();
    const int extra = area.width() > 700 && area.height() > 500 ? ExtraWidth : 0;
    leftColumn_->setMinimumWidth(DesignedListWidth);
    // Add, Edit, Duplicate and Delete in one row when the list is wide enough, else two rows.
    const int columns = extra > 0 ? 4 : 2;
    int i = 0;
    for (QToolButton* button : {Ajoute, SpeedButton1, SpeedButton12, Efface}) {
        buttons_->addWidget(button, i / columns, i % columns);
        ++i;
    }
    resize(DesignedWidth + extra, DesignedHeight);
    ShowListWidth(DesignedListWidth + extra);
    CentreOnScreen(this);
}

void TLDF1::ShowListWidth(int width) {
    listWidth_ = std::max(width, leftColumn_->minimumWidth());
    // The pages, the stretching side, take whatever the window has beside the list.
    Splitter->setSizes({listWidth_, std::max(1, Splitter->width() - listWidth_)});
}

void TLDF1::RestorePlaces() {
    placed_ = RestorePlacement(this, settings_.MainWindow);
    if (const auto width = PixelsFromText(settings_.ListWidth)) ShowListWidth(*width);
    RestoreSize(windows_.statsForm.get(), settings_.StatsWindow);
}

void TLDF1::KeepPlaces() {
    settings_.MainWindow = PlacementText(this);
    settings_.ListWidth = std::to_string(listWidth_);
    if (windows_.statsForm->isVisible()) settings_.StatsWindow = PlacementText(windows_.statsForm.get());
}

void TLDF1::ApplyTexts() {
    const auto text = [this](Msg m) { return QText(catalogue_, m); };

    FILES1->setTitle(text(Msg::MsgFiles));
    EDIT1->setTitle(text(Msg::MsgEditMenu));
    ShowEditMenu();
    NewTavrinfile1->setText(text(Msg::MsgNew));
    Open1->setText(text(Msg::MsgOpen));
    SAVEButton->setText(text(Msg::MsgSave));
    SaveAs1->setText(text(Msg::MsgSaveAs));
    SaveSelectedList1->setText(text(Msg::MsgSaveSelectedTitles));
    Import1->setText(text(Msg::MsgImportATitle));
    ImportTable1->setText(text(Msg::MsgImportASpreadsheet));
    ImportCatalogue1->setText(text(Msg::MsgImportFromAnotherProgram));
    AddAList1->setText(text(Msg::MsgAddAList));
    Export1->setText(text(Msg::MsgExportATitle));
    ExportAList1->setText(text(Msg::MsgExportAList));
    Print->setText(text(Msg::MsgPrint));
    N2->setText(text(Msg::MsgQuit));

    TOOLS1->setTitle(text(Msg::MsgTools));
    ManageList1->setTitle(text(Msg::MsgManageList));
    ManageActorList1->setText(text(Msg::MsgActor));
    ManageBoxList1->setText(text(Msg::MsgBoxNameOrMultiple));
    ManageComposerList1->setText(text(Msg::MsgComposer));
    ManageDirectorList1->setText(text(Msg::MsgDirector));
    ManageInfoList1->setText(text(Msg::MsgOtherInformations) + QStringLiteral(" 1"));
    Informations21->setText(text(Msg::MsgOtherInformations) + QStringLiteral(" 2"));
    Publisher1->setText(text(Msg::MsgPublisher));
    ManageRetailerList1->setText(text(Msg::MsgRetailer));
    MultimediaFiles1->setText(text(Msg::MsgMultimediaFile));
    LoadList1->setTitle(text(Msg::MsgLoadList));
    SaveList1->setTitle(text(Msg::MsgSaveList));
    for (auto [load, save, m] : {std::tuple{LoadActor1, Actor1, Msg::MsgActor},
                                 std::tuple{LoadBox1, Box1, Msg::MsgBoxNameOrMultiple},
                                 std::tuple{LoadComposer1, Composer1, Msg::MsgComposer},
                                 std::tuple{LoadDirector1, Director1, Msg::MsgDirector},
                                 std::tuple{LoadInformations1, Informations1, Msg::MsgOtherInformations},
                                 std::tuple{LoadPublisher1, Publisher2, Msg::MsgPublisher},
                                 std::tuple{LoadRetailer1, Retailer1, Msg::MsgRetailer}}) {
        load->setText(text(m));
        save->setText(text(m));
    }
    ReBuildingIndex1->setText(text(Msg::MsgReBuildingIndex));

    STATS1->setTitle(text(Msg::MsgStatisticsCaption));
    Statistics1->setText(text(Msg::MsgStatistics));
    DVDStatistics1->setText(text(Msg::MsgDvdStatistics));
    Language1->setTitle(text(Msg::MsgLanguage));
    ABOUT1->setTitle(text(Msg::MsgHelpMenu));
    Help2->setText(text(Msg::MsgHelp));
    About2->setText(text(Msg::MsgAbout));

    Panel3Caption->setText(text(Msg::MsgTotalPanel));
    Panel12Caption->setText(text(Msg::MsgSortedPanel));
    for (auto [button, m] :
         {std::pair{Ajoute, Msg::MsgAdd}, std::pair{SpeedButton1, Msg::MsgEdit},
          std::pair{SpeedButton12, Msg::MsgDuplicate}, std::pair{Efface, Msg::MsgDelete}}) {
        button->setText(text(m));
        button->setToolTip(text(m));
    }
    SpeedButton13->setToolTip(text(Msg::MsgResetAllSorting));
    SpeedButton23->setToolTip(text(Msg::MsgSelectManuallySomeTitles));

    Onglet->setTabText(Onglet->indexOf(DISC), text(Msg::MsgTabInformation));
    Onglet->setTabText(Onglet->indexOf(SORTDISC), text(Msg::MsgSortTitles));
    Onglet->setTabText(Onglet->indexOf(GADGET), text(Msg::MsgTabGadget));
    Onglet->setTabText(Onglet->indexOf(MEDIAS), text(Msg::MsgTabMultimedia));
    Onglet->setTabText(Onglet->indexOf(TEXTDISC), text(Msg::MsgTabText));

    if (showsNewFile_) NameFile->setText(text(Msg::MsgNewFile));
    NameFile->setToolTip(text(Msg::MsgFileCurrentlyOpened));
    ApplyViewTexts();
    ApplyBrowseTexts();

    help_->setWindowTitle(QLatin1String(ApplicationTitle) + QStringLiteral(" - ") + text(Msg::MsgHelp));
    windows_.ApplyTexts();
    if (TableImport) TableImport->ApplyTexts();
    if (CatalogueImport) CatalogueImport->ApplyTexts();
    MarkMnemonics(menuBar());
    EnterName->setAccessibleName(text(Msg::MsgTitle));
    ListDisc->setAccessibleName(text(Msg::MsgAllTitles));
    NameControls(this);
    NameControls(help_.get());
}

void TLDF1::LoadLanguage() {
    catalogue_.SetLanguage(settings_.Language);
    UseQtTranslations(catalogue_.Language());
    QAction* const items[] = {English1, Franais1, Allemand1, Italiano1, Finlandais1};
    for (int i = 0; i < LanguageCount; ++i)
        items[i]->setChecked(i == settings_.Language);
    ApplyTexts();
}

void TLDF1::SetLanguage(int language) {
    settings_.Language = StartLanguage(language);
    LoadLanguage();
}

void TLDF1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FirstActivation();
}

void TLDF1::GrowToContent() {
    // The pages scroll only when the screen is too small for them: the window first takes the
    // width and height its largest page needs in the language shown, within the screen's free area.
    // The pages share one size: the page shown gives it (the others may not be laid out yet).
    const auto* shown =
        Onglet->currentWidget() ? Onglet->currentWidget()->findChild<QScrollArea*>() : nullptr;
    QSize missing(0, 0);
    for (const QScrollArea* scroll : Onglet->findChildren<QScrollArea*>()) {
        if (!scroll->widget()) continue;
        const QSize room = (shown ? shown : scroll)->viewport()->size();
        missing = missing.expandedTo(scroll->widget()->minimumSizeHint() - room);
    }
    const QScreen* shownOn = screen();
    if (!shownOn || (missing.width() <= 0 && missing.height() <= 0)) return;
    const QSize frame = (frameGeometry().size() - geometry().size()).expandedTo(QSize(0, 0));
    const QSize wanted =
        (size() + missing.expandedTo(QSize(0, 0))).boundedTo(shownOn->availableGeometry().size() - frame);
    if (wanted.width() <= width() && wanted.height() <= height()) return;
    // The width added is the pages': the title list keeps its own.
    const QList<int> split = Splitter->sizes();
    const int before = width();
    resize(wanted.expandedTo(size()));
    if (split.size() == 2) Splitter->setSizes({split[0], split[1] + width() - before});
    CentreOnScreen(this);
}

void TLDF1::FirstActivation() {
    settings_.Language = StartLanguage(settings_.Language);
    LoadLanguage();
    // A window the user placed keeps its size; a first start takes the room the pages need.
    if (!placed_) GrowToContent();
    EnterName->setFocus();
    // After the window is on screen, so that a question or a message about a file has a window
    // to sit on. Work recovered from a crash comes before the file asked for.
    QTimer::singleShot(0, this, [this] {
        if (!OfferRecovery() && !commandLineFile_.isEmpty()) LoadFromCommandLine(commandLineFile_);
    });
}

void TLDF1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back from a window that changed the collection: the EDIT menu names its last step.
    if (event->type() == QEvent::EnabledChange) ShowEditMenu();
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    EnterName->setFocus();
    // Back from another window: the title shows what that window may have changed; the covers
    // shown are checked against their files, which another program may have changed.
    if (isEnabled()) ShowCurrentTitle();
    thumbnails_->Revalidate();
    if (ShownTitles() == CoverGrid) CoverGrid->viewport()->update();
}

void TLDF1::closeEvent(QCloseEvent* event) {
    if (!ConfirmChanges()) {
        event->ignore();
        return;
    }
    KeepPlaces();
    settingsStore_->Write(settings_);
    windows_.CloseAll();
    help_->hide();
    DropRecoveryCopy();
    document_.ReleaseLock();
    event->accept();
}

// ---- The title list ----

void TLDF1::CopyMasterToBrowse() {
    // Every title: the search, typed or not, no longer applies; the table's sort still does.
    EnterSearch->clear();
    search_ = {};
    filtered_ = collection_.ListeIndex;
    ShowSearchedList();
}

void TLDF1::RebuildTitleList() {
    model_->Refresh();
    covers_->Refresh();
    FitTableColumns();
    ShowEditMenu();
    Edit1->setText(QString::number(collection_.Count()));
    Edit2->setText(QString::number(listeIndexTri_.size()));
    ProgressBar1->setValue(0);
}

std::optional<std::size_t> TLDF1::CurrentRecord() const {
    // The list selects the title's cell, the table its whole row.
    const QModelIndexList rows = ListDisc->selectionModel()->selectedIndexes();
    if (rows.isEmpty()) return std::nullopt;
    const auto row = static_cast<std::size_t>(rows.front().row());
    if (row >= listeIndexTri_.size()) return std::nullopt;
    return listeIndexTri_[row];
}

// ---- File commands ----

std::string TLDF1::OtherName() const {
    return Utf8ToCp1252(catalogue_(Msg::MsgOther));
}

void TLDF1::EnableCollectionCommands(bool enable) {
    for (QAction* action :
         {SAVEButton, SaveAs1, Import1, ImportTable1, ImportCatalogue1, AddAList1, Export1, ExportAList1})
        action->setEnabled(enable);
    for (QMenu* menu : {TOOLS1, STATS1}) {
        menu->setEnabled(enable);
        menu->menuAction()->setEnabled(enable);
    }
    Ajoute->setEnabled(enable);
    Efface->setEnabled(enable);
    if (enable && document_.ReadOnly()) SAVEButton->setEnabled(false);
}

bool TLDF1::ConfirmChanges() {
    return ConfirmUnsavedChanges(
        document_.Modified(),
        [this] {
            return prompts_->AskSaveChanges(QText(catalogue_, Msg::MsgConfirmation),
                                            QText(catalogue_, Msg::MsgDoYouWantTo));
        },
        [this] { return SaveByRule(); });
}

void TLDF1::NewTavrinfile1Click() {
    if (!ConfirmChanges()) return;
    Collection fresh;
    fresh.EarliestBuyDate = today_;
    // The file name stays: it no longer equals what NameFile shows, so the next Save asks for one.
    showsNewFile_ = true;
    hasCollection_ = true;
    document_.Replace(std::move(fresh), Origin::New, std::nullopt);
    EnterName->clear();
    NameFile->setText(QText(catalogue_, Msg::MsgNewFile));
    EnableCollectionCommands(true);
    DropRecoveryCopy();
    ShowCaption();
}

void TLDF1::Open1Click() {
    if (!ConfirmChanges()) return;
    const QString fileName =
        prompts_->AskOpenFile(CollectionDialog(QText(catalogue_, Msg::MsgOpen).toUpper()));
    if (fileName.isEmpty()) return;
    LoadCollection(fileName);
}

void TLDF1::LoadFromCommandLine(const QString& fileName) {
    LoadCollection(fileName);
}

std::optional<FileState> TLDF1::LockFile(const QString& fileName, bool ask) {
    const auto path = PathFromQString(fileName);
    // Opened again by this run: its own lock is no other run's.
    const QString current = QStringFromUtf8(collection_.CurrentFileName);
    if (!current.isEmpty() && QFileInfo(fileName).absoluteFilePath() == QFileInfo(current).absoluteFilePath())
        document_.ReleaseLock();
    FileState file;
    // Taken before the file is read: a change made while it is read is seen at the next save.
    file.identity = ReadFileIdentity(path);
    auto lock = CollectionLock::Acquire(path);
    if (lock) {
        file.lock = std::move(*lock);
    } else if (const auto& holder = lock.error().holder) {
        // Another run has it open: the user chooses between reading it and leaving it alone.
        QString since = QString::fromStdString(holder->since).replace(QLatin1Char('T'), QLatin1Char(' '));
        since.truncate(16); // to the minute
        const QString question = QText(catalogue_, Msg::MsgAlreadyOpen)
                                     .arg(QDir::toNativeSeparators(fileName), QStringFromUtf8(holder->user),
                                          QStringFromUtf8(holder->host), since);
        if (ask && !prompts_->AskYesNo(QText(catalogue_, Msg::MsgConfirmation), question))
            return std::nullopt;
        file.readOnly = true;
    }
    // A lock that cannot be made at all (a read-only folder, a disc) leaves the file unguarded:
    // opening it is still what the user asked for.
    return file;
}

bool TLDF1::LoadCollection(const QString& fileName) {
    auto file = LockFile(fileName, true);
    if (!file) return false;
    auto loaded = LoadCollectionFile(PathFromQString(fileName), OtherName());
    if (!loaded) {
        ShowFileFailure(loaded.error(), fileName);
        return false;
    }
    // A file of an older version is written anew in the current one at the next save.
    ShowLoadedCollection(std::move(loaded->collection), fileName,
                         loaded->version == '5' ? Origin::Opened : Origin::Converted, std::move(*file));
    RememberFile(fileName);
    DropRecoveryCopy();
    return true;
}

void TLDF1::ShowLoadedCollection(Collection fresh, const QString& fileName, Origin origin, FileState file) {
    fresh.EarliestBuyDate = EarliestBuyDate(fresh, today_);
    showsNewFile_ = fileName.isEmpty();
    EnterName->clear();
    NameFile->setText(showsNewFile_ ? QText(catalogue_, Msg::MsgNewFile) : fileName);
    hasCollection_ = true;
    document_.Replace(std::move(fresh), origin, fileName.toStdString(), std::move(file));
    EnableCollectionCommands(true);
}

FileDialogOptions TLDF1::CollectionDialog(const QString& title) {
    return {title, QStringLiteral("Tavrin File (*.KXT)"), QStringLiteral("KXT")};
}

void TLDF1::SAVEButtonClick() {
    SaveByRule();
}

void TLDF1::SaveAs1Click() {
    SaveAsDialog();
}

bool TLDF1::SaveByRule() {
    // A collection another run has open is saved only under another name.
    if (document_.ReadOnly() || SaveNeedsDialog(NameFile->text().toStdString(), collection_.CurrentFileName))
        return SaveAsDialog();
    return WriteCollectionTo(QStringFromUtf8(collection_.CurrentFileName));
}

bool TLDF1::SaveAsDialog() {
    const QString fileName =
        prompts_->AskSaveFile(CollectionDialog(QText(catalogue_, Msg::MsgSave).toUpper()));
    if (fileName.isEmpty()) return false;
    return WriteCollectionTo(fileName);
}

bool TLDF1::WriteCollectionTo(const QString& fileName) {
    const auto path = PathFromQString(fileName);
    const QString current = QStringFromUtf8(collection_.CurrentFileName);
    const bool sameFile = !showsNewFile_ && !current.isEmpty() &&
                          QFileInfo(fileName).absoluteFilePath() == QFileInfo(current).absoluteFilePath();
    std::optional<CollectionLock> lock;
    if (sameFile) {
        if (document_.ChangedOnDisk() &&
            !prompts_->AskYesNo(
                QText(catalogue_, Msg::MsgConfirmation),
                QText(catalogue_, Msg::MsgChangedOnDisk).arg(QDir::toNativeSeparators(fileName))))
            return false;
    } else if (auto taken = CollectionLock::Acquire(path)) {
        // Saved under another name: the lock follows the collection to its new file.
        lock = std::move(*taken);
    }
    if (auto written = SaveCollection(collection_, path, settings_.KeepBackup); !written) {
        // The file named is the collection's, or its backup when that could not be kept.
        prompts_->ShowMessage(WriteFailureText(catalogue_, written.error()));
        return false;
    }
    showsNewFile_ = false;
    document_.Saved(PathText(path), ReadFileIdentity(path), std::move(lock));
    RememberFile(fileName);
    DropRecoveryCopy();
    NameFile->setText(QStringFromUtf8(collection_.CurrentFileName));
    SAVEButton->setEnabled(!document_.ReadOnly());
    return true;
}

void TLDF1::SaveSelectedList1Click() {
    if (!SelectionIsSavable(collection_, listeIndexTri_)) {
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgYouHaveMadeNo));
        return;
    }
    const QString fileName =
        prompts_->AskSaveFile(CollectionDialog(QText(catalogue_, Msg::MsgSave).toUpper()));
    if (fileName.isEmpty()) return;
    if (auto written =
            WriteFileReplacing(PathFromQString(fileName), SerializeSelection(collection_, listeIndexTri_));
        !written)
        prompts_->ShowMessage(WriteFailureText(catalogue_, written.error()));
}

// ---- Help ----

void TLDF1::Help2Click() {
    help_->ShowContents();
}

void TLDF1::About2Click() {
    setEnabled(false);
    windows_.kxtAbout->show();
    windows_.kxtAbout->raise();
    windows_.kxtAbout->activateWindow();
}

} // namespace tavrin
