// FILES "Import A Spreadsheet": the dialog's preview and its mapping, changed by hand; a refused
// table lists every refused cell and imports nothing; one Undo removes the whole import.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "exchange/table_import_dialog.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

using namespace tavrin;
using namespace tavrin::test;

class TableImportWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }

    // A window holding ZULU (directed by LEONE), opened from a file.
    WindowUnderTest Opened() {
        Collection c;
        c.List(ListId::Director) = {"LEONE"};
        TitleRecord zulu = MakeTitle("ZULU");
        zulu.SetDirector(0);
        AppendTitle(c, zulu);
        return MakeWindowOpening(Path(QStringLiteral("settings.ini")), Path("films.KXT"), c);
    }

    // Chooses the table file in the open dialog; gives the import dialog.
    TTableImport* ImportTable(WindowUnderTest& w, const QString& name, std::string_view text) {
        WriteBytes(PathFromQString(Path(name)), Bytes(text));
        w.prompts->openAnswers = {Path(name)};
        ActionOf(*w.window, "ImportTable1")->trigger();
        return Find<TTableImport>(*w.window, "TableImport");
    }

    static void Choose(QComboBox* combo, const char* field) {
        const int index = combo->findText(QLatin1String(field));
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
    }

    static QString Header(QTableView* view, int column) {
        return view->model()->headerData(column, Qt::Horizontal).toString();
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void thePreviewFollowsTheMappingChosenByHand() {
        auto w = Opened();
        auto* dialog = ImportTable(w, "films.csv",
                                   "Film,Year,Mise en sc\xC3\xA8"
                                   "ne,Notes\nAlien,1979,Scott,\nHeat,1995,Mann,great\n");
        QVERIFY(dialog->isVisible());
        QCOMPARE(w.prompts->lastDialog.filter, QStringLiteral("Spreadsheet (*.csv *.txt *.tsv)"));
        auto* preview = Find<QTableView>(*dialog, "Preview");
        QAbstractItemModelTester tester(preview->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(preview->model()->rowCount(), 2);
        QCOMPARE(preview->model()->columnCount(), 4);
        QCOMPARE(preview->model()->index(1, 2).data().toString(), QStringLiteral("Mann"));
        QCOMPARE(preview->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("2"));
        QCOMPARE(Header(preview, 1), QStringLiteral("Year\nYear"));
        QCOMPARE(Header(preview, 2), QStringLiteral("Mise en sc\u00E8ne\n(ignored)"));

        auto* film = Find<QComboBox>(*dialog, "Field0");
        auto* director = Find<QComboBox>(*dialog, "Field2");
        auto* notes = Find<QComboBox>(*dialog, "Field3");
        QCOMPARE(film->currentText(), QStringLiteral("(ignored)"));
        QCOMPARE(Find<QComboBox>(*dialog, "Field1")->currentText(), QStringLiteral("Year"));
        Choose(notes, "Title");
        Choose(film, "Title"); // the later choice of a field wins
        Choose(director, "Director");
        QCOMPARE(notes->currentText(), QStringLiteral("(ignored)"));
        QCOMPARE(Header(preview, 0), QStringLiteral("Film\nTitle"));
        QCOMPARE(Header(preview, 2), QStringLiteral("Mise en sc\u00E8ne\nDirector"));

        QTest::mouseClick(Find<QPushButton>(*dialog, "ImportBtn"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        const Collection& c = w.window->Data();
        QCOMPARE(c.Count(), std::size_t{3});
        QCOMPARE(QStringFromCp1252(c.RecordAt(1).TitleView()), QStringLiteral("ALIEN"));
        QCOMPARE(c.RecordAt(2).Year(), std::uint16_t{1995});
        QCOMPARE(c.List(ListId::Director), (NameList{"LEONE", "SCOTT", "MANN"}));
        QCOMPARE(c.RecordAt(2).Director(), std::uint16_t{2});
        QVERIFY(w.window->Document().Modified());
        QCOMPARE(ShownTitles(*w.window), (QStringList{"ALIEN", "HEAT", "ZULU"}));
        QCOMPARE(w.window->CurrentRecord(), std::optional<std::size_t>(1));
        QVERIFY(w.prompts->messages.isEmpty());
    }

    void aRefusedTableListsEveryCellAndImportsNothing() {
        auto w = Opened();
        // An unreadable table is named and opens no dialog.
        ImportTable(w, "open.csv", "Title\n\"Alien\n");
        QCOMPARE(w.prompts->messages.size(), 1);
        QVERIFY(w.prompts->messages[0].contains(Path("open.csv")));
        QVERIFY(!Find<TTableImport>(*w.window, "TableImport")->isVisible());

        std::string text = "Title;Year\n";
        for (int i = 0; i < 30; ++i)
            text += "Film " + std::to_string(i) + (i % 2 ? ";1980\n" : ";soon\n");
        auto* dialog = ImportTable(w, "films.csv", text);
        const Collection before = w.window->Data();
        QTest::mouseClick(Find<QPushButton>(*dialog, "ImportBtn"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(Find<QLabel>(*dialog, "RefusalText")->text(),
                 QStringLiteral("Nothing was imported: these cells do not fit their fields!"));
        auto* refused = Find<QTableView>(*dialog, "Refused");
        QAbstractItemModelTester tester(refused->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(refused->model()->rowCount(), 15);
        QCOMPARE(refused->model()->index(14, 0).data().toString(), QStringLiteral("30"));
        QCOMPARE(refused->model()->index(14, 1).data().toString(), QStringLiteral("Year"));
        QCOMPARE(refused->model()->index(14, 2).data().toString(), QStringLiteral("Not a whole number"));
        QCOMPARE(w.window->Data().titles, before.titles);
        QVERIFY(!w.window->Document().Modified());

        // The Year left out, the 30 titles go in as one step, and one Undo takes them all away.
        Choose(Find<QComboBox>(*dialog, "Field1"), "(ignored)");
        QVERIFY(!refused->isVisible());
        QTest::mouseClick(Find<QPushButton>(*dialog, "ImportBtn"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(w.window->Data().Count(), std::size_t{31});
        ActionOf(*w.window, "Undo1")->trigger();
        QCOMPARE(w.window->Data().titles, before.titles);
        QCOMPARE(w.window->Data().ListeIndex, before.ListeIndex);
        QVERIFY(!w.window->Document().Modified());
        QCOMPARE(ShownTitles(*w.window), QStringList{"ZULU"});
    }

    // The fields read in the user's language, a column no field takes as "(ignored)"; the actors
    // the import could not take are named once it is done.
    void fieldsInTheUsersLanguageAndRemarksAfterTheImport() {
        auto w = Opened();
        ActionOf(*w.window, "Allemand1")->trigger();
        auto* dialog = ImportTable(
            w, "films.csv", "Title,Medium,Notes,Actor\nAlien,LaserDisc,great,SIGOURNEY WEAVER JOHN HURT\n");
        auto* preview = Find<QTableView>(*dialog, "Preview");
        auto* medium = Find<QComboBox>(*dialog, "Field1");
        QCOMPARE(Header(preview, 1), QStringLiteral("Medium\nDatentr\u00E4ger"));
        QCOMPARE(Header(preview, 2), QStringLiteral("Notes\n(ignoriert)"));
        QCOMPARE(medium->currentText(), QStringLiteral("Datentr\u00E4ger"));
        ActionOf(*w.window, "English1")->trigger();
        QCOMPARE(Header(preview, 1), QStringLiteral("Medium\nMedium"));
        QCOMPARE(medium->currentText(), QStringLiteral("Medium"));
        QCOMPARE(Find<QComboBox>(*dialog, "Field3")->currentText(),
                 QStringLiteral("Actors (several in a cell)"));

        QTest::mouseClick(Find<QPushButton>(*dialog, "ImportBtn"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(w.window->Data().RecordAt(1).Support(), std::uint8_t{0});
        QCOMPARE(w.window->Data().RecordAt(1).Actor1(), NoEntry);
        QCOMPARE(w.prompts->messages.size(), 1);
        QVERIFY(w.prompts->messages[0].startsWith(QStringLiteral(
            "The titles were imported, with these remarks:\nRow 2, Actor: the actors were left out")));
    }
};

TAVRIN_WINDOW_TEST(TableImportWindowTest, "table_import_window_test");

#include "table_import_window_test.moc"
