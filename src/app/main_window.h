// The main window: the menus, the title list with its counters, the pages of the current title,
// the file commands and the start and end of a session.
#pragma once

#include "app/browse/browse_filters.h"
#include "app/browse/browse_page_host.h"
#include "app/browse/title_search.h"
#include "app/browse/title_table.h"
#include "app/program_folders.h"
#include "app/secondary_windows.h"
#include "editing/collection_changes.h"
#include "editing/open_collection.h"
#include "lang/catalogue.h"
#include "platform/settings.h"
#include "platform/user_prompts.h"
#include "store/collection.h"
#include "store/day_number.h"
#include "store/files/file_access.h"
#include "store/pictures/picture_codec.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractItemView;
class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListView;
class QLockFile;
class QMenu;
class QPoint;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTableView;
class QTimer;
class QToolButton;

namespace tavrin {

class CoverGridModel;
class CoverGridWidget;
class HelpViewer;
struct ExchangeRefusal;
class SettingsStore;
class TGadgetPage;
class TInformationPage;
class TitleTableModel;
class TMakeList;
class TMediaPage;
class TSortPage;
class TTableImport;
class TCatalogueImport;
class TTextPage;
class ThumbnailCache;

struct StartOptions {
    QString commandLineFile;              // opened at the first activation; empty: none
    QString settingsFile;                 // an INI file instead of the user's settings store
    std::unique_ptr<UserPrompts> prompts; // null: the real dialogs
};

class TLDF1 : public QMainWindow {
    Q_OBJECT

  public:
    explicit TLDF1(StartOptions options = {});
    ~TLDF1() override;

    // The open collection: read here, changed only through the change functions, each of which
    // it announces (CollectionChanged).
    const Collection& Data() const { return document_.Data(); }
    OpenCollection& Document() { return document_; }
    const OpenCollection& Document() const { return document_; }
    // The browse list.
    std::vector<std::uint16_t>& ListeIndexTri() { return listeIndexTri_; }
    const Settings& CurrentSettings() const { return settings_; }
    const MessageCatalogue& Catalogue() const { return catalogue_; }
    const ProgramFolders& Folders() const { return folders_; }
    DayNumber Today() const { return today_; }
    Windows& SecondaryWindows() { return windows_; }
    HelpViewer* Help() const { return help_.get(); }
    // Every message box and question of every window goes through here (tests answer them).
    UserPrompts& Prompts() { return *prompts_; }

    // The browse list becomes a copy of the master order.
    void CopyMasterToBrowse();
    // Shows the browse list again and updates the Total and Sorted counters.
    void RebuildTitleList();
    // The record number of the selected title, if any.
    std::optional<std::size_t> CurrentRecord() const;
    // The title list, the title table or the cover grid, whichever the VIEW menu shows.
    QAbstractItemView* ShownTitles() const;

    // Browsing (main_window_browse.cpp). The filters applied to the master order give the
    // browse list, whose first title is selected and shown; nothing while the refresh lock is set.
    void RefreshList();
    // Every filter and its control back to neutral, without refreshing.
    void ResetFilters();
    // Fills the INFORMATION and TEXT pages from the selected title; nothing without a selection.
    void ShowCurrentTitle();
    // Selects the row showing that record, if the browse list holds it, and shows it.
    void SelectRecord(std::size_t record);
    // A name filter's selection (an entry, -1 for none, NoEntry / NoPublisher for titles without
    // one), shown in its field; refreshes.
    void SetNameFilter(ListId list, int entry);
    // Appends an actor to the actor filter and refreshes; false when it is already chosen (or
    // three are).
    bool AddActorFilter(int entry);
    const BrowseFilters& Filters() const { return filters_; }

    // Re-labels every control of this window and of the secondary windows.
    void ApplyTexts();
    // Switches the interface to a language index (0 English .. 4 Finnish).
    void SetLanguage(int language);

