// The cover grid of the main window, driven through its controls: the covers of the browse list,
// the current title and the keys shared with the title list, the search and type-ahead fields,
// and the cover size kept in the settings.
#include "app/browse/cover_grid_model.h"
#include "app/browse/cover_grid_widget.h"
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/title_editor_window.h"
#include "picture_samples.h"
#include "platform/thumbnail_cache.h"
#include "test_support.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

using namespace tavrin;
using namespace tavrin::test;

namespace {

using Cover = CoverGridModel::CoverState;

CoverGridWidget* GridOf(const TLDF1& w) {
    return Find<CoverGridWidget>(w, "CoverGrid");
}

Cover CoverAt(const TLDF1& w, int row) {
    return static_cast<Cover>(GridOf(w)->model()->index(row, 0).data(CoverGridModel::CoverRole).toInt());
}

void CtrlWheel(QWidget* view, int delta) {
    const QPointF at(view->width() / 2.0, view->height() / 2.0);
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
}

} // namespace

class CoverGridWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString SettingsFile() const { return dir_->filePath(QStringLiteral("settings.ini")); }

    // ALIEN's first file is a PNG, BRAZIL has none, CASABLANCA's first is a sound (before a
    // picture), DUNE's is a TGA, ERASERHEAD's a picture that is not there.
    WindowUnderTest Open() {
        auto w =
            MakeWindowWithTitles(SettingsFile(), {"ALIEN", "BRAZIL", "CASABLANCA", "DUNE", "ERASERHEAD"});
        const auto& medias = w.window->Folders().medias;
        std::filesystem::create_directories(medias);
        QImage alien(200, 300, QImage::Format_RGB32);
        alien.fill(Qt::darkGreen);
        alien.save(QStringFromPath(medias / "alien.png"));
        WriteBytes(medias / "THEME.WAV", Bytes("RIFF"));
        WriteBytes(medias / "DUNE.TGA",
                   MakeTga(MakePicture(90, 60, [](int x, int) { return Rgb(x, 120, 40); }), {}));
        Edit(w.window->Document(), [](Collection& c) {
            c.List(ListId::Media) = {"alien.png", "THEME.WAV", "DUNE.TGA", "GONE.JPG"};
            const std::pair<std::size_t, std::array<std::uint16_t, 2>> firstFiles[] = {
                {0, {0, NoEntry}}, {2, {1, 0}}, {3, {NoEntry, 2}}, {4, {3, NoEntry}}};
            for (const auto& [record, entries] : firstFiles) {
                c.titles[record].SetMedia1(entries[0]);
                c.titles[record].SetMedia2(entries[1]);
            }
        });
        w.window->SelectRecord(0);
        return w;
    }

    static void ShowGrid(TLDF1& w) {
        ActionOf(w, "CoverGrid1")->trigger();
        new QAbstractItemModelTester(GridOf(w)->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, &w);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        qputenv("XDG_CACHE_HOME", dir_->filePath(QStringLiteral("cache")).toLocal8Bit());
    }

    void gridShowsTheBrowseListAsCovers() {
        auto [window, prompts] = Open();
        ShowGrid(*window);
        CoverGridWidget* grid = GridOf(*window);
        QVERIFY(grid->isVisible());
        QVERIFY(!Find<QListView>(*window, "ListDisc")->isVisible());
        QVERIFY(ActionOf(*window, "CoverGrid1")->isChecked());
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(grid->model()->index(3, 0).data().toString(), QStringLiteral("DUNE"));
        QCOMPARE(grid->currentIndex().row(), 0);

        const Cover before[] = {Cover::Waiting, Cover::None, Cover::None, Cover::Waiting, Cover::Waiting};
        for (int row = 0; row < 5; ++row)
            QCOMPARE(CoverAt(*window, row), before[row]);
        window->findChild<ThumbnailCache*>(QStringLiteral("Thumbnails"))->WaitForDone();
        const Cover after[] = {Cover::Shown, Cover::None, Cover::None, Cover::Shown, Cover::None};
        for (int row = 0; row < 5; ++row)
            QCOMPARE(CoverAt(*window, row), after[row]);
        // Fitted into the 128-pixel square, and kept in the shared cache.
        QCOMPARE(grid->model()->index(0, 0).data(Qt::DecorationRole).value<QImage>().size(), QSize(85, 128));
        QCOMPARE(grid->model()->index(3, 0).data(Qt::DecorationRole).value<QImage>().size(), QSize(128, 85));
        const QString alien = QStringFromPath(window->Folders().medias / "alien.png");
        QVERIFY(QFileInfo::exists(ThumbnailPath(ThumbnailRoot(), alien, ThumbnailFolder::Normal)));
        QVERIFY(ThumbnailRoot().startsWith(dir_->path()));
    }

    void selectionAndKeysFollowTheBrowseList() {
        auto [window, prompts] = Open();
        ShowGrid(*window);
        CoverGridWidget* grid = GridOf(*window);
        grid->setFocus();
        // Every move shows the title of the cover it lands on.
        const std::pair<Qt::Key, int> moves[] = {
            {Qt::Key_Right, 1},   {Qt::Key_Down, -1}, {Qt::Key_End, 4},      {Qt::Key_Left, 3},
            {Qt::Key_PageUp, -1}, {Qt::Key_Home, 0},  {Qt::Key_PageDown, -1}};
        for (const auto& [key, row] : moves) {
            QTest::keyClick(grid, key);
            const QModelIndex current = grid->currentIndex();
            if (row >= 0) QCOMPARE(current.row(), row);
            QCOMPARE(window->CurrentRecord(),
                     std::optional<std::size_t>(window->ListeIndexTri()[current.row()]));
            QCOMPARE(EditOf(*window, "Titre")->text(), current.data().toString());
        }

        // A title selected elsewhere is the grid's current cover; the list shows the grid's.
        window->SelectRecord(3);
        QCOMPARE(grid->currentIndex().row(), 3);
        QTest::keyClick(grid, Qt::Key_Left);
        ActionOf(*window, "TitleList1")->trigger();
        QCOMPARE(Find<QListView>(*window, "ListDisc")->currentIndex().row(), 2);
        ActionOf(*window, "CoverGrid1")->trigger();

        // The search and type-ahead fields, the counters.
        QTest::keyClicks(EditOf(*window, "EnterSearch"), QStringLiteral("dune"));
        QCOMPARE(grid->model()->rowCount(), 1);
        QCOMPARE(EditOf(*window, "Edit2")->text(), QStringLiteral("1"));
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(3));
        ButtonOf(*window, "SpeedButton13")->click();
        QCOMPARE(grid->model()->rowCount(), 5);
        QTest::keyClicks(EditOf(*window, "EnterName"), QStringLiteral("ca"));
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(window->CurrentRecord(), std::optional<std::size_t>(2));

        // Enter edits the current title; Delete asks about it.
        TAjouteF& editor = *window->SecondaryWindows().ajouteF;
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.CurrentPurpose(), TAjouteF::Purpose::Edit);
        editor.close();
        prompts->yesNoAnswers = {false};
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(prompts->questions.size(), 1);
        QVERIFY(prompts->questions.front().endsWith(QStringLiteral("CASABLANCA")));
    }

    void coverSizeFollowsCtrlWheelAndKeysAndIsKept() {
        {
            auto [window, prompts] = Open();
            ShowGrid(*window);
            CoverGridWidget* grid = GridOf(*window);
            QCOMPARE(grid->CoverSide(), 128);
            const int cell = grid->gridSize().width();
            QTest::keyClick(grid, Qt::Key_Equal, Qt::ControlModifier);
            QCOMPARE(grid->CoverSide(), 160);
            QCOMPARE(grid->gridSize().width(), cell + 32);
            CtrlWheel(grid->viewport(), -120);
            QCOMPARE(grid->CoverSide(), 128);
            QTest::keyClick(grid, Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(grid->CoverSide(), 96);
            CtrlWheel(grid->viewport(), 60); // half a notch: not yet a step
            QCOMPARE(grid->CoverSide(), 96);
            // Decoded anew at the new size.
            QCOMPARE(CoverAt(*window, 0), Cover::Waiting);
            window->findChild<ThumbnailCache*>(QStringLiteral("Thumbnails"))->WaitForDone();
            QCOMPARE(grid->model()->index(0, 0).data(Qt::DecorationRole).value<QImage>().height(), 96);
            window->close();
        }
        QSettings stored(SettingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Title View")).toString(), QStringLiteral("G"));
        QCOMPARE(stored.value(QStringLiteral("Cover Size")).toString(), QStringLiteral("96"));

        auto [window, prompts] = Open();
        QVERIFY(GridOf(*window)->isVisible());
        QCOMPARE(GridOf(*window)->CoverSide(), 96);
        QCOMPARE(GridOf(*window)->currentIndex().row(), 0);
    }
};

TAVRIN_WINDOW_TEST(CoverGridWindowTest, "cover_grid_window_test");

#include "cover_grid_window_test.moc"
