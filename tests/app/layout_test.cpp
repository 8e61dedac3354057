// Every window at its opening size shows its captions, button texts and table headers whole, in each
// of the five languages.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "test_support.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace tavrin;
using namespace tavrin::test;

namespace {

constexpr const char* Languages[] = {"English1", "Franais1", "Allemand1", "Italiano1", "Finlandais1"};

QString PathOf(const QWidget* w) {
    QStringList names;
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (!p->objectName().isEmpty()) names.prepend(p->objectName());
    return names.join(QLatin1Char('/'));
}

// The captions under root that are narrower than their text needs; checked counts the captions
// looked at.
QStringList CutCaptions(const QWidget* root, int* checked = nullptr) {
    QStringList cut;
    const auto check = [&](const QWidget* w, int needed, const QString& text) {
        if (!w->isVisibleTo(root) || text.isEmpty()) return;
        if (checked) ++*checked;
        if (w->width() < needed)
            cut << QStringLiteral("%1 \"%2\": %3 < %4").arg(PathOf(w), text).arg(w->width()).arg(needed);
    };
    for (const QLabel* l : root->findChildren<QLabel*>())
        if (!l->wordWrap()) check(l, l->minimumSizeHint().width(), l->text());
    for (const QCheckBox* b : root->findChildren<QCheckBox*>())
        check(b, b->sizeHint().width(), b->text());
    for (const QRadioButton* b : root->findChildren<QRadioButton*>())
        check(b, b->sizeHint().width(), b->text());
    for (const QGroupBox* g : root->findChildren<QGroupBox*>())
        check(g, g->fontMetrics().horizontalAdvance(g->title()) + 12, g->title());
    // A button's text needs its width inside the button's frame.
    for (const QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<const QPushButton*>(b) && !qobject_cast<const QToolButton*>(b)) continue;
        if (!b->icon().isNull()) continue;
        const QString shown = QString(b->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
        const int margin = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
        check(b, b->fontMetrics().horizontalAdvance(shown) + 2 * margin, shown);
    }
    // The headers of a table: each column shown as wide as its header's text.
    for (const QTableView* t : root->findChildren<QTableView*>()) {
        const QHeaderView* header = t->horizontalHeader();
        if (!t->isVisibleTo(root)) continue;
        for (int section = 0; section < header->count(); ++section) {
            if (header->isSectionHidden(section)) continue;
            const QString text = t->model()->headerData(section, Qt::Horizontal).toString();
            if (checked) ++*checked;
            const int needed = header->fontMetrics().horizontalAdvance(text) + 8;
            if (header->sectionSize(section) < needed)
                cut << QStringLiteral("%1 header \"%2\": %3 < %4")
                           .arg(PathOf(t), text)
                           .arg(header->sectionSize(section))
                           .arg(needed);
        }
    }
    return cut;
}

// The page scroll areas that need their scroll bars to show what they hold; checked counts them.
QStringList Scrolling(const QWidget* root, int& checked) {
    QStringList scrolled;
    for (const QScrollArea* a : root->findChildren<QScrollArea*>()) {
        if (!a->isVisibleTo(root)) continue;
        ++checked;
        if (a->verticalScrollBar()->maximum() > 0 || a->horizontalScrollBar()->maximum() > 0)
            scrolled << PathOf(a) + QStringLiteral(" scrolls: ") +
                            QString::number(a->widget()->minimumSizeHint().height()) +
                            QStringLiteral(" in ") + QString::number(a->viewport()->height());
    }
    return scrolled;
}

void Settle(QWidget* w) {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        if (w->layout()) w->layout()->activate();
    }
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // Each page of the main window, in each language.
    void mainWindowPages() {
        auto [window, prompts] = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        window->show();
        Settle(window.get());
        auto* pages = window->findChild<QTabWidget*>(QStringLiteral("Onglet"));
        QStringList problems;
        int checked = 0;
        for (const char* language : Languages) {
            ActionOf(*window, language)->trigger();
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                Settle(window.get());
                for (const QString& c : CutCaptions(window.get(), &checked))
                    problems << QLatin1String(language) + QLatin1Char(' ') + c;
            }
        }
        // The title table's headers, in each language.
        ActionOf(*window, "TitleTable1")->trigger();
        for (const char* language : Languages) {
            ActionOf(*window, language)->trigger();
            Settle(window.get());
            for (const QString& c : CutCaptions(window.get(), &checked))
                problems << QLatin1String(language) + QLatin1Char(' ') + c;
        }
        pages->setCurrentIndex(0);
        QVERIFY2(checked > 5 * 80, qPrintable(QString::number(checked)));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Started in German or Finnish, the window widens for the widest page: no page is cut at its
    // right edge (its scroll area never scrolls sideways).
    void everyPageWholeAtFirstStart() {
        for (const char* language : {"2", "4"}) {
            QTemporaryDir home;
            const QString ini = home.filePath(QStringLiteral("settings.ini"));
            QFile file(ini);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("[General]\nLanguage=") + language + "\n");
            file.close();
            auto [window, prompts] = MakeWindow(ini);
            window->show();
            Settle(window.get());
            if (window->screen()->availableGeometry().width() < 1024)
                QSKIP("needs a screen 1024 wide or more");
            auto* pages = window->findChild<QTabWidget*>(QStringLiteral("Onglet"));
            for (int page = 0; page < pages->count(); ++page) {
                pages->setCurrentIndex(page);
                Settle(window.get());
                const auto* scroll = pages->currentWidget()->findChild<QScrollArea*>();
                if (!scroll) continue;
                QVERIFY2(scroll->widget()->minimumSizeHint().width() <= scroll->viewport()->width(),
                         qPrintable(QStringLiteral("%1 %2: %3 > %4")
                                        .arg(QLatin1String(language), pages->currentWidget()->objectName())
                                        .arg(scroll->widget()->minimumSizeHint().width())
                                        .arg(scroll->viewport()->width())));
            }
        }
    }

    // The INFORMATION page holds the whole title without scrolling on a 1280 × 800 screen.
    void informationPageWithoutScrolling() {
        auto [window, prompts] = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        window->show();
        Settle(window.get());
        const QScreen* screen = window->screen();
        qInfo() << "screen" << screen->availableGeometry() << "window" << window->geometry();
        if (screen->availableGeometry().height() < 760) QSKIP("needs a screen of 1280 x 800 or more");
        QStringList problems;
        int checked = 0;
        for (const char* language : Languages) {
            ActionOf(*window, language)->trigger();
            Settle(window.get());
            for (const QString& s : Scrolling(window->findChild<QWidget*>(QStringLiteral("DISC")), checked))
                problems << QLatin1String(language) + QLatin1Char(' ') + s;
        }
        QCOMPARE(checked, 5);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Switching languages back and forth leaves the window at one size.
    void languageSwitchDoesNotGrowTheWindow() {
        auto [window, prompts] = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        window->show();
        Settle(window.get());
        ActionOf(*window, "Finlandais1")->trigger();
        Settle(window.get());
        const QSize first = window->size();
        for (int round = 0; round < 3; ++round)
            for (const char* language : Languages) {
                ActionOf(*window, language)->trigger();
                Settle(window.get());
            }
        ActionOf(*window, "Finlandais1")->trigger();
        Settle(window.get());
        QCOMPARE(window->size(), first);
    }

    // Every secondary window, shown at its opening size, in each language.
    void secondaryWindows() {
        auto [window, prompts] = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        window->show();
        QStringList problems;
        int checked = 0;
        for (const char* language : Languages) {
            ActionOf(*window, language)->trigger();
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w == window.get() || w->objectName().isEmpty() ||
                    w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                w->show();
                Settle(w);
                for (const QString& c : CutCaptions(w, &checked))
                    problems << QLatin1String(language) + QLatin1Char(' ') + c;
                w->hide();
            }
        }
        QVERIFY2(checked > 5 * 50, qPrintable(QString::number(checked)));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

TAVRIN_WINDOW_TEST(LayoutTest, "layout_test");

#include "layout_test.moc"