    // File commands (FILES menu).
    void NewTavrinfile1Click();
    void Open1Click();
    void SAVEButtonClick();
    void SaveAs1Click();
    void SaveSelectedList1Click();
    // Loads a collection without a dialog and without the question (command line).
    void LoadFromCommandLine(const QString& fileName);

    // Title exchange (main_window_exchange.cpp): FILES "Export A Title", "Import A Title", "Import
    // A Spreadsheet", "Add A List" and TOOLS "Re-Building Index".
    void Export1Click();
    void Import1Click();
    void ImportTable1Click();
    void ImportCatalogue1Click();
    // The same two with a file already chosen (dropped on the window).
    void ImportTableFile(const QString& fileName);
    void ImportCatalogueFile(const QString& fileName);
    // A file dropped on the window (main_window_drops.cpp): opened as FILES Open, Import A
    // Spreadsheet or Import From Another Program would open it, or, a multimedia file, added to
    // the current title.
    void OpenDroppedFile(const QString& fileName);
    void AddAList1Click();
    void ReBuildingIndex1Click();

    // EDIT menu (main_window_history.cpp): the last step done undone, the last undone done again;
    // the list shows every title and the step's title is selected.
    void Undo1Click();
    void Redo1Click();

    // The collection's files (main_window_files.cpp). A collection opened last, from the FILES
    // menu (Alt+1 .. Alt+8); one that no longer exists leaves the list with a message.
    void OpenRecentFile(std::size_t index);
    const std::vector<std::string>& RecentFiles() const { return recentFiles_; }
    // What the timer does every two minutes: with unsaved changes, the recovery copy written
    // anew; without, the copy removed.
    void KeepRecoveryCopy();
    // The folder of the recovery copies, in the user's data folder.
    static QString RecoveryFolder();

    void Help2Click();
    void About2Click();

    // Reports (main_window_reports.cpp): the export window on the browse list; nothing when the
    // list is empty.
    void ExportAList1Click();
    void PrintClick();

    // Name lists (main_window_lists.cpp): the chooser of a list picks a browse filter value.
    void ChooseFilterName(ListId list);
    void ChooseFilterActor();

    // Statistics and the manual choice of titles (main_window_stats.cpp).
    void Statistics1Click();
    void DVDStatistics1Click();
    void SpeedButton23Click(); // "Select manually some titles"

  signals:
    // The open collection changed (a change, Undo, Redo, New, Open, a recovery, a save): every
    // window that shows it follows from here.
    void CollectionChanged(const tavrin::CollectionNews& news);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // What this window does after the open collection changed: the lists, the counters, the
    // view, the EDIT menu and the caption follow.
    void FollowChange(const CollectionNews& news);
    // The caption: the file's name, the unsaved-changes mark and the program's name.
    void ShowCaption();
    void BuildMenus();
    // "Undo Delete Title", "Redo ...": enabled when there is a step to take.
    void ShowEditMenu();
    void BuildControls();
    void FitToScreen();
    // The title list's side of the split between the list and the pages, in pixels.
    void ShowListWidth(int width);
    // The main and statistics windows' sizes and places and the split where the user left them
    // (RestorePlaces), and kept for the next start (KeepPlaces).
    void RestorePlaces();
    void KeepPlaces();
    // At the first showing: as wide and tall as the pages need, within the screen.
    void GrowToContent();
    // Tab order and the title list's keys (main_window_keyboard.cpp).
    void SetUpKeyboard();
    void LoadLanguage();
    void FirstActivation();
    // The TOOLS menu's list commands (main_window_lists.cpp).
    void ConnectListCommands();
    void ManageNameList(ListId list);
    void SaveNameList(ListId list);
    void LoadNameList();
    // After a chooser removed entries: the name filters and the view follow the renumbering.
    void NameEntriesRemoved(ListId list, const std::vector<int>& positions);
    // What the name-list windows work on, with this window's side of them.
    NameListHost NameListsHost();
    void ConnectReportCommands();
    void OpenExportWindow(TEXPORTLIST::Mode mode);
    // Add, edit, duplicate and delete titles (main_window_titles.cpp).
    void ConnectTitleCommands();
    void AjouteClick();
    void SpeedButton1Click();
    void SpeedButton12Click();
    void EffaceClick();
    // The title exchange commands (main_window_exchange.cpp).
    void ConnectExchangeCommands();
    void ShowExchangeRefusal(const ExchangeRefusal& refusal);
    // The spreadsheet import dialog closed: the new titles listed, the first one shown.
    void TableImportFinished(int result);
    void CatalogueImportFinished(int result);
    // The message of a file that could not be read; nothing for one that does not exist.
    void ShowFileFailure(const FileFailure& failure, const QString& fileName);
    // The editor, bound to this window's collection and windows at its first opening.
    TAjouteF& TitleEditor();
    // The editor closed: the list keeps its line, or drops its filters to show the saved title.
    void TitleEditorClosed();
    // Statistics and the manual choice of titles (main_window_stats.cpp).
    void ConnectStatsCommands();
    void OpenStatistics(StatsMode mode);
    void MakeListFinished(int result);

