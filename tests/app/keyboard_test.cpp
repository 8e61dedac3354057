// The program from the keyboard: the main window's Tab order, the title list's keys, the editor's
// Tab order and a letter for every menu.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "editing/title_editor_window.h"
#include "platform/tab_order.h"
#include "test_support.h"

#include <QApplication>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <set>

using namespace tavrin;
using namespace tavrin::test;

class KeyboardTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    WindowUnderTest MakeWith(std::initializer_list<const char*> titles) {
        auto w = MakeWindowWithTitles(dir_->filePath(QStringLiteral("settings.ini")), titles);
        QApplication::setActiveWindow(w.window.get());
        return w;
    }

    // The names of the controls Tab reaches from start, start included, up to the first one seen
    // again.
    static QStringList TabWalk(QWidget* start, int limit) {
        QStringList names;
        start->setFocus();
        QWidget* w = start;
        for (int i = 0; i < limit && w; ++i) {
            names << w->objectName();
            w = w->nextInFocusChain();
            while (w && (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible()))
                w = w->nextInFocusChain();
            if (w == start) break;
        }
        return names;
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void mainWindowTabOrder() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        const QStringList walk = TabWalk(EditOf(*window, "EnterName"), 8);
        QCOMPARE(walk, (QStringList{"EnterName", "EnterSearch", "ListDisc", "Ajoute", "SpeedButton1",
                                    "SpeedButton12", "Efface", "Onglet"}));
    }

    void titleListKeys() {
        auto [window, prompts] = MakeWith({"ALIEN", "MATRIX"});
        auto* list = window->findChild<QListView*>(QStringLiteral("ListDisc"));
        TAjouteF& editor = *window->SecondaryWindows().ajouteF;

        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.CurrentPurpose(), TAjouteF::Purpose::Edit);
        editor.close();
        QVERIFY(window->isEnabled());

        QTest::keyClick(list, Qt::Key_Insert);
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.CurrentPurpose(), TAjouteF::Purpose::Add);
        editor.close();

        prompts->yesNoAnswers = {false};
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(prompts->questions.size(), 1);
        QCOMPARE(window->Data().Count(), std::size_t{2});
        prompts->yesNoAnswers = {true};
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(ShownTitles(*window), QStringList{"MATRIX"});
    }

    void titleListKeysWaitForACollection() {
        auto w = MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
        w.window->show();
        QTest::keyClick(w.window->findChild<QListView*>(QStringLiteral("ListDisc")), Qt::Key_Insert);
        QVERIFY(!w.window->SecondaryWindows().ajouteF || !w.window->SecondaryWindows().ajouteF->isVisible());
    }

    // Director, then the five actor slots, each field followed by its "..." button; every control
    // of the editor is reached once.
    void editorTabOrderFollowsReading() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        QTest::mouseClick(ButtonOf(*window, "SpeedButton1"), Qt::LeftButton);
        TAjouteF& editor = *window->SecondaryWindows().ajouteF;
        QVERIFY(editor.isVisible());
        const auto order = ReadingOrder(editor.layout());
        QStringList names;
        for (QWidget* w : order)
            names << w->objectName();
        const auto at = names.indexOf(QStringLiteral("ADirector"));
        QVERIFY(at >= 0);
        QCOMPARE(names.mid(at, 12),
                 (QStringList{"ADirector", "Button1", "AActor1", "Button2", "AActor2", "Button3", "AActor3",
                              "Button4", "AActor4", "Button5", "AActor5", "Button6"}));
        QCOMPARE(names.first(), QStringLiteral("ATitre"));
        QCOMPARE(std::set<QString>(names.begin(), names.end()).size(), std::size_t(names.size()));
        // Tab itself follows that order.
        for (qsizetype i = 0; i + 1 < qsizetype(order.size()); ++i) {
            QWidget* next = order[std::size_t(i)]->nextInFocusChain();
            while (next && !(next->focusPolicy() & Qt::TabFocus))
                next = next->nextInFocusChain();
            QCOMPARE(next ? next->objectName() : QString(), names[i + 1]);
        }
    }

    // Alt and a menu's letter open the menu wherever the focus is, the search field included,
    // and type nothing there.
    void menuLettersOpenTheirMenus() {
        auto [window, prompts] = MakeWith({"ALIEN"});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (const char* focus : {"EnterName", "ListDisc"}) {
            QWidget* w = window->findChild<QWidget*>(QLatin1String(focus));
            w->setFocus();
            QTest::keyClick(w, Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY2(MenuOf(*window, "FILES1")->isVisible(), focus);
            MenuOf(*window, "FILES1")->hide();
            QCOMPARE(EditOf(*window, "EnterName")->text(), QString());
        }
    }

    // Every menu title and item has its own letter, in every language.
    void everyMenuHasDistinctLetters() {
        auto [window, prompts] = MakeWith({});
        for (const char* language : {"English1", "Franais1", "Allemand1", "Italiano1", "Finlandais1"}) {
            ActionOf(*window, language)->trigger();
            std::vector<QList<QAction*>> menus{window->menuBar()->actions()};
            for (std::size_t m = 0; m < menus.size(); ++m) {
                std::set<QChar> letters;
                for (QAction* a : menus[m]) {
                    if (a->isSeparator() || !a->isVisible()) continue;
                    if (a->menu()) menus.push_back(a->menu()->actions());
                    const QString text = a->text();
                    QChar letter;
                    for (qsizetype i = 0; i + 1 < text.size() && letter.isNull(); ++i) {
                        if (text[i] != QLatin1Char('&')) continue;
                        if (text[i + 1] != QLatin1Char('&')) letter = text[i + 1].toLower();
                        ++i;
                    }
                    QVERIFY2(!letter.isNull(), qPrintable(QLatin1String(language) + QLatin1Char(' ') + text));
                    QVERIFY2(letters.insert(letter).second,
                             qPrintable(QLatin1String(language) + QLatin1Char(' ') + text));
                }
            }
        }
    }
};

TAVRIN_WINDOW_TEST(KeyboardTest, "keyboard_test");

#include "keyboard_test.moc"
