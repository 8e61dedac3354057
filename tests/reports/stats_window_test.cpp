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

// A point of the chart geometry, drawn for a box of 500 x 453 with its rows in the top 434
// pixels, where the box of the window shows it: stretched to the box, the footer's line kept.
QPoint At(const QWidget* box, int x, int y) {
    const double rows = box->height() - box->fontMetrics().height() - 3;
    return {static_cast<int>(x * box->width() / 500.0), static_cast<int>(y * rows / 434.0)};
}

QColor PixelAt(QWidget* box, int x, int y) {
    return box->grab().toImage().pixelColor(At(box, x, y));
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
        // It opens on the first chart, not on an empty box: two LDs and two DVDs.
        QCOMPARE(stats->windowTitle(), QStringLiteral("LD/DVD/VHS"));
        auto* box = Find<QWidget>(*stats, "StatsBox");
        QCOMPARE(PixelAt(box, 200, 54), Red);
        QCOMPARE(PixelAt(box, 200, 108 + 54), Red);
        for (const char* shown :
             {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton7"})
            QVERIFY2(!Find<QToolButton>(*stats, shown)->isHidden(), shown);
        for (const char* hidden : {"SpeedButton11", "SpeedButton12", "SpeedButton14", "SpeedButton15"})
            QVERIFY2(Find<QToolButton>(*stats, hidden)->isHidden(), hidden);
        QVERIFY(QTest::qWaitForWindowActive(stats));

        // Two titles of 1.33 and two of 2.35: half each, bars of 390 pixels in rows of 48.
        Click(*stats, "SpeedButton1");
        QCOMPARE(stats->windowTitle(), QStringLiteral("ASPECT RATIOS"));
        QCOMPARE(PixelAt(box, 200, 24), Red);
        QCOMPARE(PixelAt(box, 200, 0), QColor(Qt::black)); // the outline
        QCOMPARE(PixelAt(box, 200, 6 * 48 + 24), Red);
        QCOMPARE(PixelAt(box, 200, 48 + 24), QColor(Qt::white)); // 1.66: no title
        QCOMPARE(PixelAt(box, 495, 2), QColor(Qt::white));

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
        QCOMPARE(stats->windowTitle(), QStringLiteral("LD/DVD/VHS"));
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
        // The chart as the window shows it, at its size.
        auto* box = Find<QWidget>(*stats, "StatsBox");
        const QImage saved(file);
        QCOMPARE(saved.size(), box->size());
        QCOMPARE(saved.pixelColor(At(box, 200, 24)), Red);

        // A folder that does not exist: the message, nothing written.
        prompts->saveAnswers.push_back(dir_->filePath(QStringLiteral("none/chart.png")));
        stats->SaveChartAsPng();
        QCOMPARE(prompts->messages.size(), 1);
        QVERIFY(prompts->messages.front().endsWith(
            QStringLiteral("/none/chart.png: No such file or directory. The file on disk is unchanged.")));

        stats->CopyChart();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), box->size());
        QCOMPARE(copied.pixelColor(At(box, 200, 24)), Red);
        stats->close();
    }

    // The chart takes what the window gains; Close and Esc close the window.
    void theChartFollowsTheWindowAndCloses() {
        auto [window, prompts] = Open();
        TStatsForm* stats = Stats(*window);
        ActionOf(*window, "Statistics1")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(stats));
        Click(*stats, "SpeedButton1");
        auto* box = Find<QWidget>(*stats, "StatsBox");
        const QSize before = box->size();
        stats->resize(stats->size() + QSize(200, 120));
        QTRY_COMPARE(box->size(), before + QSize(200, 120));
        // The bars of 390 pixels are as long in proportion: red to their end, white past it.
        QCOMPARE(PixelAt(box, 386, 24), Red);
        QCOMPARE(PixelAt(box, 394, 4), QColor(Qt::white));
        // Never below the size at which every text fits.
        stats->resize(1, 1);
        QTRY_VERIFY(box->width() >= box->minimumSizeHint().width());
        QVERIFY(box->height() >= box->minimumSizeHint().height());

        QTest::mouseClick(Find<QPushButton>(*stats, "CloseBtn"), Qt::LeftButton);
        QVERIFY(!stats->isVisible());
        QVERIFY(window->isEnabled());
        ActionOf(*window, "DVDStatistics1")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(stats));
        QTest::keyClick(stats, Qt::Key_Escape);
        QVERIFY(!stats->isVisible());
        QVERIFY(window->isEnabled());
    }

    // Every chart in every language, at the least size and larger: each text whole inside the box
    // and clear of the others.
    void noTextIsClipped() {
        const Collection sample = Sample();
        const std::vector<std::uint16_t> list{0, 1, 2, 3};
        MessageCatalogue catalogue;
        const QFont font = QApplication::font();
        const QFontMetrics metrics(font);
        int checked = 0;
        for (int language = 0; language < LanguageCount; ++language) {
            catalogue.SetLanguage(language);
            // Every chart, the money chart by month (12 rows) and by day (31).
            for (int c = 0; c <= static_cast<int>(StatsChart::Money) + 1; ++c) {
                const auto chart = static_cast<StatsChart>(std::min(c, static_cast<int>(StatsChart::Money)));
                const int month = c > static_cast<int>(StatsChart::Money) ? 2 : 0;
                const auto picture =
                    DrawChart(sample, list, chart, {}, catalogue, {QDate::currentDate().year(), month});
                if (!picture || picture->message) continue;
                const QSize least = LeastChartSize(catalogue, &*picture, metrics);
                for (const QSize size : {least, least + QSize(340, 260)}) {
                    const ChartLayout layout = LayOutChart(*picture, size, metrics);
                    for (std::size_t i = 0; i < layout.places.size(); ++i) {
                        ++checked;
                        const QRect& place = layout.places[i];
                        QVERIFY2(QRect(QPoint(), size).contains(place), qPrintable(layout.texts[i]));
                        QVERIFY2(place.width() >= metrics.horizontalAdvance(layout.texts[i]),
                                 qPrintable(layout.texts[i]));
                        for (std::size_t j = 0; j < i; ++j)
                            QVERIFY2(!place.intersects(layout.places[j]), qPrintable(layout.texts[i]));
                    }
                }
            }
        }
        QVERIFY(checked > 5 * 2 * 100);
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
