// The main window, its split, the title table's columns and the statistics window come back as
// the user left them, within the screen; the table's columns fit their texts at first show.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "reports/stats_window.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrin;
using namespace tavrin::test;

namespace {

constexpr int TitleSection = static_cast<int>(TableColumn::Title);
constexpr int DirectorSection = static_cast<int>(TableColumn::Director);

// Two titles, one with a long name; both bought and watched on a day whose date is long to write.
Collection Sample() {
    Collection c;
    c.List(ListId::Director) = {"TERRY GILLIAM"};
    for (const char* name : {"THE ADVENTURES OF BARON MUNCHAUSEN", "BRAZIL"}) {
        TitleRecord t = MakeTitle(name, 1988);
        t.SetDirector(0);
        t.SetBuyDate(40252);
        t.SetWatchDate(40252);
        AppendTitle(c, t);
    }
    return c;
}

QRect ScreenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void DragSplitter(QSplitter* splitter, int by) {
    QWidget* handle = splitter->handle(1);
    const QPoint middle = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, middle);
    QTest::mouseMove(handle, middle + QPoint(by, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, middle + QPoint(by, 0));
}

} // namespace

class WindowPlacementTest : public QObject {
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

    void windowsComeBackAsTheyWereLeft() {
        const QRect area = ScreenArea();
        QRect frame;
        int listWidth = 0;
        QSize statsSize;
        {
            auto [window, prompts] = Open();
            ActionOf(*window, "TitleTable1")->trigger();
            QHeaderView* header = Find<QTableView>(*window, "TitleTable")->horizontalHeader();
            header->resizeSection(TitleSection, 333);
            header->moveSection(header->visualIndex(DirectorSection), 0);

            frame = QRect(area.topLeft() + QPoint(10, 8),
                          window->minimumSize().expandedTo(area.size() - QSize(30, 40)));
            window->setGeometry(frame);
            QTRY_COMPARE(window->geometry(), frame);
            auto* splitter = Find<QSplitter>(*window, "Splitter");
            const int before = splitter->sizes().front();
            DragSplitter(splitter, -40);
            listWidth = splitter->sizes().front();
            QCOMPARE(listWidth, before - 40);

            ActionOf(*window, "Statistics1")->trigger();
            TStatsForm* stats = window->SecondaryWindows().statsForm.get();
            QVERIFY(stats->isVisible());
            statsSize = stats->minimumSize() + (area.size() - stats->minimumSize()) / 2;
            stats->resize(statsSize);
            stats->close();
            window->close();
        }
        auto [window, prompts] = Open();
        QCOMPARE(window->geometry(), frame);
        QCOMPARE(Find<QSplitter>(*window, "Splitter")->sizes().front(), listWidth);
        QHeaderView* header = Find<QTableView>(*window, "TitleTable")->horizontalHeader();
        QCOMPARE(header->sectionSize(TitleSection), 333);
        QCOMPARE(header->logicalIndex(0), DirectorSection);
        QCOMPARE(window->SecondaryWindows().statsForm->size(), statsSize);
    }

    void aMaximisedWindowComesBackMaximised() {
        {
            auto [window, prompts] = Open();
            window->showMaximized();
            QTRY_VERIFY(window->isMaximized());
            window->close();
        }
        auto [window, prompts] = Open();
        QVERIFY(window->isMaximized());
    }

    // A place on a screen that is no longer there: the window comes back on the screen there is.
    void aPlaceOffTheScreenComesBackOnIt() {
        {
            QSettings stored(SettingsFile(), QSettings::IniFormat);
            stored.setValue(QStringLiteral("Main Window"), QStringLiteral("5000,4000,700,500"));
        }
        auto [window, prompts] = Open();
        QVERIFY2(ScreenArea().contains(window->geometry()), qPrintable(QString::number(window->x())));
    }

    void tableColumnsFitTheirTextsAtFirstShow() {
        auto [window, prompts] = Open();
        ActionOf(*window, "TitleTable1")->trigger();
        auto* table = Find<QTableView>(*window, "TitleTable");
        const QFontMetrics metrics = table->fontMetrics();
        const int margins =
            2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
        int checked = 0;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            for (int row = 0; row < table->model()->rowCount(); ++row) {
                const QString text = table->model()->index(row, column).data().toString();
                if (text.isEmpty()) continue;
                ++checked;
                QVERIFY2(table->horizontalHeader()->sectionSize(column) >=
                             metrics.horizontalAdvance(text) + margins,
                         qPrintable(text));
            }
        QVERIFY(checked >= 2 * 6);
    }
};

TAVRIN_WINDOW_TEST(WindowPlacementTest, "window_placement_test");

#include "window_placement_test.moc"