    // The browse pages and the title list (main_window_browse.cpp).
    void BuildBrowsePages();
    // What the pages work with, with this window's side of them.
    BrowseHost PagesHost();
    void ApplyBrowseTexts();
    // Filter controls to filters_ (the name and actor selections live only in filters_).
    void ReadFilterControls();
    // filters_ to the filter controls, under the refresh lock.
    void ShowFilterControls();
    // Every control read, edit applied to filters_, every control showing them, a refresh.
    void ChangeFilters(const std::function<void(BrowseFilters&)>& edit);
    // The reset buttons: every filter neutral, every title listed.
    void ResetAndListEveryTitle();
    // The title list shows exactly these titles; the first is selected and shown.
    void ListTitles(std::vector<std::uint16_t> titles);
    // Selects a row of the title list and shows its title.
    void SelectRow(std::size_t row);
    // Empties every field of the title view (no collection, or a new one).
    void ClearTitleView();
    void ListDiscClick();
    void EnterNameChange(const QString& text);
    // The browse list: the titles the filters or a selection gave, narrowed by the search and
    // ordered by the table's sort.
    void ShowSearchedList();
    // The same, shown again with its first title selected (nothing shown when it is empty).
    void ListFromTop();
    void EnterSearchChange(const QString& text);
    // The search field emptied and the table back in title order (not yet shown).
    void ClearSearchAndSort();

    // The VIEW menu and the title table (main_window_table.cpp).
    enum class TitleViewKind { List, Table, Grid };
    void BuildViewMenu();
    void BuildTitleTable();
    void ApplyViewTexts();
    // The view the VIEW menu chose, with the current title selected there; the setting follows.
    void ShowTitleView(TitleViewKind kind);
    // Selects a row in the shown view and scrolls to it (to the top of the view with atTop).
    void ShowRow(std::size_t row, bool atTop = false);
    void TitleTableHeaderClick(int section);
    // The browse list sorted by a column, as a click on its header sorts it.
    void SortTableBy(TableColumn column);
    void TitleTableHeaderMenu(const QPoint& at);
    void ShowTableLayout(const TableLayout& layout);
    void KeepTableLayout();
    // The column widths the user gave, kept as the header's sections change size.
    void ShowTableWidths(const TableWidths& widths);
    void KeepTableWidth(int section, int oldSize, int newSize);
    // At the first showing of the table with titles in it, when the user never sized its columns:
    // each column as wide as its header and the texts it shows.
    void FitTableColumns();
    // A column narrower than its header's text in the language shown is widened to it.
    void FitTableHeaders();
    void ShowSortIndicator();
    void OngletChange(int page);
    void LoadReview();
    void FlipToInformation();

