// FILES "Import From Another Program": the report before anything is added, the duplicates' check
// box, the import as one Undo step, and a file of another kind refused with its name.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "exchange/catalogue_import_dialog.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// Three films in a bare Tellico file: one the collection holds already.
constexpr std::string_view TellicoFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<tellico xmlns=\"http://periapsis.org/tellico/\" syntaxVersion=\"11\">\n"
    " <collection title=\"Films\" type=\"3\">\n"
    "  <fields><field name=\"_default\"/></fields>\n"
    "  <entry id=\"1\"><title>Salt Road</title><years><year>1979</year></years><medium>DVD</medium></entry>\n"
    "  <entry id=\"2\"><title>Harbour of Glass</title><years><year>1994</year></years>\n"
    "   <directors><director>Irene Vasko</director><director>Piet Harmsen</director></directors></entry>\n"
    "  <entry id=\"3\"><title>Night Ferry</title><medium>Blu-ray</medium>\n"
    "   <directors><director>Irene Vasko</director></directors></entry>\n"
    " </collection>\n"
    "</tellico>\n";

} // namespace

class CatalogueImportWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString Path(const QString& name) const { return dir_->filePath(name); }

    WindowUnderTest Opened() {
        Collection c;
        TitleRecord salt = MakeTitle("SALT ROAD", 1979);
        salt.SetSupport(1);
        AppendTitle(c, salt);
        return MakeWindowOpening(Path(QStringLiteral("settings.ini")), Path("films.KXT"), c);
    }

    TCatalogueImport* Import(WindowUnderTest& w, const QString& name, std::string_view text) {
        WriteBytes(PathFromQString(Path(name)), Bytes(text));
        w.prompts->openAnswers = {Path(name)};
        ActionOf(*w.window, "ImportCatalogue1")->trigger();
        return Find<TCatalogueImport>(*w.window, "CatalogueImport");
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void theReportComesFirstAndOneUndoTakesTheImportAway() {
        auto w = Opened();
        auto* dialog = Import(w, "films.tc", TellicoFile);
        QVERIFY(dialog->isVisible());
        QCOMPARE(Find<QLabel>(*dialog, "Summary")->text(),
                 QStringLiteral("Tellico: 3 titles, 1 already in the collection; 0 covers found, 0 missing"));
        auto* fields = Find<QTableView>(*dialog, "Fields");
        QAbstractItemModelTester tester(fields->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto row = [&](const QString& field) {
            for (int r = 0; r < fields->model()->rowCount(); ++r)
                if (fields->model()->index(r, 0).data().toString() == field)
                    return QStringList{fields->model()->index(r, 1).data().toString(),
                                       fields->model()->index(r, 2).data().toString(),
                                       fields->model()->index(r, 3).data().toString()};
            return QStringList{};
        };
        QCOMPARE(row(QStringLiteral("Director")), (QStringList{"2", "0", "1"}));
        QCOMPARE(row(QStringLiteral("Medium")), (QStringList{"1", "1", "0"}));

        // Ticked, the title already there would come in too; unticked again, it stays out.
        auto* duplicates = Find<QCheckBox>(*dialog, "Duplicates");
        QVERIFY(duplicates->isVisibleTo(dialog));
        duplicates->setChecked(true);
        QCOMPARE(dialog->Plan().report.imported, std::size_t{3});
        duplicates->setChecked(false);

        const Collection before = w.window->Data();
        QTest::mouseClick(Find<QPushButton>(*dialog, "ImportBtn"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(w.window->Data().Count(), std::size_t{3});
        QCOMPARE(w.window->Data().List(ListId::Director), (NameList{"IRENE VASKO"}));
        QCOMPARE(ShownTitles(*w.window), (QStringList{"HARBOUR OF GLASS", "NIGHT FERRY", "SALT ROAD"}));
        QVERIFY(w.window->Document().Modified());
        ActionOf(*w.window, "Undo1")->trigger();
        QCOMPARE(w.window->Data().titles, before.titles);
        QCOMPARE(w.window->Data().List(ListId::Director), before.List(ListId::Director));
        QVERIFY(!w.window->Document().Modified());
        QVERIFY(w.prompts->messages.isEmpty());
    }

    void aFileOfAnotherKindIsRefusedByName() {
        auto w = Opened();
        auto* dialog = Import(w, "books.xml",
                              "<?xml version=\"1.0\"?><tellico xmlns=\"http://periapsis.org/tellico/\" "
                              "syntaxVersion=\"11\"><collection title=\"B\" type=\"2\"/></tellico>");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(w.prompts->messages,
                 QStringList{
                     QStringLiteral("books.xml is not a film collection Tavrin can import (Tellico, GCstar, "
                                    "DVD Profiler, Collectorz, Griffith, Data Crow, Ant Movie Catalog).")});
        QCOMPARE(w.window->Data().Count(), std::size_t{1});
    }
};

TAVRIN_WINDOW_TEST(CatalogueImportWindowTest, "catalogue_import_window_test");

#include "catalogue_import_window_test.moc"
