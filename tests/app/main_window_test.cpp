// The main window's file commands: New, Open, Save, Save As, Save Selected Titles, the question
// about unsaved changes, and the commands that wait for a collection.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "store/files/collection_file.h"
#include "store/files/file_lock.h"
#include "store/files/recovery_copy.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/wait.h>
#include <unistd.h>

using namespace tavrin;
using namespace tavrin::test;

namespace {

const std::vector<std::string> NoNames;

// A version-5 file with these titles in record order and the master order given.
QString WriteKx5(const QString& path, const std::vector<std::string>& titles,
                 const std::vector<std::uint16_t>& order) {
    std::vector<TitleRecord> records;
    for (const auto& t : titles)
        records.push_back(MakeTitle(t));
    WriteBytes(PathFromQString(path),
               BuildFile('5', records, std::vector<std::vector<std::string>>(9, NoNames), order));
    return path;
}

QStringList Titles(const Collection& c) {
    QStringList titles;
    for (auto r : c.ListeIndex)
        titles << QStringFromCp1252(c.RecordAt(r).TitleView());
    return titles;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }
    WindowUnderTest Make() { return MakeWindow(Path(QStringLiteral("settings.ini"))); }
    // A window holding a new collection with unsaved titles.
    WindowUnderTest MakeModified(std::initializer_list<const char*> titles) {
        auto w = Make();
        w.window->NewTavrinfile1Click();
        for (const char* t : titles)
            (void)AddTitle(w.window->Document(), MakeTitle(t), ChangeKind::AddTitle, std::nullopt);
        w.window->CopyMasterToBrowse();
        w.window->RebuildTitleList();
        return w;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void commandsWaitForACollection() {
        auto [window, prompts] = Make();
        const char* waiting[] = {"SAVEButton", "SaveAs1", "Import1",     "ImportTable1",
                                 "AddAList1",  "Export1", "ExportAList1"};
        const char* always[] = {"NewTavrinfile1", "Open1", "SaveSelectedList1", "Print", "N2",
                                "Help2",          "About2"};
        auto check = [&](bool loaded) {
            for (const char* name : waiting)
                QVERIFY2(ActionOf(*window, name)->isEnabled() == loaded, name);
            for (const char* name : always)
                QVERIFY2(ActionOf(*window, name)->isEnabled(), name);
            QCOMPARE(MenuOf(*window, "TOOLS1")->menuAction()->isEnabled(), loaded);
            QCOMPARE(MenuOf(*window, "STATS1")->menuAction()->isEnabled(), loaded);
            QCOMPARE(ButtonOf(*window, "Ajoute")->isEnabled(), loaded);
            QCOMPARE(ButtonOf(*window, "Efface")->isEnabled(), loaded);
        };
        check(false);

        // A file that could not be loaded enables nothing.
        WriteBytes(PathFromQString(Path("bad.KXT")), {'K', 'X', '9', 0, 0});
        prompts->openAnswers = {Path("bad.KXT"), Path("missing.KXT")};
        ActionOf(*window, "Open1")->trigger();
        ActionOf(*window, "Open1")->trigger();
        check(false);

        ActionOf(*window, "NewTavrinfile1")->trigger();
        check(true);
        QCOMPARE(EditOf(*window, "NameFile")->text(), QStringLiteral("New File"));
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("0"));
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("0"));

