// Takes the screenshots of the help pages from the demo collection:
//   help_screenshots DEMO.KXT OUTPUT_FOLDER
// Run with TAVRIN_HOME at the demo's folder (for its texts and pictures) on a real display or
// under xvfb-run; it writes main_window.png, title_table.png and title_editor.png.
#include "app/main_window.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QListView>
#include <QTableView>
#include <QTimer>

namespace {

void Settle(int milliseconds = 600) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void SelectTitle(QListView* list, const QString& title) {
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 0).data().toString() == title) {
            list->setCurrentIndex(model->index(row, 0));
            list->scrollTo(model->index(row, 0));
            return;
        }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    if (argc != 3) qFatal("usage: help_screenshots DEMO.KXT OUTPUT_FOLDER");
    const QDir out(QString::fromLocal8Bit(argv[2]));

    const QString settingsFile = out.filePath(QStringLiteral("screenshots.ini"));
    tavrin::StartOptions options;
    options.commandLineFile = QString::fromLocal8Bit(argv[1]);
    options.settingsFile = settingsFile;
    tavrin::TLDF1 window(std::move(options));
    window.resize(1180, 760);
    window.show();
    Settle();
    SelectTitle(window.findChild<QListView*>(QStringLiteral("ListDisc")), QStringLiteral("BLADE RUNNER"));
    Settle();
    window.grab().save(out.filePath(QStringLiteral("main_window.png")));

    // The table, sorted by year, with the title still selected.
    window.findChild<QAction*>(QStringLiteral("TitleTable1"))->trigger();
    Settle();
    QHeaderView* header = window.findChild<QTableView*>(QStringLiteral("TitleTable"))->horizontalHeader();
    emit header->sectionClicked(1); // Year
    Settle();
    window.grab().save(out.filePath(QStringLiteral("title_table.png")));
    window.findChild<QAction*>(QStringLiteral("TitleList1"))->trigger();
    Settle();

    window.findChild<QAbstractButton*>(QStringLiteral("SpeedButton1"))->click();
    Settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &window && top->isVisible() && top->objectName() == QStringLiteral("TAjouteF"))
            top->grab().save(out.filePath(QStringLiteral("title_editor.png")));
    QFile::remove(settingsFile);
    return 0;
}
