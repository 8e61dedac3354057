// The search field and the title table of the main window, driven through their controls: the
// search over names with the filters, the table's header sort and the columns kept in the
// settings.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/title_editor_window.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// Records: 0 WITNESS (1985, DVD, actor HARRISON FORD), 1 AMÉLIE (2001, DVD, director JEUNET),
// 2 BLADE RUNNER (1982, LD, actor HARRISON FORD), 3 ZULU (1964, VHS).
Collection Sample() {
    Collection c;
    c.List(ListId::Director) = {"JEUNET"};
    c.List(ListId::Actor) = {"HARRISON FORD"};
    TitleRecord witness = MakeTitle("WITNESS", 1985);
    witness.SetSupport(1);
    witness.SetActor1(0);
    TitleRecord amelie = MakeTitle("AM\xC9LIE", 2001);
    amelie.SetSupport(1);
    amelie.SetDirector(0);
    TitleRecord blade = MakeTitle("BLADE RUNNER", 1982);
    blade.SetActor3(0);
    TitleRecord zulu = MakeTitle("ZULU", 1964);
    zulu.SetSupport(2);
    for (auto* t : {&witness, &amelie, &blade, &zulu}) {
        t->SetBuyDate(40000);
        AppendTitle(c, *t);
    }
    return c;
}

QHeaderView* HeaderOf(const TLDF1& w) {
    return Find<QTableView>(w, "TitleTable")->horizontalHeader();
}

void ClickHeader(const TLDF1& w, TableColumn column) {
    QHeaderView* header = HeaderOf(w);
    const int section = static_cast<int>(column);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + 4, header->height() / 2));
}

const QString Amelie = QStringLiteral("AM\u00C9LIE");

} // namespace

class TitleTableWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString SettingsFile() const { return dir_->filePath(QStringLiteral("settings.ini")); }

    WindowUnderTest Open() {
        const QString file = dir_->filePath(QStringLiteral("SAMPLE.KXT"));
        Collection sample = Sample();
        if (!SaveCollection(sample, PathFromQString(file))) qFatal("cannot write the sample");
        auto w = MakeWindow(SettingsFile());
        w.window->show();
        QApplication::setActiveWindow(w.window.get());
        w.window->LoadFromCommandLine(file);
        return w;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void searchNarrowsTheFilteredList() {
        auto [window, prompts] = Open();
        auto* search = EditOf(*window, "EnterSearch");
        ActionOf(*window, "Search1")->trigger(); // Ctrl+F
        QVERIFY(search->hasFocus());
        QTest::keyClicks(search, QStringLiteral("harrison f"));
        QCOMPARE(ShownTitles(*window), (QStringList{"BLADE RUNNER", "WITNESS"}));
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("2"));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));

        // A filter changed keeps the search; emptying the field gives the filtered list back.
        Find<QComboBox>(*window, "TSupport")->setCurrentIndex(1); // DVD
        QCOMPARE(ShownTitles(*window), QStringList{"WITNESS"});
        search->selectAll();
        QTest::keyClick(search, Qt::Key_Backspace);
        QCOMPARE(ShownTitles(*window), (QStringList{Amelie, "WITNESS"}));
        QTest::keyClicks(search, QStringLiteral("amelie"));
        QCOMPARE(ShownTitles(*window), QStringList{Amelie});
        QCOMPARE(window->ListeIndexTri(), std::vector<std::uint16_t>{1});

        // Reset empties the field with the filters.
        ButtonOf(*window, "SpeedButton13")->click();
        QCOMPARE(search->text(), QString());
        QCOMPARE(ShownTitles(*window).size(), 4);
    }

    void headerClicksSortTheBrowseList() {
        auto [window, prompts] = Open();
        ActionOf(*window, "TitleTable1")->trigger();
        auto* table = Find<QTableView>(*window, "TitleTable");
        QVERIFY(table->isVisible());
        QVERIFY(!Find<QListView>(*window, "ListDisc")->isVisible());
        QCoreApplication::processEvents(); // the header laid out before it is clicked
        QVERIFY(ActionOf(*window, "TitleTable1")->isChecked());
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1)); // AMÉLIE, still selected

        ClickHeader(*window, TableColumn::Year);
        QCOMPARE(ShownTitles(*window), (QStringList{"ZULU", "BLADE RUNNER", "WITNESS", Amelie}));
        QCOMPARE(window->ListeIndexTri(), (std::vector<std::uint16_t>{3, 2, 0, 1}));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(1));
        QCOMPARE(HeaderOf(*window)->sortIndicatorSection(), static_cast<int>(TableColumn::Year));
        ClickHeader(*window, TableColumn::Year);
        QCOMPARE(ShownTitles(*window), (QStringList{Amelie, "WITNESS", "BLADE RUNNER", "ZULU"}));
        QCOMPARE(HeaderOf(*window)->sortIndicatorOrder(), Qt::DescendingOrder);
        // The same sorts from VIEW "Sort By", for the keyboard.
        ActionOf(*window, "SortByColumnYear")->trigger();
        QCOMPARE(ShownTitles(*window), (QStringList{"ZULU", "BLADE RUNNER", "WITNESS", Amelie}));
        ActionOf(*window, "SortByColumnYear")->trigger();
        QCOMPARE(ShownTitles(*window), (QStringList{Amelie, "WITNESS", "BLADE RUNNER", "ZULU"}));

        // The sort stays over a refresh; Delete and the current title work on the sorted rows.
        QTest::keyClicks(EditOf(*window, "EnterSearch"), QStringLiteral("e"));
        QCOMPARE(ShownTitles(*window), (QStringList{Amelie, "WITNESS", "BLADE RUNNER"}));
        table->setCurrentIndex(table->model()->index(1, 3));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(0));
        QCOMPARE(EditOf(*window, "Titre")->text(), QStringLiteral("WITNESS"));
        prompts->yesNoAnswers = {false};
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(prompts->questions.size(), 1);
        QVERIFY(prompts->questions.front().endsWith(QStringLiteral("WITNESS")));

        // Reset brings the title order back.
        ButtonOf(*window, "SpeedButton13")->click();
        QCOMPARE(ShownTitles(*window), (QStringList{Amelie, "BLADE RUNNER", "WITNESS", "ZULU"}));
        QCOMPARE(HeaderOf(*window)->sortIndicatorSection(), -1);
    }

    void columnsAndTheirOrderAreKeptInTheSettings() {
        {
            auto [window, prompts] = Open();
            ActionOf(*window, "TitleTable1")->trigger();
            ActionOf(*window, "ColumnYear")->trigger(); // hidden
            QVERIFY(HeaderOf(*window)->isSectionHidden(static_cast<int>(TableColumn::Year)));
            QHeaderView* header = HeaderOf(*window);
            // Director dragged to the front.
            header->moveSection(header->visualIndex(static_cast<int>(TableColumn::Director)), 0);
            window->close();
        }
        QSettings stored(SettingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Title View")).toString(), QStringLiteral("T"));
        QCOMPARE(stored.value(QStringLiteral("Table Columns")).toString(),
                 QStringLiteral("Director,Title,Medium,Genre,Length,Price,Purchased,Watched,Marks"));

        auto [window, prompts] = Open();
        QVERIFY(Find<QTableView>(*window, "TitleTable")->isVisible());
        QHeaderView* header = HeaderOf(*window);
        QVERIFY(header->isSectionHidden(static_cast<int>(TableColumn::Year)));
        QCOMPARE(header->logicalIndex(0), static_cast<int>(TableColumn::Director));
        QCOMPARE(header->logicalIndex(1), static_cast<int>(TableColumn::Title));
        // Back to the list: the setting follows, the columns stay as chosen.
        ActionOf(*window, "TitleList1")->trigger();
        QVERIFY(Find<QListView>(*window, "ListDisc")->isVisible());
        window->close();
        QSettings again(SettingsFile(), QSettings::IniFormat);
        QCOMPARE(again.value(QStringLiteral("Title View")).toString(), QStringLiteral("L"));
        QVERIFY(
            again.value(QStringLiteral("Table Columns")).toString().startsWith(QStringLiteral("Director,")));
    }

    // A store that never saw the table keeps its six values only.
    void untouchedSettingsStaySix() {
        {
            auto [window, prompts] = Open();
            window->close();
        }
        QSettings stored(SettingsFile(), QSettings::IniFormat);
        QVERIFY(!stored.contains(QStringLiteral("Title View")));
        QVERIFY(!stored.contains(QStringLiteral("Table Columns")));
    }
};

TAVRIN_WINDOW_TEST(TitleTableWindowTest, "title_table_window_test");

#include "title_table_window_test.moc"