        auto [opened, openPrompts] = Make();
        openPrompts->openAnswers = {WriteKx5(Path("one.KXT"), {"ALIEN"}, {0})};
        ActionOf(*opened, "Open1")->trigger();
        for (const char* name : waiting)
            QVERIFY2(ActionOf(*opened, name)->isEnabled(), name);
        QVERIFY(MenuOf(*opened, "TOOLS1")->menuAction()->isEnabled());
        QVERIFY(ButtonOf(*opened, "Ajoute")->isEnabled());
    }

    void keyboardShortcutsReachTheFileCommands() {
        auto [window, prompts] = Make();
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(EditOf(*window, "NameFile")->text(), QStringLiteral("New File"));
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(prompts->openAsked, 1);
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts->saveAsked, 1); // a new collection has no file yet
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!window->isVisible());
    }

    void openShowsTheTitlesInTitleOrder() {
        auto [window, prompts] = Make();
        const QString file = WriteKx5(Path("three.KXT"), {"ZULU", "ALIEN", "CIN\xC9MA PARADISO"}, {1, 2, 0});
        prompts->openAnswers = {file};
        ActionOf(*window, "Open1")->trigger();

        QCOMPARE(prompts->lastDialog.title, QStringLiteral("OPEN"));
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("Tavrin File (*.KXT)"));
        QCOMPARE(prompts->lastDialog.defaultSuffix, QStringLiteral("KXT"));
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "CINÉMA PARADISO", "ZULU"}));
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("3"));
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("3"));
        QCOMPARE(EditOf(*window, "NameFile")->text(), file);
        QCOMPARE(window->Data().CurrentFileName, file.toStdString());
        QVERIFY(!window->Document().Modified());
        // The first row is selected: record 1, "ALIEN".
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));
        QVERIFY(prompts->messages.isEmpty());
    }

    void opensOlderVersions() {
        auto [window, prompts] = Make();
        // "KX2": director, actor, composer, box, info and retailer sections only.
        WriteBytes(PathFromQString(Path("old.KXT")),
                   BuildFile('2', {MakeTitle("VERTIGO"), MakeTitle("PSYCHO")},
                             std::vector<std::vector<std::string>>(6, NoNames), {1, 0}));
        // "KXT": five sections.
        WriteBytes(
            PathFromQString(Path("oldest.KXT")),
            BuildFile('T', {MakeTitle("RAN")}, std::vector<std::vector<std::string>>(5, NoNames), {0}));
        prompts->openAnswers = {Path("old.KXT"), Path("oldest.KXT")};

        ActionOf(*window, "Open1")->trigger();
        QCOMPARE(ShownTitles(*window), (QStringList{"PSYCHO", "VERTIGO"}));
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("2"));
        const NameList& publishers = window->Data().List(ListId::Publisher);
        QCOMPARE(publishers.size(), std::size_t(29));
        QCOMPARE(publishers.front(), std::string("Other"));
        // Converted on opening: unsaved until it is written in the current version.
        QVERIFY(window->Document().Modified());
        QVERIFY(window->isWindowModified());

        prompts->questionAnswers = {SaveAnswer::No};
        ActionOf(*window, "Open1")->trigger();
        QCOMPARE(prompts->questions.size(), 1);
        QCOMPARE(ShownTitles(*window), QStringList{"RAN"});
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("1"));
        QVERIFY(prompts->messages.isEmpty());
    }

    void aFileThatCannotBeLoadedLeavesTheOpenCollection() {
        auto [window, prompts] = Make();
        const QString good = WriteKx5(Path("good.KXT"), {"HEAT", "JAWS"}, {0, 1});
        prompts->openAnswers = {good};
        ActionOf(*window, "Open1")->trigger();
        (void)AddTitle(window->Document(), MakeTitle("KING KONG"), ChangeKind::AddTitle, std::nullopt);
        window->CopyMasterToBrowse();
        window->RebuildTitleList();
        QVERIFY(window->Document().Modified());

        WriteBytes(PathFromQString(Path("notes.KXT")), {'h', 'e', 'l', 'l', 'o'});
        auto damaged = ReadBytes(PathFromQString(good));
        damaged.resize(damaged.size() - 3); // cut into the master order
        WriteBytes(PathFromQString(Path("damaged.KXT")), damaged);
        QDir(dir_->path()).mkdir(QStringLiteral("folder.KXT"));

        prompts->openAnswers = {Path("notes.KXT"), Path("damaged.KXT"), Path("missing.KXT"),
                                Path("folder.KXT")};
        prompts->questionAnswers = {SaveAnswer::No, SaveAnswer::No, SaveAnswer::No, SaveAnswer::No};
        for (int i = 0; i < 4; ++i)
            ActionOf(*window, "Open1")->trigger();

        QCOMPARE(prompts->messages, (QStringList{"Invalid file!", "Invalid file!",
                                                 Path("folder.KXT") + " is not a regular file"}));
        QCOMPARE(ShownTitles(*window), (QStringList{"HEAT", "JAWS", "KING KONG"}));
        QCOMPARE(EditOf(*window, "Edit1")->text(), QStringLiteral("3"));
        QVERIFY(window->Document().Modified());
        QCOMPARE(window->Data().CurrentFileName, good.toStdString());
        QCOMPARE(EditOf(*window, "NameFile")->text(), good);
    }

    void theSaveQuestionGuardsNew() {
        // Cancel: nothing happens, not even a save dialog.
        {
            auto [window, prompts] = MakeModified({"ALIEN"});
            prompts->questionAnswers = {SaveAnswer::Cancel};
            ActionOf(*window, "NewTavrinfile1")->trigger();
            QCOMPARE(prompts->questions,
                     QStringList{QStringLiteral("CONFIRMATION|Do you want to save the change?")});
            QCOMPARE(ShownTitles(*window), QStringList{"ALIEN"});
            QVERIFY(window->Document().Modified());
            QCOMPARE(prompts->saveAsked, 0);
        }
        // Yes, then the save dialog is cancelled: the changes are not thrown away.
        {
            auto [window, prompts] = MakeModified({"ALIEN"});
            prompts->questionAnswers = {SaveAnswer::Yes};
            ActionOf(*window, "NewTavrinfile1")->trigger();
            QCOMPARE(prompts->saveAsked, 1);
            QCOMPARE(ShownTitles(*window), QStringList{"ALIEN"});
            QVERIFY(window->Document().Modified());
        }
        // Yes and a name: saved, then a new collection.
        {
            auto [window, prompts] = MakeModified({"ALIEN", "BRAZIL"});
            prompts->questionAnswers = {SaveAnswer::Yes};
            prompts->saveAnswers = {Path("kept.KXT")};
            ActionOf(*window, "NewTavrinfile1")->trigger();
            QVERIFY(ShownTitles(*window).isEmpty());
            QVERIFY(!window->Document().Modified());
            QCOMPARE(EditOf(*window, "NameFile")->text(), QStringLiteral("New File"));
            auto reloaded = LoadCollectionFile(PathFromQString(Path("kept.KXT")), "Other");
            QVERIFY(reloaded.has_value());
            QCOMPARE(Titles(reloaded->collection), (QStringList{"ALIEN", "BRAZIL"}));
        }
        // No: the changes go.
        {
            auto [window, prompts] = MakeModified({"ALIEN"});
            prompts->questionAnswers = {SaveAnswer::No};
            ActionOf(*window, "NewTavrinfile1")->trigger();
            QVERIFY(ShownTitles(*window).isEmpty());
            QCOMPARE(prompts->saveAsked, 0);
            QVERIFY(!window->Document().Modified());
            QCOMPARE(window->Data().EarliestBuyDate, window->Today());
        }
        // Nothing to save: no question.
        {
            auto [window, prompts] = Make();
            ActionOf(*window, "NewTavrinfile1")->trigger();
            ActionOf(*window, "NewTavrinfile1")->trigger();
            QVERIFY(prompts->questions.isEmpty());
        }
    }

    void theSaveQuestionGuardsOpen() {
        const QString other = WriteKx5(Path("other.KXT"), {"RAN"}, {0});
        {
            auto [window, prompts] = MakeModified({"ALIEN"});
            prompts->questionAnswers = {SaveAnswer::Cancel};
            prompts->openAnswers = {other};
            ActionOf(*window, "Open1")->trigger();
            QCOMPARE(prompts->openAsked, 0);
            QCOMPARE(ShownTitles(*window), QStringList{"ALIEN"});
        }
        {
            // Yes, but the save fails: the open dialog never shows.
            QFile plain(Path("plain"));
            QVERIFY(plain.open(QIODevice::WriteOnly));
            plain.close();
            auto [window, prompts] = MakeModified({"ALIEN"});
            prompts->questionAnswers = {SaveAnswer::Yes};
            prompts->saveAnswers = {Path("plain/x.KXT")};
            prompts->openAnswers = {other};
            ActionOf(*window, "Open1")->trigger();
            QCOMPARE(prompts->openAsked, 0);
            QCOMPARE(prompts->messages.size(), 1);
            QCOMPARE(ShownTitles(*window), QStringList{"ALIEN"});
            QVERIFY(window->Document().Modified());
        }
        {
            auto [window, prompts] = MakeModified({"ALIEN"});
            prompts->questionAnswers = {SaveAnswer::No};
            prompts->openAnswers = {other};
            ActionOf(*window, "Open1")->trigger();
            QCOMPARE(ShownTitles(*window), QStringList{"RAN"});
            QVERIFY(!window->Document().Modified());
        }
    }

    void theSaveQuestionGuardsClosing() {
        const QString settings = Path("settings.ini");
        {
            auto [window, prompts] = MakeModified({"ALIEN"});
            window->show();
            prompts->questionAnswers = {SaveAnswer::Cancel};
            QVERIFY(!window->close());
            QVERIFY(window->isVisible());
            QVERIFY(window->Document().Modified());
        }
        {
            QFile plain(Path("plain"));
            QVERIFY(plain.open(QIODevice::WriteOnly));
            plain.close();
            auto [window, prompts] = MakeModified({"ALIEN"});
            window->show();
            prompts->questionAnswers = {SaveAnswer::Yes};
            prompts->saveAnswers = {Path("plain/x.KXT")};
            QVERIFY(!window->close());
            QVERIFY(window->isVisible());
            QCOMPARE(prompts->messages, QStringList{"Could not write " + Path("plain/x.KXT") +
                                                    ": Not a directory. The file on disk is unchanged."});
        }
        {
            QFile::remove(settings);
            auto [window, prompts] = MakeModified({"ALIEN"});
            window->show();
            QFile::remove(settings); // written at the first run; closing must write it again
            prompts->questionAnswers = {SaveAnswer::No};
            QVERIFY(window->close());
            QVERIFY(QFile::exists(settings));
        }
    }

    void saveAsWritesAFileThatReloads() {
        auto [window, prompts] = MakeModified({"METROPOLIS", "ALIEN"});
        const QString file = Path("mine.KXT");
        prompts->saveAnswers = {file};
        ActionOf(*window, "SaveAs1")->trigger();
        QCOMPARE(prompts->lastDialog.title, QStringLiteral("SAVE"));
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("Tavrin File (*.KXT)"));
        QVERIFY(!window->Document().Modified());
        QCOMPARE(EditOf(*window, "NameFile")->text(), file);
        QCOMPARE(window->Data().CurrentFileName, file.toStdString());

        // Save now writes to that file without asking.
        (void)AddTitle(window->Document(), MakeTitle("ZULU"), ChangeKind::AddTitle, std::nullopt);
        ActionOf(*window, "SAVEButton")->trigger();
        QCOMPARE(prompts->saveAsked, 1);
        QVERIFY(!window->Document().Modified());

        // A second run finds the file open: it is asked, and reads the file without Save.
        auto [reader, readerPrompts] = Make();
        readerPrompts->openAnswers = {file};
        readerPrompts->yesNoAnswers = {true};
        ActionOf(*reader, "Open1")->trigger();
        QCOMPARE(readerPrompts->questions.size(), 1);
        const LockHolder me = ThisRun();
        QVERIFY2(readerPrompts->questions.front().startsWith(
                     "CONFIRMATION|" + QDir::toNativeSeparators(file) + " is already open (" +
                     QString::fromStdString(me.user) + " on " + QString::fromStdString(me.host) + " since "),
                 qPrintable(readerPrompts->questions.front()));
        QVERIFY(readerPrompts->questions.front().endsWith("). Open it read-only?"));
        QCOMPARE(ShownTitles(*reader), (QStringList{"ALIEN", "METROPOLIS", "ZULU"}));
        QVERIFY(!ActionOf(*reader, "SAVEButton")->isEnabled());
        QVERIFY(ActionOf(*reader, "SaveAs1")->isEnabled());

        // Answered No, nothing is opened.
        auto [other, otherPrompts] = Make();
        otherPrompts->openAnswers = {file};
        ActionOf(*other, "Open1")->trigger();
        QCOMPARE(otherPrompts->questions.size(), 1);
        QVERIFY(ShownTitles(*other).isEmpty());
        QVERIFY(!ActionOf(*other, "SAVEButton")->isEnabled());

        // The lock goes with the window that holds it: a run then opens the file as its own.
        QVERIFY(QFile::exists(QStringFromPath(LockFilePath(PathFromQString(file)))));
        prompts->questionAnswers = {SaveAnswer::No};
        QVERIFY(window->close());
        QVERIFY(!QFile::exists(QStringFromPath(LockFilePath(PathFromQString(file)))));
        auto [owner, ownerPrompts] = Make();
        ownerPrompts->openAnswers = {file};
        ActionOf(*owner, "Open1")->trigger();
        QVERIFY(ownerPrompts->questions.isEmpty());
        QVERIFY(ActionOf(*owner, "SAVEButton")->isEnabled());
        // Opening it again in the same run is no second run.
        ownerPrompts->openAnswers = {file};
        ActionOf(*owner, "Open1")->trigger();
        QVERIFY(ownerPrompts->questions.isEmpty());
        QVERIFY(ActionOf(*owner, "SAVEButton")->isEnabled());
    }

    // A lock left by a run that is gone is taken over without a word; a file another program
    // changed since it was opened is not saved over without asking.
    void aStaleLockIsTakenOverAndAChangeOnDiskIsAskedAbout() {
        const QString file = WriteKx5(Path("shared.KXT"), {"HEAT"}, {0});
        const pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        WriteBytes(LockFilePath(PathFromQString(file)),
                   Bytes(LockFileText({"ann", ThisRun().host, child, "2024-01-02T03:04:05"})));
        auto [window, prompts] = Make();
        prompts->openAnswers = {file};
        ActionOf(*window, "Open1")->trigger();
        QVERIFY(prompts->questions.isEmpty());
        QCOMPARE(ShownTitles(*window), QStringList{"HEAT"});

        (void)AddTitle(window->Document(), MakeTitle("JAWS"), ChangeKind::AddTitle, std::nullopt);
        // Another program writes the file meanwhile (a different size, so the change is seen
        // whatever the clock's resolution).
        const auto theirs = SerializeCollection(MakeCollection({"RAN", "ZELIG"}));
        WriteBytes(PathFromQString(file), theirs);
        const QString question = "CONFIRMATION|" + QDir::toNativeSeparators(file) +
                                 " has been changed by another program since it was opened. Save over it?";
        ActionOf(*window, "SAVEButton")->trigger(); // answered No
        QCOMPARE(prompts->questions, QStringList{question});
        QCOMPARE(ReadBytes(PathFromQString(file)), theirs);
        QVERIFY(window->Document().Modified());
        QVERIFY(ActionOf(*window, "SaveAs1")->isEnabled());

        prompts->yesNoAnswers = {true};
        ActionOf(*window, "SAVEButton")->trigger();
        QCOMPARE(prompts->questions.size(), 2);
        QCOMPARE(ReadBytes(PathFromQString(file)), SerializeCollection(window->Data()));
        QVERIFY(!window->Document().Modified());
        // Saved here last: the next save asks nothing.
        ActionOf(*window, "SAVEButton")->trigger();
        QCOMPARE(prompts->questions.size(), 2);
    }

    void aFailedSaveKeepsTheChanges() {
        QFile plain(Path("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        auto [window, prompts] = MakeModified({"ALIEN"});
        const QString target = Path("plain/coll.KXT");
        prompts->saveAnswers = {target};
        ActionOf(*window, "SAVEButton")->trigger(); // no file yet: Save asks for one
        QCOMPARE(prompts->saveAsked, 1);
        QCOMPARE(prompts->messages, QStringList{"Could not write " + target +
                                                ": Not a directory. The file on disk is unchanged."});
        QVERIFY(window->Document().Modified());
        QCOMPARE(EditOf(*window, "NameFile")->text(), QStringLiteral("New File"));
        QVERIFY(window->Data().CurrentFileName.empty());
    }

    void saveSelectedTitlesWritesTheBrowseList() {
        auto [window, prompts] = Make();
        const QString file =
            WriteKx5(Path("four.KXT"), {"DUNE", "ALIEN", "CASABLANCA", "BRAZIL"}, {1, 3, 2, 0});
        prompts->openAnswers = {file};
        ActionOf(*window, "Open1")->trigger();

        // The whole collection, or nothing, is no selection.
        ActionOf(*window, "SaveSelectedList1")->trigger();
        window->ListeIndexTri().clear();
        ActionOf(*window, "SaveSelectedList1")->trigger();
        QCOMPARE(prompts->messages,
                 (QStringList{"You have made no selection!", "You have made no selection!"}));
        QCOMPARE(prompts->saveAsked, 0);

        window->ListeIndexTri() = {2, 1};
        window->RebuildTitleList();
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("2"));
        prompts->saveAnswers = {Path("two.KXT")};
        ActionOf(*window, "SaveSelectedList1")->trigger();
        auto saved = LoadCollectionFile(PathFromQString(Path("two.KXT")), "Other");
        QVERIFY(saved.has_value());
        QCOMPARE(Titles(saved->collection), (QStringList{"CASABLANCA", "ALIEN"}));
        QCOMPARE(saved->collection.ListeIndex, (std::vector<std::uint16_t>{0, 1}));
        QCOMPARE(EditOf(*window, "NameFile")->text(), file);
        QCOMPARE(window->Data().CurrentFileName, file.toStdString());
        QVERIFY(!window->Document().Modified());
    }

    void undoAndRedoFollowTheEditMenuAndItsKeys() {
        auto [window, prompts] =
            MakeWindowWithTitles(Path(QStringLiteral("settings.ini")), {"ALIEN", "BRAZIL", "CASABLANCA"});
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto bar = window->menuBar()->actions();
        QCOMPARE(bar.indexOf(MenuOf(*window, "EDIT1")->menuAction()),
                 bar.indexOf(MenuOf(*window, "FILES1")->menuAction()) + 1);
        QAction* undo = ActionOf(*window, "Undo1");
        QAction* redo = ActionOf(*window, "Redo1");
        QVERIFY(!undo->isEnabled());
        const QStringList before = ShownTitles(*window);
        const bool modifiedBefore = window->Document().Modified();

        prompts->yesNoAnswers = {true};
        ButtonOf(*window, "Efface")->click(); // the first line: ALIEN
        QCOMPARE(ShownTitles(*window), (QStringList{"BRAZIL", "CASABLANCA"}));
        QCOMPARE(ShownCaption(undo), QStringLiteral("Undo Delete Title"));
        QVERIFY(undo->isEnabled() && !redo->isEnabled());

        QListView* list = Find<QListView>(*window, "ListDisc");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ShownTitles(*window), before);
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(0)); // the title undone is selected
        QCOMPARE(window->Document().Modified(), modifiedBefore);
        QCOMPARE(ShownCaption(redo), QStringLiteral("Redo Delete Title"));
        QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ShownTitles(*window), (QStringList{"BRAZIL", "CASABLANCA"}));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ShownTitles(*window), (QStringList{"BRAZIL", "CASABLANCA"}));

        window->SetLanguage(1);
        QCOMPARE(ShownCaption(undo), QStringLiteral("Annuler Suppression du titre"));
        window->SetLanguage(0);
        prompts->questionAnswers = {SaveAnswer::No};
        window->NewTavrinfile1Click();
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }

    void saveKeepsTheFileItReplacesAsABackup() {
        const QString path = WriteKx5(Path(QStringLiteral("films.KXT")), {"ALIEN"}, {0});
        const auto original = ReadBytes(PathFromQString(path));
        auto [window, prompts] = Make();
        window->LoadFromCommandLine(path);
        (void)AddTitle(window->Document(), MakeTitle("BRAZIL"), ChangeKind::AddTitle, std::nullopt);
        window->SAVEButtonClick();
        const QString backup = path + QStringLiteral(".bak");
        QCOMPARE(ReadBytes(PathFromQString(backup)), original);
        const auto saved = ReadBytes(PathFromQString(path));
        QCOMPARE(saved, SerializeCollection(window->Data()));

        // "Keep a backup" Off: the backup stays the one made before.
        QCOMPARE(Find<QGroupBox>(*window, "RadioKeepBackup")->title(), QStringLiteral("Keep a backup"));
        Find<QRadioButton>(*window, "RadioKeepBackup1")->click();
        QVERIFY(!window->CurrentSettings().KeepBackup);
        (void)AddTitle(window->Document(), MakeTitle("CASABLANCA"), ChangeKind::AddTitle, std::nullopt);
        window->SAVEButtonClick();
        QCOMPARE(ReadBytes(PathFromQString(backup)), original);
        QVERIFY(ReadBytes(PathFromQString(path)) != saved);
        QVERIFY(prompts->messages.isEmpty());
    }

    void aRecoveryCopyIsOfferedAfterACrash() {
        const QString path = WriteKx5(Path(QStringLiteral("films.KXT")), {"ALIEN"}, {0});
        const QString folder = TLDF1::RecoveryFolder();
        QDir(folder).removeRecursively();
        QStringList crashed;
        {
            auto [window, prompts] = Make();
            window->LoadFromCommandLine(path);
            window->KeepRecoveryCopy();
            QVERIFY2(QDir(folder).entryList(QDir::Files).isEmpty(), "no copy without changes");
            (void)AddTitle(window->Document(), MakeTitle("BRAZIL"), ChangeKind::AddTitle, std::nullopt);
            window->KeepRecoveryCopy();
            const QStringList files = QDir(folder).entryList(QDir::Files);
            QCOMPARE(files.filter(QStringLiteral(".lock")).size(), 1);
            // A run that ended without closing leaves its copy without a live lock.
            for (const QString& ending : {QStringLiteral(".KXT"), QStringLiteral(".name")}) {
                const QString own = files.filter(ending).value(0);
                QVERIFY(QFile::copy(QDir(folder).filePath(own),
                                    QDir(folder).filePath(QStringLiteral("gone") + ending)));
            }
            crashed = QDir(folder).entryList({QStringLiteral("gone.*")}, QDir::Files);

            // Written again only after a change.
            const QString own = QDir(folder).filePath(files.filter(QStringLiteral(".KXT")).value(0));
            QVERIFY(QFile::remove(own));
            window->KeepRecoveryCopy();
            QVERIFY(!QFile::exists(own));
            prompts->yesNoAnswers = {true};
            ButtonOf(*window, "Efface")->click();
            window->KeepRecoveryCopy();
            QVERIFY(QFile::exists(own));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files), crashed); // a clean end removes its own copy

        // Declined: the copy goes, nothing is opened.
        for (const QString& name : crashed)
            QVERIFY(QFile::copy(QDir(folder).filePath(name), Path(name)));
        {
            auto [window, prompts] = Make();
            window->show();
            QTRY_COMPARE(prompts->questions.size(), 1);
            QCOMPARE(prompts->questions.front(),
                     QStringLiteral("CONFIRMATION|Recover the changes made to %1?")
                         .arg(QDir::toNativeSeparators(path)));
            QVERIFY(window->Data().titles.empty());
            QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
        }
        // Accepted: the changes come back, unsaved, under the collection's own name.
        for (const QString& name : crashed)
            QVERIFY(QFile::copy(Path(name), QDir(folder).filePath(name)));
        auto [window, prompts] = Make();
        prompts->yesNoAnswers = {true};
        window->show();
        QTRY_COMPARE(prompts->questions.size(), 1);
        QCOMPARE(Titles(window->Data()), (QStringList{"ALIEN", "BRAZIL"}));
        QVERIFY(window->Document().Modified());
        QCOMPARE(EditOf(*window, "NameFile")->text(), path);
        QCOMPARE(QString::fromStdString(window->Data().CurrentFileName), path);
        const QStringList now = QDir(folder).entryList(QDir::Files);
        QVERIFY2(now.filter(QStringLiteral("gone")).isEmpty() &&
                     now.filter(QStringLiteral(".KXT")).size() == 1,
                 "the run's own copy takes over");
        prompts->questionAnswers = {SaveAnswer::Yes};
        window->close();
        QCOMPARE(ReadBytes(PathFromQString(path)), SerializeCollection(window->Data()));
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());
    }

    void recentFilesOpenFromTheFilesMenu() {
        const QString first = WriteKx5(Path(QStringLiteral("first.KXT")), {"ALIEN"}, {0});
        const QString second = WriteKx5(Path(QStringLiteral("second.KXT")), {"BRAZIL"}, {0});
        {
            auto [window, prompts] = Make();
            QVERIFY(!ActionOf(*window, "RecentFile1")->isVisible());
            prompts->openAnswers = {first, second};
            window->Open1Click();
            window->Open1Click();
        }
        auto [window, prompts] = Make(); // the list is kept in the settings
        QCOMPARE(ShownCaption(ActionOf(*window, "RecentFile1")), QStringLiteral("1 ") + second);
        QCOMPARE(ShownCaption(ActionOf(*window, "RecentFile2")), QStringLiteral("2 ") + first);
        QVERIFY(!ActionOf(*window, "RecentFile3")->isVisible());
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_2, Qt::AltModifier);
        QCOMPARE(Titles(window->Data()), QStringList{"ALIEN"});
        QCOMPARE(ShownCaption(ActionOf(*window, "RecentFile1")), QStringLiteral("1 ") + first);

        // One that is gone leaves the list, named in a message.
        QVERIFY(QFile::remove(second));
        ActionOf(*window, "RecentFile2")->trigger();
        QCOMPARE(
            prompts->messages,
            QStringList{QStringLiteral("This collection no longer exists and leaves the recent files:\n") +
                        second});
        QCOMPARE(Titles(window->Data()), QStringList{"ALIEN"});
        QVERIFY(!ActionOf(*window, "RecentFile2")->isVisible());
    }
};

TAVRIN_WINDOW_TEST(MainWindowTest, "main_window_test");

#include "main_window_test.moc"
