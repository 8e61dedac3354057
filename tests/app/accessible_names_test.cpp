// Every control of every window has a name a screen reader can say, in the language shown.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "platform/accessible_names.h"
#include "test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>

using namespace tavrin;
using namespace tavrin::test;

namespace {

QString PathOf(const QWidget* w) {
    QStringList names;
    for (const QWidget* p = w; p; p = p->parentWidget())
        names.prepend(p->objectName().isEmpty() ? QLatin1String(p->metaObject()->className())
                                                : p->objectName());
    return names.join(QLatin1Char('/'));
}

// The texts a window shows in its current language: its title, labels, group-box titles, tab
// texts, button captions and tool tips.
QSet<QString> ShownTexts(QWidget* window) {
    const auto plain = [](const QString& t) { return QString(t).remove(QLatin1Char('&')).simplified(); };
    QSet<QString> texts{plain(window->windowTitle())};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        texts << plain(w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) texts << plain(label->text());
        if (auto* box = qobject_cast<QGroupBox*>(w)) texts << plain(box->title());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) texts << plain(button->text());
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << plain(tabs->tabText(i));
    }
    return texts;
}

// The name of every control that takes focus, in every window, by its path. Lists the controls
// without a name, and those named from a text their window no longer shows.
std::map<QString, QString> ControlNames(QStringList& problems) {
    std::map<QString, QString> names;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName().startsWith(QLatin1String("qt_"))) continue;
        const QSet<QString> shown = ShownTexts(window);
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!TakesFocus(w) || w->window() != window) continue;
            const QString name = AccessibleNameOf(w);
            if (name.isEmpty()) problems << PathOf(w) + QStringLiteral(" has no name");
            if (NameIsDerived(w) && !shown.contains(name))
                problems << PathOf(w) + QStringLiteral(" is named \"") + name +
                                QStringLiteral("\", not shown");
            names[PathOf(w)] = name;
        }
    }
    return names;
}

} // namespace

class AccessibleNamesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void everyControlIsNamedInEachLanguage() {
        auto w = MakeWindowWithTitles(dir_->filePath(QStringLiteral("settings.ini")), {"ALIEN", "HEAT"});
        // The spreadsheet import window is made when a table is first imported.
        const QString table = dir_->filePath(QStringLiteral("table.txt"));
        WriteBytes(PathFromQString(table), Bytes("Title\tYear\r\nABYSS\t1989\r\n"));
        w.prompts->openAnswers = {table};
        ActionOf(*w.window, "ImportTable1")->trigger();
        Find<QWidget>(*w.window, "TableImport")->hide();

        std::map<QString, QString> english;
        for (const char* language : {"English1", "Franais1"}) {
            ActionOf(*w.window, language)->trigger();
            QStringList problems;
            const auto names = ControlNames(problems);
            QVERIFY2(names.size() > 100, qPrintable(QString::number(names.size())));
            for (const QString& problem : problems)
                qWarning("%s: %s", language, qPrintable(problem));
            QVERIFY2(problems.isEmpty(), language);
            if (english.empty()) {
                english = names;
                continue;
            }
            int renamed = 0;
            for (const auto& [path, name] : names)
                renamed += english.count(path) && english[path] != name;
            QVERIFY2(renamed > 50, qPrintable(QString::number(renamed)));
        }
    }
};

TAVRIN_WINDOW_TEST(AccessibleNamesTest, "accessible_names_test");

#include "accessible_names_test.moc"