    // The cover grid (main_window_grid.cpp). Its model is set at its first showing, so that the
    // list and the table never pay for it.
    void BuildCoverGrid();
    void AttachCoverGrid();
    // The grid's selection and the list's (which the table shares) select the same row.
    void FollowListSelection();
    void FollowGridSelection();
    // Ctrl + wheel, Ctrl +/-: larger or smaller covers, kept in the settings.
    void StepCovers(int steps);

    // Swaps in the collection of a file; on any failure the open collection stays as it was.
    bool LoadCollection(const QString& fileName);
    // The collection just read becomes the open one, under this name (empty: a new file).
    void ShowLoadedCollection(Collection fresh, const QString& fileName, Origin origin, FileState file = {});
    // The file's identity and this run's lock on it. Another run holding it: with ask, the user
    // chooses to open it read-only (nothing: open nothing); without, it is read-only.
    std::optional<FileState> LockFile(const QString& fileName, bool ask);
    // The recent files and the recovery copy (main_window_files.cpp).
    void BuildRecentFiles();
    void ShowRecentFiles();
    // A collection opened or saved under this name heads the recent files.
    void RememberFile(const QString& fileName);
    // At the first activation: a recovery copy left by a run that ended without closing is
    // offered; true when one was opened.
    bool OfferRecovery();
    // The recovery copy of this run is no longer needed (saved, another collection, quitting).
    void DropRecoveryCopy();
    // The question about unsaved changes; true when the command may go on.
    bool ConfirmChanges();
    // Save: to the current file, or through the Save As dialog when there is none.
    bool SaveByRule();
    bool SaveAsDialog();
    bool WriteCollectionTo(const QString& fileName);
    void EnableCollectionCommands(bool enable);
    // The open and save dialogs of collection files.
    static FileDialogOptions CollectionDialog(const QString& title);
    // The word "Other" of the current language as stored in files.
    std::string OtherName() const;

    // State.
    OpenCollection document_;
    const Collection& collection_ = document_.Data(); // the open collection, read-only
    std::vector<std::uint16_t> listeIndexTri_;
    Settings settings_;
    MessageCatalogue catalogue_;
    DayNumber today_ = 0;
    ProgramFolders folders_;
    // Converts covers the program does not show as they are (an import's PNG covers).
    PictureCodec pictureCodec_;
    std::unique_ptr<SettingsStore> settingsStore_;
    std::unique_ptr<UserPrompts> prompts_;
    QString commandLineFile_;
    bool activated_ = false;
    bool hasCollection_ = false;           // New or Open has given a collection
    bool showsNewFile_ = false;            // NameFile shows "New File", to be re-labelled with the language
    std::vector<std::string> recentFiles_; // UTF-8 paths, the last opened first
    std::array<QAction*, RecentFileCount> recentItems_{};
    QAction* recentSeparator_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    std::unique_ptr<QLockFile> recoveryLock_; // held while this run keeps a recovery copy
    QString recoveryId_;
    std::optional<std::uint64_t> recoveryGeneration_; // the history's generation the copy holds

