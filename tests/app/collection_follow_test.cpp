// The windows follow the open collection: whatever changed it (a button, the editor, a chooser, an
// import, Undo, Redo), the list, its counters, the view, the EDIT menu and the caption show it as
// it now is; and a recovered collection is never taken for a saved one.
#include "app/main_window.h"
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/title_editor_window.h"
#include "store/files/collection_file.h"
#include "store/title_exchange.h"
#include "test_support.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace tavrin;
using namespace tavrin::test;

class CollectionFollowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void everyChangeIsFollowed() {
        using Act = std::function<void(TLDF1&, FakePrompts&)>;
        const auto select = [](TLDF1& w, std::size_t record) { w.SelectRecord(record); };
        const auto click = [](TLDF1& w, const char* button) {
            QTest::mouseClick(ButtonOf(w, button), Qt::LeftButton);
        };
        const auto deleteHeat = [&](TLDF1& w, FakePrompts& p) {
            select(w, 1);
            p.yesNoAnswers = {true};
            click(w, "Efface");
        };
        {
            Collection jaws = MakeCollection({"JAWS"});
            jaws.List(ListId::Director) = {"SPIELBERG"};
            jaws.titles[0].SetDirector(0);
            WriteBytes(PathFromQString(Path("jaws.KXM")), ExportTitle(jaws, 0));
        }
        struct Case {
            const char* name;
            Act act;
            QStringList listed;
            QString shown; // the title the INFORMATION page shows
            QString director;
            QString undo, redo; // the EDIT menu's texts; empty: disabled
            bool modified;
        };
        const Case cases[] = {
            {"Watched Today",
             [&](TLDF1& w, FakePrompts&) { click(w, "SpeedButton9"); },
             {"ALIEN", "HEAT", "ZULU"},
             "ALIEN",
             "SCOTT",
             "Undo Watched Today",
             {},
             true},
            {"editor OK",
             [&](TLDF1& w, FakePrompts&) {
                 select(w, 1);
                 click(w, "SpeedButton1");
                 TAjouteF& editor = *w.SecondaryWindows().ajouteF;
                 QLineEdit* title = Find<QLineEdit>(editor, "ATitre");
                 title->clear();
                 QTest::keyClicks(title, QStringLiteral("brazil"));
                 QTest::mouseClick(Find<QPushButton>(editor, "BitBtn2"), Qt::LeftButton);
             },
             {"ALIEN", "BRAZIL", "ZULU"},
             "BRAZIL",
             {},
             "Undo Edit Title",
             {},
             true},
            {"Delete", deleteHeat, {"ALIEN", "ZULU"}, "ALIEN", "SCOTT", "Undo Delete Title", {}, true},
            {"a name renamed",
             [](TLDF1& w, FakePrompts&) { RenameEntry(w.Document(), ListId::Director, 0, "RIDLEY SCOTT"); },
             {"ALIEN", "HEAT", "ZULU"},
             "ALIEN",
             "RIDLEY SCOTT",
             "Undo Rename Name",
             {},
             true},
            {"Import A Title",
             [&](TLDF1& w, FakePrompts& p) {
                 p.openAnswers = {Path("jaws.KXM")};
                 p.yesNoAnswers = {true};
                 ActionOf(w, "Import1")->trigger();
             },
             {"ALIEN", "HEAT", "JAWS", "ZULU"},
             "JAWS",
             "SPIELBERG",
             "Undo Import A Title",
             {},
             true},
            {"Undo",
             [&](TLDF1& w, FakePrompts& p) {
                 deleteHeat(w, p);
                 ActionOf(w, "Undo1")->trigger();
             },
             {"ALIEN", "HEAT", "ZULU"},
             "HEAT",
             {},
             {},
             "Redo Delete Title",
             false},
            {"Redo",
             [&](TLDF1& w, FakePrompts& p) {
                 deleteHeat(w, p);
                 ActionOf(w, "Undo1")->trigger();
                 ActionOf(w, "Redo1")->trigger();
             },
             {"ALIEN", "ZULU"},
             "ALIEN",
             "SCOTT",
             "Undo Delete Title",
             {},
             true},
        };
        for (const Case& c : cases) {
            auto [window, prompts] =
                MakeWindowWithTitles(Path(QStringLiteral("settings.ini")), {"ALIEN", "HEAT", "ZULU"});
            Edit(window->Document(), [](Collection& col) {
                col.List(ListId::Director) = {"SCOTT"};
                col.titles[0].SetDirector(0);
            });
            window->SelectRecord(0);
            c.act(*window, *prompts);
            const QString name = QString::fromLatin1(c.name);
            QVERIFY2(ShownTitles(*window) == c.listed,
                     qPrintable(name + ": " + ShownTitles(*window).join(',')));
            const QString count = QString::number(c.listed.size());
            QVERIFY2(EditOf(*window, "Edit1")->text() == count, qPrintable(name));
            QVERIFY2(EditOf(*window, "Edit2")->text() == count, qPrintable(name));
            QVERIFY2(EditOf(*window, "Titre")->text() == c.shown,
                     qPrintable(name + ": " + EditOf(*window, "Titre")->text()));
            QVERIFY2(EditOf(*window, "Director")->text() == c.director,
                     qPrintable(name + ": " + EditOf(*window, "Director")->text()));
            const QAction* undo = ActionOf(*window, "Undo1");
            const QAction* redo = ActionOf(*window, "Redo1");
            QVERIFY2(undo->isEnabled() == !c.undo.isEmpty(), qPrintable(name));
            QVERIFY2(redo->isEnabled() == !c.redo.isEmpty(), qPrintable(name));
            if (!c.undo.isEmpty())
                QVERIFY2(ShownCaption(undo) == c.undo, qPrintable(name + ": " + undo->text()));
            if (!c.redo.isEmpty())
                QVERIFY2(ShownCaption(redo) == c.redo, qPrintable(name + ": " + redo->text()));
            QVERIFY2(window->Document().Modified() == c.modified, qPrintable(name));
            QVERIFY2(window->isWindowModified() == c.modified, qPrintable(name));
            QVERIFY2(window->windowTitle() == QStringLiteral("New File[*] - TAVRIN V2.91.3 (Beta)"),
                     qPrintable(window->windowTitle()));
            QVERIFY2(prompts->messages.isEmpty(), qPrintable(name));
        }
    }

    // A crash recovered, one change and its Undo: still not what the file holds, so closing asks.
    void aRecoveredCollectionStaysUnsavedThroughUndo() {
        const QString file = Path(QStringLiteral("films.KXT"));
        WriteBytes(PathFromQString(file), SerializeCollection(MakeCollection({"ALIEN"})));
        const QString folder = TLDF1::RecoveryFolder();
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        Collection changed = MakeCollection({"ALIEN", "BRAZIL"});
        changed.CurrentFileName = PathFromQString(file).string();
        WriteBytes(PathFromQString(folder + QStringLiteral("/1-dead.KXT")), SerializeCollection(changed));
        WriteBytes(PathFromQString(folder + QStringLiteral("/1-dead.name")), Bytes(file.toStdString()));

        auto [window, prompts] = MakeWindow(Path(QStringLiteral("settings.ini")));
        prompts->yesNoAnswers = {true}; // recover
        window->show();
        QTRY_VERIFY(window->Document().Modified());
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "BRAZIL"}));
        QVERIFY(window->isWindowModified());
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("films.KXT[*] - ")));

        QTest::mouseClick(ButtonOf(*window, "SpeedButton9"), Qt::LeftButton);
        ActionOf(*window, "Undo1")->trigger();
        QVERIFY(window->Document().Modified());
        prompts->questionAnswers = {SaveAnswer::Cancel};
        QVERIFY(!window->close());
        QCOMPARE(prompts->questions.filter(QStringLiteral("Do you want to save the change?")).size(), 1);
        prompts->questionAnswers = {SaveAnswer::No};
        QVERIFY(window->close());
    }
};

TAVRIN_WINDOW_TEST(CollectionFollowTest, "collection_follow_test");
#include "collection_follow_test.moc"
