// The name-list choosers driven through their controls in each mode, with the rename and progress
// windows they open, and the main window's TOOLS menu list commands.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/change_base_dialog.h"
#include "editing/choose_actor_dialog.h"
#include "editing/choose_element_dialog.h"
#include "editing/cleaning_window.h"
#include "store/files/name_list_file.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <optional>

using namespace tavrin;
using namespace tavrin::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The choosers over a collection of their own, as Windows::Create makes them.
struct Choosers {
    OpenCollection document;
    const Collection& collection = document.Data();
    FakePrompts prompts;
    MessageCatalogue catalogue;
    std::optional<std::pair<ListId, int>> filterSet;
    std::vector<int> actorFilters;
    NameListHost host{document,
                      collection,
                      prompts,
                      catalogue,
                      [this](ListId list, int entry) {
                          filterSet = {list, entry};
                      },
                      [this](int entry) {
                          if (std::find(actorFilters.begin(), actorFilters.end(), entry) !=
                              actorFilters.end())
                              return false;
                          actorFilters.push_back(entry);
                          return true;
                      },
                      {},
                      {}};
    TChangeBase rename{host};
    TCleaning cleaning{catalogue};
    TChooseElement element{host, rename, cleaning};
    TChooseActor actor{host, rename, cleaning};
    QWidget opener;

    Choosers() {
        for (NameChooser* c : {static_cast<NameChooser*>(&element), static_cast<NameChooser*>(&actor)})
            new QAbstractItemModelTester(c->Names()->Model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest, c);
    }
};

QLineEdit* EditLine(NameChooser& c) {
    return c.Names()->Edit();
}

QStringList Rows(NameChooser& c) {
    QStringList rows;
    auto* model = c.Names()->Model();
    for (int i = 0; i < model->rowCount(); ++i)
        rows << model->data(model->index(i), Qt::DisplayRole).toString();
    return rows;
}

// Clicks the row showing text, as the user picks a name in the list.
void ClickRow(NameChooser& c, const QString& text) {
    const int row = Rows(c).indexOf(text);
    QVERIFY2(row >= 0, qPrintable(text));
    QListView* view = c.Names()->View();
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList Cleaned(TCleaning& w) {
    return static_cast<QStringListModel*>(Find<QListView>(w, "CleanedBox")->model())->stringList();
}

TitleRecord Title(const char* text) {
    return MakeTitle(text);
}

} // namespace

class ChoosersWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Editor mode: the typed name is completed from the list; OK picks an equal entry or adds a
    // new one at the end and hands its number to the editor.
    void editorModePicksOrAddsTheTypedName() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Director) = {"SMITHSON", "LANG"}; });
        std::vector<int> picked;
        s.opener.show();
        s.element.OpenForEditor(
            ListId::Director, -1, [&](int e) { picked.push_back(e); }, &s.opener);
        QVERIFY(s.element.isVisible());
        QVERIFY(!s.opener.isEnabled());
        QCOMPARE(Rows(s.element), (QStringList{"LANG", "SMITHSON"}));
        QCOMPARE(Find<QLineEdit>(s.element, "NbElement2")->text(), QStringLiteral("2"));

        QTest::keyClicks(EditLine(s.element), QStringLiteral("smith"));
        QCOMPARE(EditLine(s.element)->text(), QStringLiteral("SMITHSON"));
        QCOMPARE(EditLine(s.element)->selectedText(), QStringLiteral("SON"));
        // Delete takes the completion away without completing again.
        QTest::keyClick(EditLine(s.element), Qt::Key_Delete);
        QCOMPARE(EditLine(s.element)->text(), QStringLiteral("SMITH"));
        QTest::keyClick(EditLine(s.element), Qt::Key_Return);

        QCOMPARE(picked, (std::vector<int>{2}));
        QCOMPARE(s.collection.List(ListId::Director), (NameList{"SMITHSON", "LANG", "SMITH"}));
        QVERIFY(s.document.Modified());
        QVERIFY(!s.element.isVisible());
        QVERIFY(s.opener.isEnabled());

        // An existing name is picked, nothing added; the edit line starts empty each time.
        s.element.OpenForEditor(
            ListId::Director, 2, [&](int e) { picked.push_back(e); }, &s.opener);
        QCOMPARE(EditLine(s.element)->text(), QString());
        QTest::keyClicks(EditLine(s.element), QStringLiteral("lang"));
        QTest::mouseClick(Find<QPushButton>(s.element, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(picked, (std::vector<int>{2, 1}));
        QCOMPARE(s.collection.List(ListId::Director).size(), std::size_t{3});
    }

    void editorModeRefusesNoNameAndAFullList() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Publisher).assign(255, "P"); });
        int picks = 0;
        s.element.OpenForEditor(
            ListId::Publisher, -1, [&](int) { ++picks; }, &s.opener);
        QTest::keyClick(EditLine(s.element), Qt::Key_Return);
        QCOMPARE(s.prompts.messages, QStringList{QStringLiteral("Enter A Name!")});
        QTest::keyClicks(EditLine(s.element), QStringLiteral("NEW"));
        QTest::keyClick(EditLine(s.element), Qt::Key_Return);
        QCOMPARE(s.prompts.messages.last(), QStringLiteral("You can't add more Publisher, sorry!"));
        QCOMPARE(picks, 0);
        QVERIFY(s.element.isVisible());
        QCOMPARE(s.collection.List(ListId::Publisher).size(), std::size_t{255});
        s.element.reject();
        QVERIFY(s.opener.isEnabled());
    }

    // A name with characters Windows-1252 lacks is neither added nor renamed to: the message names
    // them and the list, the name stays as typed, with the focus, and no list changes.
    void lettersACollectionCannotStoreAreRefused_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("director")
            << u"director"_s << u"Kieślowski"_s << u"Kieślowski"_s
            << u"Director: ś cannot be stored in a collection; type it without accents"_s;
        QTest::newRow("actor")
            << u"actor"_s << u"三船敏郎"_s << u"三船敏郎"_s
            << u"Actor: 三, 船, 敏 and 郎 cannot be stored in a collection; type them without "
               u"accents"_s;
        QTest::newRow("rename")
            << u"rename"_s << u"Żuławski"_s << u"ŻUłAWSKI"_s
            << u"Composer: Ż and ł cannot be stored in a collection; type them without accents"_s;
    }

    void lettersACollectionCannotStoreAreRefused() {
        QFETCH(QString, where);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Choosers s;
        Edit(s.document, [](Collection& c) {
            c.List(ListId::Director) = {"LANG"};
            c.List(ListId::Actor) = {"FORD"};
            c.List(ListId::Composer) = {"SMITH"};
        });
        const auto before = s.collection.lists;
        int picks = 0;
        QDialog* dialog = &s.element;
        QLineEdit* edit = EditLine(s.element);
        if (where == u"rename"_s) {
            s.element.OpenForManage(ListId::Composer, &s.opener);
            ClickRow(s.element, QStringLiteral("SMITH"));
            Find<QAction>(s.element, "Modify1")->trigger();
            dialog = &s.rename;
            edit = Find<QLineEdit>(s.rename, "Edit2");
            edit->clear();
        } else if (where == u"actor"_s) {
            s.actor.OpenForEditor(
                0, [&](int) { ++picks; }, &s.opener);
            dialog = &s.actor;
            edit = EditLine(s.actor);
        } else {
            s.element.OpenForEditor(
                ListId::Director, -1, [&](int) { ++picks; }, &s.opener);
        }
        TypeText(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(s.prompts.messages, QStringList{message});
        QVERIFY(dialog->isVisible());
        QCOMPARE(edit->text(), shown);
        QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(edit));
        QCOMPARE(picks, 0);
        QVERIFY(s.collection.lists == before);
    }

    // The actor chooser in editor mode works on the actor list for the slot that opened it.
    void actorEditorModeAddsToTheActorList() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Actor) = {"FORD"}; });
        int picked = -1;
        s.actor.OpenForEditor(
            3, [&](int e) { picked = e; }, &s.opener);
        QCOMPARE(s.actor.windowTitle(), QStringLiteral("Actor"));
        QCOMPARE(s.actor.Slot(), 3);
        QTest::keyClicks(EditLine(s.actor), QStringLiteral("allen"));
        QTest::keyClick(EditLine(s.actor), Qt::Key_Return);
        QCOMPARE(picked, 1);
        QCOMPARE(s.collection.List(ListId::Actor), (NameList{"FORD", "ALLEN"}));
    }

    // Manage mode: Delete asks, renumbers every title and reports each title that lost the entry.
    void deleteAsksThenRenumbersAndReports() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Actor) = {"FORD", "ALLEN", "KEATON"}; });
        TitleRecord a = Title("ANNIE HALL");
        a.SetActor1(1);
        a.SetActor4(1);
        a.SetActor2(2);
        TitleRecord b = Title("WITNESS");
        b.SetActor1(0);
        b.SetActor5(2);
        Edit(s.document, [&](Collection& c) { c.titles = {a, b}; });
        QSignalSpy deleted(&s.actor, &NameChooser::EntryDeleted);
        s.actor.OpenForManage(&s.opener);

        // Nothing selected: nothing asked.
        Find<QAction>(s.actor, "Delete1")->trigger();
        QVERIFY(s.prompts.questions.isEmpty());

        ClickRow(s.actor, QStringLiteral("ALLEN"));
        QCOMPARE(EditLine(s.actor)->text(), QStringLiteral("ALLEN"));
        Find<QAction>(s.actor, "Delete1")->trigger(); // answered No
        QCOMPARE(
            s.prompts.questions,
            QStringList{QStringLiteral("DELETE AN ACTOR|ALLEN IS REGISTERED\nON 2 DISCS\nDELETE ANYWAY?")});
        QCOMPARE(s.collection.List(ListId::Actor).size(), std::size_t{3});
        QCOMPARE(deleted.count(), 0);

        s.prompts.yesNoAnswers = {true};
        Find<QAction>(s.actor, "Delete1")->trigger();
        QCOMPARE(s.collection.List(ListId::Actor), (NameList{"FORD", "KEATON"}));
        QCOMPARE(test::ActorEntry(s.collection.titles[0], 0), -1);
        QCOMPARE(test::ActorEntry(s.collection.titles[0], 3), -1);
        QCOMPARE(test::ActorEntry(s.collection.titles[0], 1), 1);
        QCOMPARE(test::ActorEntry(s.collection.titles[1], 0), 0);
        QCOMPARE(test::ActorEntry(s.collection.titles[1], 4), 1);
        QVERIFY(s.document.Modified());
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(deleted[0][0].value<ListId>(), ListId::Actor);
        QCOMPARE(deleted[0][1].toInt(), 1);

        QVERIFY(s.cleaning.isVisible());
        QCOMPARE(Cleaned(s.cleaning), QStringList{QStringLiteral("Erased in : ANNIE HALL")});
        QCOMPARE(Find<QLabel>(s.cleaning, "Checking")->text(), QStringLiteral("Delete Complete!"));
        QVERIFY(Find<QPushButton>(s.cleaning, "CleanClose")->isEnabled());
        QVERIFY(s.actor.isEnabled());
        QCOMPARE(Rows(s.actor), (QStringList{"FORD", "KEATON"}));
        QCOMPARE(Find<QLineEdit>(s.actor, "NbA")->text(), QStringLiteral("2"));
        QCOMPARE(EditLine(s.actor)->text(), QString());

        QTest::mouseClick(Find<QPushButton>(s.cleaning, "CleanClose"), Qt::LeftButton);
        QVERIFY(!s.cleaning.isVisible());

        // An unused entry is asked about plainly, under the generic caption in the other chooser.
        Edit(s.document, [&](Collection& c) { c.List(ListId::Box) = {"TRILOGY"}; });
        s.element.OpenForManage(ListId::Box, &s.opener);
        ClickRow(s.element, QStringLiteral("TRILOGY"));
        Find<QAction>(s.element, "Delete1")->trigger();
        QCOMPARE(s.prompts.questions.last(), QStringLiteral("DELETE A Element|DELETE TRILOGY?"));
    }

    // Modify opens the rename dialog; an existing name is refused, a new one shows at its place.
    void modifyRenamesThroughTheRenameDialog() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Composer) = {"SMITH", "JARRE", "WILLIAMS"}; });
        QSignalSpy renamed(&s.element, &NameChooser::EntryRenamed);
        s.element.OpenForManage(ListId::Composer, &s.opener);
        ClickRow(s.element, QStringLiteral("SMITH"));
        Find<QAction>(s.element, "Modify1")->trigger();

        QVERIFY(s.rename.isVisible());
        QVERIFY(!s.element.isEnabled());
        QCOMPARE(Find<QLineEdit>(s.rename, "Edit1")->text(), QStringLiteral("SMITH"));
        QLineEdit* edit2 = Find<QLineEdit>(s.rename, "Edit2");
        QCOMPARE(edit2->text(), QStringLiteral("SMITH"));

        QTest::mouseClick(Find<QPushButton>(s.rename, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(s.prompts.messages, QStringList{QStringLiteral("This Name Already Exist!")});
        edit2->clear();
        QTest::keyClicks(edit2, QStringLiteral("jarre"));
        QCOMPARE(edit2->text(), QStringLiteral("JARRE"));
        QTest::mouseClick(Find<QPushButton>(s.rename, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(s.prompts.messages.size(), 2);
        QCOMPARE(edit2->text(), QStringLiteral("SMITH"));
        QVERIFY(s.rename.isVisible());

        edit2->clear();
        QTest::keyClicks(edit2, QStringLiteral("zimmer"));
        QTest::mouseClick(Find<QPushButton>(s.rename, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!s.rename.isVisible());
        QVERIFY(s.element.isEnabled());
        QCOMPARE(s.collection.List(ListId::Composer), (NameList{"ZIMMER", "JARRE", "WILLIAMS"}));
        QCOMPARE(Rows(s.element), (QStringList{"JARRE", "WILLIAMS", "ZIMMER"}));
        QCOMPARE(s.element.Names()->SelectedEntry(), 0);
        QCOMPARE(renamed.count(), 1);
        QCOMPARE(renamed[0][1].toInt(), 0);
    }

    // Clean List removes the unused entries, lists them and signals each removal in order.
    void cleanListRemovesUnusedEntries() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Retailer) = {"A", "B", "C", "D", "E", "F"}; });
        for (int ref : {0, 1, 4, 5}) {
            TitleRecord t = Title("T");
            t.SetRetailer(static_cast<std::uint16_t>(ref));
            Edit(s.document, [&](Collection& c) { c.titles.push_back(t); });
        }
        QSignalSpy deleted(&s.element, &NameChooser::EntryDeleted);
        s.element.OpenForManage(ListId::Retailer, &s.opener);
        Find<QAction>(s.element, "CleanList1")->trigger(); // answered No
        QCOMPARE(s.prompts.questions,
                 QStringList{QStringLiteral(
                     "CLEAN LIST|CLEAN UNUSED ENTRY ON THE LIST?\nIT COULD TAKE A LONG TIME!")});
        QCOMPARE(s.collection.List(ListId::Retailer).size(), std::size_t{6});

        s.prompts.yesNoAnswers = {true};
        Find<QAction>(s.element, "CleanList1")->trigger();
        QCOMPARE(s.collection.List(ListId::Retailer), (NameList{"A", "B", "E", "F"}));
        QCOMPARE(s.collection.titles[2].Retailer(), 2);
        QCOMPARE(s.collection.titles[3].Retailer(), 3);
        QCOMPARE(Cleaned(s.cleaning), (QStringList{"Erased : C", "Erased : D"}));
        QCOMPARE(Find<QLabel>(s.cleaning, "Checking")->text(), QStringLiteral("Cleaning Complete!"));
        QCOMPARE(Find<QLineEdit>(s.element, "NbElement2")->text(), QStringLiteral("4"));
        QCOMPARE(Rows(s.element), (QStringList{"A", "B", "E", "F"}));
        QCOMPARE(deleted.count(), 2);
        QCOMPARE(deleted[0][1].toInt(), 2);
        QCOMPARE(deleted[1][1].toInt(), 2);

        // An empty list asks nothing.
        Edit(s.document, [&](Collection& c) { c.List(ListId::Info).clear(); });
        s.element.OpenForManage(ListId::Info, &s.opener);
        Find<QAction>(s.element, "CleanList1")->trigger();
        QCOMPARE(s.prompts.questions.size(), 2);
    }

    // Filter mode: the selected entry goes to the main window's filter; nothing selected is refused.
    void filterModeHandsTheSelectedEntryOver() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Info2) = {"LETTERBOX", "SIGNED"}; });
        s.element.OpenForFilter(ListId::Info2, &s.opener);
        QTest::mouseClick(Find<QPushButton>(s.element, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(s.prompts.messages, QStringList{QStringLiteral("Choose Something First!")});
        QVERIFY(!s.filterSet);

        QTest::keyClicks(EditLine(s.element), QStringLiteral("sig"));
        QCOMPARE(EditLine(s.element)->text(), QStringLiteral("SIGNED"));
        QTest::keyClick(EditLine(s.element), Qt::Key_Return);
        QVERIFY(s.filterSet);
        QCOMPARE(s.filterSet->first, ListId::Info2);
        QCOMPARE(s.filterSet->second, 1);
        QVERIFY(!s.element.isVisible());
        QVERIFY(s.opener.isEnabled());
    }

    void actorFilterRefusesAnActorChosenBefore() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Actor) = {"FORD", "ALLEN"}; });
        s.actor.OpenForFilter(&s.opener);
        ClickRow(s.actor, QStringLiteral("ALLEN"));
        QTest::keyClick(EditLine(s.actor), Qt::Key_Return);
        QCOMPARE(s.actorFilters, std::vector<int>{1});
        QVERIFY(!s.actor.isVisible());

        s.actor.OpenForFilter(&s.opener);
        ClickRow(s.actor, QStringLiteral("ALLEN"));
        QTest::mouseClick(Find<QPushButton>(s.actor, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(s.prompts.messages, QStringList{QStringLiteral("You have already choose this actor!")});
        QVERIFY(s.actor.isVisible());
    }

    // Backspace after a completion removes the completed part and completes nothing.
    void typeAheadStopsOnBackspace() {
        Choosers s;
        Edit(s.document, [&](Collection& c) { c.List(ListId::Director) = {"SMITH", "LANG"}; });
        s.element.OpenForManage(ListId::Director, &s.opener);
        QTest::keyClicks(EditLine(s.element), QStringLiteral("SM"));
        QCOMPARE(EditLine(s.element)->text(), QStringLiteral("SMITH"));
        QCOMPARE(EditLine(s.element)->selectedText(), QStringLiteral("ITH"));
        QCOMPARE(s.element.Names()->SelectedEntry(), 0);
        QTest::keyClick(EditLine(s.element), Qt::Key_Backspace);
        QCOMPARE(EditLine(s.element)->text(), QStringLiteral("SM"));
        QCOMPARE(s.element.Names()->SelectedEntry(), -1);
        // Typing on completes again; a whole name typed in small letters shows as the list has it.
        QTest::keyClicks(EditLine(s.element), QStringLiteral("ith"));
        QCOMPARE(EditLine(s.element)->text(), QStringLiteral("SMITH"));
        QCOMPARE(EditLine(s.element)->selectedText(), QString());
        QCOMPARE(s.element.Names()->SelectedEntry(), 0);
        s.element.Names()->SelectEntry(-1);
        // Modify without a selected entry does nothing.
        Find<QAction>(s.element, "Modify1")->trigger();
        QVERIFY(!s.rename.isVisible());
    }

    // The TOOLS menu: Manage List opens the chooser on its list, Save List and Load List go
    // through the name-list files.
    void toolsMenuListCommands() {
        QTemporaryDir dir;
        auto [window, prompts] = MakeWindow(dir.filePath(QStringLiteral("settings.ini")));
        window->NewTavrinfile1Click();
        Edit(window->Document(), [&](Collection& c) { c.List(ListId::Composer) = {"WILLIAMS", "JARRE"}; });

        ActionOf(*window, "ManageComposerList1")->trigger();
        TChooseElement& chooser = *window->SecondaryWindows().chooseElement;
        QVERIFY(chooser.isVisible());
        QCOMPARE(chooser.CurrentList(), ListId::Composer);
        QVERIFY(!window->isEnabled());
        QTest::mouseClick(Find<QPushButton>(chooser, "BitBtn2"), Qt::LeftButton);
        QVERIFY(window->isEnabled());

        ActionOf(*window, "ManageActorList1")->trigger();
        QVERIFY(window->SecondaryWindows().chooseActor->isVisible());
        window->SecondaryWindows().chooseActor->reject();

        const QString file = dir.filePath(QStringLiteral("composers.KXC"));
        prompts->saveAnswers = {file};
        ActionOf(*window, "Composer1")->trigger();
        QCOMPARE(prompts->lastDialog.title, QStringLiteral("SAVE"));
        QCOMPARE(prompts->lastDialog.filter, QStringLiteral("KXT Composer List (*.KXC)"));
        QCOMPARE(prompts->lastDialog.defaultSuffix, QStringLiteral("KXC"));
        QCOMPARE(ReadBytes(PathFromQString(file)), SerializeNameList(window->Data(), ListId::Composer));

        Edit(window->Document(), [&](Collection& c) { c.List(ListId::Composer) = {"OTHER"}; });
        prompts->openAnswers = {file};
        ActionOf(*window, "LoadDirector1")->trigger(); // the file's letter decides
        QCOMPARE(window->Data().List(ListId::Composer), (NameList{"WILLIAMS", "JARRE"}));

        // A damaged file changes nothing.
        auto bytes = ReadBytes(PathFromQString(file));
        bytes.pop_back();
        WriteBytes(PathFromQString(file), bytes);
        prompts->openAnswers = {file};
        Edit(window->Document(), [&](Collection& c) { c.List(ListId::Composer) = {"KEPT"}; });
        ActionOf(*window, "LoadComposer1")->trigger();
        QCOMPARE(prompts->messages.last(), QStringLiteral("Invalid file!"));
        QCOMPARE(window->Data().List(ListId::Composer), NameList{"KEPT"});

        // With titles, Load List refuses before asking for a file.
        (void)AddTitle(window->Document(), MakeTitle("T"), ChangeKind::AddTitle, std::nullopt);
        const int asked = prompts->openAsked;
        ActionOf(*window, "LoadActor1")->trigger();
        QCOMPARE(prompts->messages.last(),
                 QStringLiteral("You cannot load a list\nif you had already titles registered"));
        QCOMPARE(prompts->openAsked, asked);
    }

    // The main window's director filter button opens the chooser; the pick becomes the filter,
    // and the filter follows later deletions and cleanings instead of pointing at another name.
    void filterPickReachesTheMainWindow() {
        QTemporaryDir dir;
        auto [window, prompts] = MakeWindow(dir.filePath(QStringLiteral("settings.ini")));
        window->NewTavrinfile1Click();
        Edit(window->Document(), [&](Collection& c) { c.List(ListId::Director) = {"LANG", "WELLES", "HAWKS", "FORD"}; });
        TitleRecord kane = MakeTitle("KANE");
        kane.SetDirector(1);
        TitleRecord searchers = MakeTitle("THE SEARCHERS");
        searchers.SetDirector(3);
        for (TitleRecord* t : {&kane, &searchers})
            t->SetBuyDate(window->Today()); // within the entry-date filter
        (void)AddTitle(window->Document(), kane, ChangeKind::AddTitle, std::nullopt);
        (void)AddTitle(window->Document(), searchers, ChangeKind::AddTitle, std::nullopt);
        window->CopyMasterToBrowse();
        window->RebuildTitleList();

        window->ChooseFilterName(ListId::Director);
        TChooseElement& chooser = *window->SecondaryWindows().chooseElement;
        QVERIFY(!window->isEnabled());
        ClickRow(chooser, QStringLiteral("FORD"));
        QTest::mouseClick(Find<QPushButton>(chooser, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(window->Filters().TDirector, 3);
        QVERIFY(window->isEnabled());
        QCOMPARE(ShownTitles(*window), QStringList{QStringLiteral("THE SEARCHERS")});

        // The filter field shows the new text of a renamed entry.
        chooser.OpenForManage(ListId::Director, window.get());
        ClickRow(chooser, QStringLiteral("FORD"));
        Find<QAction>(chooser, "Modify1")->trigger();
        TChangeBase& rename = *window->SecondaryWindows().changeBase;
        Find<QLineEdit>(rename, "Edit2")->setText(QStringLiteral("JOHN FORD"));
        QTest::mouseClick(Find<QPushButton>(rename, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(*window, "TDirector")->text(), QStringLiteral("JOHN FORD"));

        ClickRow(chooser, QStringLiteral("LANG"));
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "Delete1")->trigger();
        QCOMPARE(window->Filters().TDirector, 2); // still FORD
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "CleanList1")->trigger(); // HAWKS goes
        QCOMPARE(window->Data().List(ListId::Director), (NameList{"WELLES", "JOHN FORD"}));
        QCOMPARE(window->Filters().TDirector, 1);
        QCOMPARE(ShownTitles(*window), QStringList{QStringLiteral("THE SEARCHERS")});
        ClickRow(chooser, QStringLiteral("JOHN FORD"));
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "Delete1")->trigger();
        QCOMPARE(window->Filters().TDirector, -1);
    }

    // Filter actors follow the actor list too: a deleted one leaves the filter, later ones move.
    void actorFilterFollowsDeletions() {
        QTemporaryDir dir;
        auto [window, prompts] = MakeWindow(dir.filePath(QStringLiteral("settings.ini")));
        window->NewTavrinfile1Click();
        Edit(window->Document(), [&](Collection& c) { c.List(ListId::Actor) = {"KEATON", "WAYNE", "STEWART"}; });
        TitleRecord rio = MakeTitle("RIO BRAVO");
        rio.SetActor1(1);
        rio.SetActor2(0);
        TitleRecord liberty = MakeTitle("LIBERTY VALANCE");
        liberty.SetActor1(1);
        liberty.SetActor2(2);
        for (TitleRecord* t : {&rio, &liberty}) {
            t->SetBuyDate(window->Today());
            (void)AddTitle(window->Document(), *t, ChangeKind::AddTitle, std::nullopt);
        }
        window->CopyMasterToBrowse();
        window->RebuildTitleList();
        QVERIFY(window->AddActorFilter(1));
        QVERIFY(window->AddActorFilter(2));
        QCOMPARE(ShownTitles(*window), QStringList{QStringLiteral("LIBERTY VALANCE")});

        TChooseActor& chooser = *window->SecondaryWindows().chooseActor;
        chooser.OpenForManage(window.get());
        ClickRow(chooser, QStringLiteral("KEATON"));
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "Delete1")->trigger();
        QCOMPARE(window->Filters().TActor, (std::array<int, 3>{0, 1, -1})); // still WAYNE, STEWART
        QCOMPARE(ShownTitles(*window), QStringList{QStringLiteral("LIBERTY VALANCE")});

        ClickRow(chooser, QStringLiteral("STEWART"));
        prompts->yesNoAnswers = {true};
        Find<QAction>(chooser, "Delete1")->trigger();
        QCOMPARE(window->Filters().TActor, (std::array<int, 3>{0, -1, -1}));
        QCOMPARE(ShownTitles(*window),
                 (QStringList{QStringLiteral("LIBERTY VALANCE"), QStringLiteral("RIO BRAVO")}));
    }
};

TAVRIN_WINDOW_TEST(ChoosersWindowTest, "choosers_window_test");

#include "choosers_window_test.moc"