    // Menus and their commands.
    QMenu* FILES1 = nullptr;
    QAction* NewTavrinfile1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* SAVEButton = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* SaveSelectedList1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* ImportTable1 = nullptr;
    QAction* ImportCatalogue1 = nullptr;
    QAction* AddAList1 = nullptr;
    QAction* Export1 = nullptr;
    QAction* ExportAList1 = nullptr;
    QAction* Print = nullptr;
    QAction* N2 = nullptr;
    QMenu* EDIT1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QMenu* VIEW1 = nullptr;
    QAction* TitleList1 = nullptr;
    QAction* TitleTable1 = nullptr;
    QAction* CoverGrid1 = nullptr;
    QAction* Search1 = nullptr;
    QMenu* TOOLS1 = nullptr;
    QMenu* ManageList1 = nullptr;
    QAction* ManageActorList1 = nullptr;
    QAction* ManageBoxList1 = nullptr;
    QAction* ManageComposerList1 = nullptr;
    QAction* ManageDirectorList1 = nullptr;
    QAction* ManageInfoList1 = nullptr;
    QAction* Informations21 = nullptr;
    QAction* Publisher1 = nullptr;
    QAction* ManageRetailerList1 = nullptr;
    QAction* MultimediaFiles1 = nullptr;
    QMenu* LoadList1 = nullptr;
    QAction* LoadActor1 = nullptr;
    QAction* LoadBox1 = nullptr;
    QAction* LoadComposer1 = nullptr;
    QAction* LoadDirector1 = nullptr;
    QAction* LoadInformations1 = nullptr;
    QAction* LoadPublisher1 = nullptr;
    QAction* LoadRetailer1 = nullptr;
    QMenu* SaveList1 = nullptr;
    QAction* Actor1 = nullptr;
    QAction* Box1 = nullptr;
    QAction* Composer1 = nullptr;
    QAction* Director1 = nullptr;
    QAction* Informations1 = nullptr;
    QAction* Publisher2 = nullptr;
    QAction* Retailer1 = nullptr;
    QAction* ReBuildingIndex1 = nullptr;
    QMenu* STATS1 = nullptr;
    QAction* Statistics1 = nullptr;
    QAction* DVDStatistics1 = nullptr;
    QMenu* Language1 = nullptr;
    QAction* English1 = nullptr;
    QAction* Franais1 = nullptr;
    QAction* Allemand1 = nullptr;
    QAction* Italiano1 = nullptr;
    QAction* Finlandais1 = nullptr;
    QMenu* ABOUT1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* About2 = nullptr;

    // The left column.
    QLineEdit* EnterName = nullptr;
    QLineEdit* EnterSearch = nullptr;
    QStackedWidget* titleViews_ = nullptr; // ListDisc, TitleTable or CoverGrid
    QListView* ListDisc = nullptr;
    QTableView* TitleTable = nullptr;
    CoverGridWidget* CoverGrid = nullptr;
    int tableWidening_ = 0; // what the table or the grid added to the window's width
    QLineEdit* NameFile = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Panel3Caption = nullptr;
    QLineEdit* Edit1 = nullptr;
    QWidget* Panel12 = nullptr;
    QLabel* Panel12Caption = nullptr;
    QLineEdit* Edit2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QToolButton* Ajoute = nullptr;
    QToolButton* Efface = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton12 = nullptr;
    QToolButton* SpeedButton13 = nullptr;
    QToolButton* SpeedButton23 = nullptr;
    QWidget* leftColumn_ = nullptr;
    QGridLayout* buttons_ = nullptr;
    QSplitter* Splitter = nullptr; // the title list and the pages, side by side
    int listWidth_ = 0;            // the list's side of the split
    bool placed_ = false;          // the window came back where the user left it
    TableWidths tableWidths_{};    // the column widths the table shows, kept in the settings
    bool tableFitDue_ = true;      // no width kept yet: the columns fit their contents
    bool fittingHeaders_ = false;  // the columns widen for their headers: no width of the user's

    // The pages.
    QTabWidget* Onglet = nullptr;
    TInformationPage* DISC = nullptr;
    TSortPage* SORTDISC = nullptr;
    TGadgetPage* GADGET = nullptr;
    TMediaPage* MEDIAS = nullptr;
    TTextPage* TEXTDISC = nullptr;

    TitleTableModel* model_ = nullptr;
    CoverGridModel* covers_ = nullptr;
    ThumbnailCache* thumbnails_ = nullptr;
    bool syncingSelection_ = false; // one view's selection being copied to the other
    BrowseFilters filters_;
    std::vector<std::uint16_t> filtered_; // the titles the filters or a selection gave
    TitleSearch search_;
    std::optional<TableSort> tableSort_; // none: title order
    bool refreshLock_ = false;
    Windows windows_;
    std::unique_ptr<HelpViewer> help_;
    TMakeList* MakeList = nullptr;
    TTableImport* TableImport = nullptr;
    TCatalogueImport* CatalogueImport = nullptr;
};

} // namespace tavrin
