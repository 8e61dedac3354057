// The statistics window and the special selections driven through their real controls: both
// statistics modes, a chart's pixels and caption, the money chart, saving and copying a chart,
// the price summary, the titles with a null price, Russian Roulette and the manual choice.
#include "app/browse/make_list_dialog.h"
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "reports/stats_window.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrin;
using namespace tavrin::test;

namespace {

const QColor Red(255, 0, 0);

// Records: 0 ZORRO (DVD zone 1, ratio 6, box 3, 5.00), 1 ALIEN (LD, ratio 0, box 3, 10.00, one CAV
// and two CLV sides), 2 MATRIX (DVD zone 2, ratio 6, box 3, no price), 3 BRAZIL (LD, ratio 0, no
// box, no price). All bought today.
Collection Sample() {
    Collection c;
    c.List(ListId::Box) = {"A", "B", "C", "TRILOGY"};
    const QDate today = QDate::currentDate();
    const DayNumber bought = DayNumberFromDate(today.year(), today.month(), today.day()).value();
    struct Row {
        const char* title;
        std::uint8_t support, zone, ratio;
        std::uint16_t box;
        float price;
    };
    const Row rows[] = {{"ZORRO", 1, 1, 6, 3, 5},
                        {"ALIEN", 0, 0, 0, 3, 10},
                        {"MATRIX", 1, 2, 6, 3, 0},
                        {"BRAZIL", 0, 0, 0, NoEntry, 0}};
    for (const Row& row : rows) {
        TitleRecord t = MakeTitle(row.title, 1990);
        t.SetSupport(row.support);
        t.SetZone(row.zone);
        t.SetAspectRatio(row.ratio);
        t.SetBox(row.box);
        t.SetPrice(row.price);
        t.SetBuyDate(bought);
        AppendTitle(c, t);
    }
    c.titles[1].SetCavSides(1);
    c.titles[1].SetClvSides(2);
    return c;
}

QColor PixelAt(QWidget* box, int x, int y) {
    return box->grab().toImage().pixelColor(x, y);
}

} // namespace

class StatsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    WindowUnderTest Open() {
        const QString file = dir_->filePath(QStringLiteral("SAMPLE.KXT"));
        Collection sample = Sample();
        if (!SaveCollection(sample, PathFromQString(file))) qFatal("cannot write the sample");
        auto w = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        w.window->show();
        w.window->LoadFromCommandLine(file);
        return w;
    }
    static TStatsForm* Stats(TLDF1& window) { return window.SecondaryWindows().statsForm.get(); }
    static void Click(QWidget& owner, const char* button) {
        QTest::mouseClick(Find<QToolButton>(owner, button), Qt::LeftButton);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void statisticsModeDrawsACountingChart() {
        auto [window, prompts] = Open();
        TStatsForm* stats = Stats(*window);
        ActionOf(*window, "Statistics1")->trigger();
        QVERIFY(stats->isVisible());
        QVERIFY(!window->isEnabled());
        QCOMPARE(stats->windowTitle(), QStringLiteral("STATS"));
        for (const char* shown :
             {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton7"})
            QVERIFY2(!Find<QToolButton>(*stats, shown)->isHidden(), shown);
        for (const char* hidden : {"SpeedButton11", "SpeedButton12", "SpeedButton14", "SpeedButton15"})
            QVERIFY2(Find<QToolButton>(*stats, hidden)->isHidden(), hidden);
        QVERIFY(QTest::qWaitForWindowActive(stats));

        // Two titles of 1.33 and two of 2.35: half each, bars of 390 pixels in rows of 48.
        Click(*stats, "SpeedButton1");
        QCOMPARE(stats->windowTitle(), QStringLiteral("ASPECT RATIOS"));
        auto* box = Find<QWidget>(*stats, "StatsBox");
        QCOMPARE(box->size(), QSize(500, 453));
        QCOMPARE(PixelAt(box, 200, 24), Red);
        QCOMPARE(PixelAt(box, 200, 0), QColor(Qt::black)); // the outline
        QCOMPARE(PixelAt(box, 200, 6 * 48 + 24), Red);
        QCOMPARE(PixelAt(box, 200, 48 + 24), QColor(Qt::white)); // 1.66: no title
        QCOMPARE(PixelAt(box, 495, 24), QColor(Qt::white));

        // The money chart of the current year: the box set once, in the month of purchase.
        auto* years = Find<QComboBox>(*stats, "YearCombo");
        const int thisYear = QDate::currentDate().year();
        QCOMPARE(years->count(), 2);
        QCOMPARE(years->currentText(), QString::number(thisYear));
        QCOMPARE(Find<QComboBox>(*stats, "MonthCombo")->currentText(), QStringLiteral("All"));
        emit years->activated(years->currentIndex());
        QCOMPARE(stats->windowTitle(), QStringLiteral("MONEY PER MONTH IN ") + QString::number(thisYear));
        const int month = QDate::currentDate().month();
        QCOMPARE(PixelAt(box, 100, (month - 1) * 36 + 18), Red);

        stats->close();
        QVERIFY(window->isEnabled());
    }

    void dvdModeDrawsTheSideAndZoneCharts() {
        auto [window, prompts] = Open();
        TStatsForm* stats = Stats(*window);
        ActionOf(*window, "DVDStatistics1")->trigger();
        QCOMPARE(stats->windowTitle(), QStringLiteral("LD/DVD STATS"));
        for (const char* shown : {"SpeedButton11", "SpeedButton14", "SpeedButton15", "SpeedButton1"})
            QVERIFY2(!Find<QToolButton>(*stats, shown)->isHidden(), shown);
        for (const char* hidden :
             {"SpeedButton3", "SpeedButton4", "SpeedButton5", "SpeedButton6", "SpeedButton7"})
            QVERIFY2(Find<QToolButton>(*stats, hidden)->isHidden(), hidden);
        QVERIFY(QTest::qWaitForWindowActive(stats));

        Click(*stats, "SpeedButton11");
        QCOMPARE(stats->windowTitle(), QStringLiteral("CAV - CLV"));
        auto* box = Find<QWidget>(*stats, "StatsBox");
        QCOMPARE(PixelAt(box, 340, 100), Red);               // CLV, 353 pixels
        QCOMPARE(PixelAt(box, 170, 300), Red);               // CAV, 176 pixels
        QCOMPARE(PixelAt(box, 185, 300), QColor(Qt::white)); // past its end, before its label

        // No DVD side is recorded: the message, and the box cleared.
        Click(*stats, "SpeedButton15");
        QCOMPARE(prompts->messages, QStringList{"These works only with DVD and there's none selected!"});
        QCOMPARE(PixelAt(box, 170, 300), QColor(Qt::white));

        Click(*stats, "SpeedButton14");
        QCOMPARE(stats->windowTitle(), QStringLiteral("DVD ZONE"));
        QCOMPARE(PixelAt(box, 100, 62 + 31), Red); // zone 1: a quarter of the list
        stats->close();
    }

    // A chart of a field the list is filtered on leaves the window as it was.
    void aFilteredFieldLeavesTheChart() {
        auto [window, prompts] = Open();
        Find<QComboBox>(*window, "TAspectRatio")->setCurrentIndex(0);
        QCOMPARE(ShownTitles(*window), (QStringList{"ALIEN", "BRAZIL"}));
        ActionOf(*window, "Statistics1")->trigger();
        TStatsForm* stats = Stats(*window);
        QVERIFY(QTest::qWaitForWindowActive(stats));
        Click(*stats, "SpeedButton2");
        QCOMPARE(stats->windowTitle(), QStringLiteral("LD/DVD/VHS"));
        Click(*stats, "SpeedButton1");
        QCOMPARE(stats->windowTitle(), QStringLiteral("LD/DVD/VHS"));
        stats->close();

        // An empty list opens nothing.
        Find<QComboBox>(*window, "TSupport")->setCurrentIndex(2); // VHS: none
        QCOMPARE(ShownTitles(*window), QStringList());
        ActionOf(*window, "Statistics1")->trigger();
        QVERIFY(!stats->isVisible());
        QVERIFY(window->isEnabled());
    }

    void aChartIsSavedAsPngAndCopied() {
        auto [window, prompts] = Open();
        TStatsForm* stats = Stats(*window);
        ActionOf(*window, "Statistics1")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(stats));
        Click(*stats, "SpeedButton1");

        const QString file = dir_->filePath(QStringLiteral("chart.png"));
        prompts->saveAnswers.push_back(file);
        stats->SaveChartAsPng();
        QCOMPARE(prompts->lastDialog.defaultSuffix, QStringLiteral("png"));
        const QImage saved(file);
        QCOMPARE(saved.size(), QSize(500, 453));
        QCOMPARE(saved.pixelColor(200, 24), Red);

        // A folder that does not exist: the message, nothing written.
        prompts->saveAnswers.push_back(dir_->filePath(QStringLiteral("none/chart.png")));
        stats->SaveChartAsPng();
        QCOMPARE(prompts->messages.size(), 1);
        QVERIFY(prompts->messages.front().endsWith(
            QStringLiteral("/none/chart.png: No such file or directory. The file on disk is unchanged.")));

        stats->CopyChart();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(500, 453));
        QCOMPARE(copied.pixelColor(200, 24), Red);
        stats->close();
    }

    void priceSummaryAndTheTitlesWithoutAPrice() {
        auto [window, prompts] = Open();
        auto* price = Find<QToolButton>(*window, "SpeedButton15");
        QCOMPARE(price->text(), QStringLiteral("CALCULATE PRICE"));
        QTest::mouseClick(price, Qt::LeftButton);
        QCOMPARE(EditOf(*window, "TotalPrice")->text(), QStringLiteral("10.00"));
        QCOMPARE(EditOf(*window, "NbDisc")->text(), QStringLiteral("2"));
        QCOMPARE(EditOf(*window, "PriceZero")->text(), QStringLiteral("2"));

        // The filters changed since: they apply before the titles with a price go.
        Find<QComboBox>(*window, "TSupport")->setCurrentIndex(1);
        QTest::mouseDClick(EditOf(*window, "PriceZero"), Qt::LeftButton);
        QCOMPARE(ShownTitles(*window), QStringList{"MATRIX"});
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("1"));
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));
    }

    void russianRouletteSelectsAListedTitle() {
        auto [window, prompts] = Open();
        auto* roulette = Find<QToolButton>(*window, "SpeedButton14");
        QCOMPARE(roulette->text(), QStringLiteral("RUSSIAN ROULETTE"));
        for (int i = 0; i < 20; ++i) {
            QTest::mouseClick(roulette, Qt::LeftButton);
            QVERIFY(window->CurrentRecord());
        }
        Find<QComboBox>(*window, "TSupport")->setCurrentIndex(1);
        Find<QComboBox>(*window, "TZone")->setCurrentIndex(1);
        QCOMPARE(ShownTitles(*window), QStringList{"ZORRO"});
        window->findChild<QListView*>(QStringLiteral("ListDisc"))->clearSelection();
        QTest::mouseClick(roulette, Qt::LeftButton);
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(0));
        QCOMPARE(EditOf(*window, "Titre")->text(), QStringLiteral("ZORRO"));
    }

    void titlesChosenByHandMakeTheList() {
        auto [window, prompts] = Open();
        auto* dialog = Find<TMakeList>(*window, "MakeList");
        QCOMPARE(dialog->windowTitle(), QStringLiteral("CHOOSE TITLES FOR THE LIST"));
        auto* source = Find<QListView>(*dialog, "SrcList");
        auto* chosen = Find<QListView>(*dialog, "DstList");
        new QAbstractItemModelTester(source->model(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     dialog);

        QTest::mouseClick(ButtonOf(*window, "SpeedButton23"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(source->model()->rowCount(), 4);
        QCOMPARE(chosen->model()->rowCount(), 0);
        // ZORRO and BRAZIL at once, then MATRIX by a double click.
        source->selectionModel()->select(source->model()->index(3, 0), QItemSelectionModel::Select);
        source->selectionModel()->select(source->model()->index(1, 0), QItemSelectionModel::Select);
        QTest::mouseClick(Find<QToolButton>(*dialog, "IncludeBtn"), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        source->doItemsLayout();
        const QRect matrix = source->visualRect(source->model()->index(1, 0));
        QCOMPARE(source->model()->index(1, 0).data().toString(), QStringLiteral("MATRIX"));
        QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, matrix.center());
        QTest::mouseDClick(source->viewport(), Qt::LeftButton, {}, matrix.center());
        QCOMPARE(chosen->model()->rowCount(), 3);
        QCOMPARE(chosen->model()->index(0, 0).data().toString(), QStringLiteral("BRAZIL"));
        QTest::mouseClick(Find<QPushButton>(*dialog, "OKBtn"), Qt::LeftButton);

        QCOMPARE(ShownTitles(*window), (QStringList{"BRAZIL", "MATRIX", "ZORRO"}));
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("3"));
        QCOMPARE(EditOf(*window, "Titre")->text(), QStringLiteral("BRAZIL"));

        // Cancel changes nothing; OK with nothing chosen says so and changes nothing.
        QTest::mouseClick(ButtonOf(*window, "SpeedButton23"), Qt::LeftButton);
        QCOMPARE(source->model()->rowCount(), 3);
        QTest::mouseClick(Find<QToolButton>(*dialog, "IncAllBtn"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(*dialog, "CancelBtn"), Qt::LeftButton);
        QCOMPARE(ShownTitles(*window).size(), 3);
        QTest::mouseClick(ButtonOf(*window, "SpeedButton23"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(*dialog, "OKBtn"), Qt::LeftButton);
        QCOMPARE(prompts->messages, QStringList{"You have choose no titles!"});
        QCOMPARE(ShownTitles(*window).size(), 3);

        // The next reset lists every title again.
        QTest::mouseClick(ButtonOf(*window, "SpeedButton13"), Qt::LeftButton);
        QCOMPARE(ShownTitles(*window).size(), 4);
    }
};

TAVRIN_WINDOW_TEST(StatsWindowTest, "stats_window_test");

#include "stats_window_test.moc"
