// Switching the language at run time re-labels every window and leaves nothing behind: each
// caption, hint and list of every control reads as in the chosen language, and coming back to
// English restores exactly what the program showed at start.
#include "app/window_test_main.h"
#include "app/window_test_support.h"
#include "lang/catalogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <memory>
#include <optional>
#include <set>

using namespace tavrin;
using namespace tavrin::test;

namespace {

enum class Property { Caption, Hint, WindowTitle };

struct Applied {
    const char* window;
    const char* control;
    Property property;
    Msg entry;
};

constexpr Applied AppliedTexts[] = {
#define APPLIED(window, control, property, entry) {#window, #control, Property::property, Msg::entry},
#include "lang/applied_texts.inc"
#undef APPLIED
};

// Controls of features still to come; every other control of the list must exist.
const std::set<QString> NotBuiltYet{};

QWidget* WindowNamed(const TLDF1& main, const QString& name) {
    if (name == main.objectName()) return const_cast<TLDF1*>(&main);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

QObject* ControlOf(QWidget* window, const QString& name) {
    if (window->objectName() == name) return window;
    return window->findChild<QObject*>(name);
}

// A button's or group's caption as the user reads it: "&&" shows as "&", a single '&' marks the
// shortcut letter and is not shown.
QString Displayed(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

// What the user reads as a control's caption, whatever kind of widget shows it.
std::optional<QString> CaptionOf(const QObject* o) {
    if (auto* a = qobject_cast<const QAction*>(o)) return ShownCaption(a);
    if (auto* m = qobject_cast<const QMenu*>(o)) return ShownCaption(m);
    if (auto* b = qobject_cast<const QAbstractButton*>(o)) return Displayed(b->text());
    if (auto* g = qobject_cast<const QGroupBox*>(o)) return Displayed(g->title());
    if (auto* l = qobject_cast<const QLabel*>(o)) return l->text();
    if (auto* e = qobject_cast<const QLineEdit*>(o)) return e->text();
    if (auto* w = qobject_cast<const QWidget*>(o)) {
        // A page of a tab widget is captioned by its tab.
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
            if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
                const int index = tabs->indexOf(const_cast<QWidget*>(w));
                if (index >= 0) return tabs->tabText(index);
                break;
            }
        // A panel shows its caption in a label of its own.
        if (auto* label = w->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) return label->text();
    }
    return std::nullopt;
}

std::optional<QString> HintOf(const QObject* o) {
    if (auto* a = qobject_cast<const QAction*>(o)) return a->toolTip();
    if (auto* w = qobject_cast<const QWidget*>(o)) return w->toolTip();
    return std::nullopt;
}

// Every text of every control of every window, keyed by window, control path and property.
using Snapshot = std::map<QString, QString>;

QString PathOf(const QObject* o, const QObject* root) {
    QStringList parts;
    for (; o && o != root; o = o->parent()) {
        QString part = o->objectName();
        if (part.isEmpty() && o->parent()) {
            part = QString::fromLatin1(o->metaObject()->className()) + QLatin1Char('#') +
                   QString::number(o->parent()->children().indexOf(const_cast<QObject*>(o)));
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

void Collect(const QObject* root, Snapshot& shot) {
    const QString prefix = root->objectName() + QLatin1Char(':');
    QList<const QObject*> objects{root};
    for (const QObject* o : root->findChildren<QObject*>())
        objects << o;
    for (const QObject* o : objects) {
        const QString key = prefix + PathOf(o, root);
        if (auto* w = qobject_cast<const QWidget*>(o)) {
            if (w->isWindow()) shot[key + QStringLiteral("|title")] = w->windowTitle();
            if (!w->toolTip().isEmpty()) shot[key + QStringLiteral("|hint")] = w->toolTip();
        }
        if (auto* a = qobject_cast<const QAction*>(o)) {
            shot[key + QStringLiteral("|text")] = a->text();
            shot[key + QStringLiteral("|hint")] = a->toolTip();
            shot[key + QStringLiteral("|checked")] =
                a->isChecked() ? QStringLiteral("y") : QStringLiteral("n");
        }
        if (auto* m = qobject_cast<const QMenu*>(o)) shot[key + QStringLiteral("|text")] = m->title();
        if (auto* b = qobject_cast<const QAbstractButton*>(o))
            shot[key + QStringLiteral("|text")] = b->text();
        if (auto* g = qobject_cast<const QGroupBox*>(o)) shot[key + QStringLiteral("|text")] = g->title();
        if (auto* l = qobject_cast<const QLabel*>(o)) shot[key + QStringLiteral("|text")] = l->text();
        if (auto* e = qobject_cast<const QLineEdit*>(o)) {
            shot[key + QStringLiteral("|text")] = e->text();
            shot[key + QStringLiteral("|placeholder")] = e->placeholderText();
        }
        if (auto* c = qobject_cast<const QComboBox*>(o)) {
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            shot[key + QStringLiteral("|items")] = items.join(QLatin1Char('\n'));
            shot[key + QStringLiteral("|current")] = QString::number(c->currentIndex());
        }
        if (auto* list = qobject_cast<const QListWidget*>(o)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->item(i)->text();
            shot[key + QStringLiteral("|items")] = items.join(QLatin1Char('\n'));
        }
        if (auto* t = qobject_cast<const QTabWidget*>(o))
            for (int i = 0; i < t->count(); ++i)
                shot[key + QStringLiteral("|tab") + QString::number(i)] = t->tabText(i);
    }
}

Snapshot EveryText(const TLDF1& main) {
    Snapshot shot;
    Collect(&main, shot);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &main && !w->objectName().isEmpty() && w->objectName().startsWith(QLatin1Char('T')))
            Collect(w, shot);
    return shot;
}

QStringList Differences(const Snapshot& a, const Snapshot& b) {
    QStringList out;
    for (const auto& [key, text] : a) {
        const auto other = b.find(key);
        if (other == b.end())
            out << key + QStringLiteral(" missing");
        else if (other->second != text)
            out << key + QStringLiteral(": ") + text + QStringLiteral(" / ") + other->second;
    }
    for (const auto& [key, text] : b)
        if (!a.contains(key)) out << key + QStringLiteral(" new");
    return out;
}

QString ShownText(Msg m, int language) {
    return QString::fromUtf8(MessageText(m, language).data(),
                             static_cast<qsizetype>(MessageText(m, language).size()));
}

void Switch(TLDF1& window, const char* item) {
    ActionOf(window, item)->trigger();
}

} // namespace

class LanguageSwitchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    // A window of its own settings, starting in English.
    WindowUnderTest Fresh() {
        dir_ = std::make_unique<QTemporaryDir>();
        return MakeWindow(dir_->filePath(QStringLiteral("settings.ini")));
    }

  private slots:
    // Each caption and hint the catalogue labels reads in the chosen language.
    void everyListedControlFollowsTheLanguage() {
        auto [window, prompts] = Fresh();
        window->show();
        const std::pair<const char*, int> languages[] = {
            {"Franais1", 1}, {"Allemand1", 2}, {"Italiano1", 3}, {"Finlandais1", 4}, {"English1", 0}};
        for (const auto& [item, language] : languages) {
            Switch(*window, item);
            QStringList wrong;
            for (const Applied& a : AppliedTexts) {
                const QString windowName = QLatin1String(a.window);
                const QString path = windowName + QLatin1Char('/') + QLatin1String(a.control);
                if (NotBuiltYet.contains(windowName) || NotBuiltYet.contains(path)) continue;
                QWidget* w = WindowNamed(*window, windowName);
                QObject* control = w ? ControlOf(w, QLatin1String(a.control)) : nullptr;
                if (!control) {
                    wrong << path + QStringLiteral(" does not exist");
                    continue;
                }
                const auto* asWidget = qobject_cast<const QWidget*>(control);
                const auto shown = a.property == Property::Hint ? HintOf(control)
                                   : a.property == Property::WindowTitle
                                       ? (asWidget ? std::optional(asWidget->windowTitle()) : std::nullopt)
                                       : CaptionOf(control);
                if (!shown) wrong << path + QStringLiteral(" shows no caption");
                // A hint may end with the edit's length limit, on a line of its own.
                else if (*shown != ShownText(a.entry, language) &&
                         !(a.property == Property::Hint &&
                           shown->startsWith(ShownText(a.entry, language) + QLatin1Char('\n'))))
                    wrong << path + QStringLiteral(": \"") + *shown + QStringLiteral("\" instead of \"") +
                                 ShownText(a.entry, language) + QLatin1Char('"');
            }
            if (!wrong.isEmpty())
                QFAIL(qPrintable(QLatin1String(item) + QStringLiteral(":\n") + wrong.join('\n')));
        }
    }

    // Texts made of several entries.
    void compositeCaptions() {
        auto [window, prompts] = Fresh();
        Switch(*window, "Italiano1");
        const QString other = ShownText(Msg::MsgOtherInformations, 3);
        QCOMPARE(ShownCaption(ActionOf(*window, "ManageInfoList1")), other + QStringLiteral(" 1"));
        QCOMPARE(ShownCaption(ActionOf(*window, "Informations21")), other + QStringLiteral(" 2"));
        const std::pair<const char*, QString> composites[] = {
            {"GroupBox28", ShownText(Msg::MsgAllPrefix, 3) + QStringLiteral(" DD")},
            {"GroupBox31", ShownText(Msg::MsgAllPrefix, 3) + QStringLiteral(" MPEG")},
            {"SpeedButton14", ShownText(Msg::MsgRussianRoulette, 3).toUpper()},
            {"GroupBox9", ShownText(Msg::MsgPrice, 3).toUpper()},
            {"SpeedButton15", (ShownText(Msg::MsgCalculate, 3) + ShownText(Msg::MsgPrice, 3)).toUpper()},
        };
        for (const auto& [name, text] : composites) {
            QObject* control = window->findChild<QObject*>(QLatin1String(name));
            if (!control) {
                qWarning("%s is not built yet", name);
                continue;
            }
            QCOMPARE(CaptionOf(control).value_or(QString()), text);
        }
        QWidget* editor = WindowNamed(*window, QStringLiteral("TAjouteF"));
        QVERIFY(editor);
        for (const char* slot : {"Button2", "Button3", "Button4", "Button5", "Button6"}) {
            QWidget* button = editor->findChild<QWidget*>(QLatin1String(slot));
            if (button) QCOMPARE(button->toolTip(), ShownText(Msg::MsgChooseActor, 3));
        }
        QWidget* panel = WindowNamed(*window, QStringLiteral("TDVDPanel"));
        QVERIFY(panel);
        for (const char* box : {"CSub", "ESub", "FSub", "GSub", "ISub", "JSub", "SSub", "OSub"}) {
            QObject* check = panel->findChild<QObject*>(QLatin1String(box));
            if (check) QCOMPARE(CaptionOf(check).value_or(QString()), ShownText(Msg::MsgSubtitled, 3));
        }
    }

    // French, then Italian, then English again: not one text differs from the start.
    void comingBackToEnglishRestoresEverything() {
        auto [window, prompts] = Fresh();
        window->show();
        const Snapshot english = EveryText(*window);
        QVERIFY(english.size() > 100);

        Switch(*window, "Franais1");
        const Snapshot french = EveryText(*window);
        QVERIFY2(Differences(english, french).size() > 50, "French changed almost nothing");
        Switch(*window, "Italiano1");
        QVERIFY(Differences(french, EveryText(*window)).size() > 50);
        Switch(*window, "English1");
        const QStringList left = Differences(english, EveryText(*window));
        QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
    }
};

TAVRIN_WINDOW_TEST(LanguageSwitchTest, "language_switch_test");

#include "language_switch_test.moc"
