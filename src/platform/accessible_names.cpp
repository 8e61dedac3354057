#include "platform/accessible_names.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QStackedWidget>
#include <QString>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include <tuple>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

// Marks the names set here, which are re-derived on each call; others were set by the window.
constexpr const char* DerivedName = "tavrinDerivedName";

QString WithoutMnemonic(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text.simplified();
}

// The label's text when it is one with a text.
QString LabelText(QLayoutItem* item) {
    const auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return label ? WithoutMnemonic(label->text()) : QString();
}

// Where target is, at any depth under layout: the layout holding it directly and its index.
bool Locate(QLayout* layout, const QLayoutItem* target, QLayout*& holder, int& index,
            std::vector<std::pair<QLayout*, int>>& path) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item == target) {
            holder = layout;
            index = i;
            return true;
        }
        if (QLayout* inner = item->layout()) {
            path.emplace_back(layout, i);
            if (Locate(inner, target, holder, index, path)) return true;
            path.pop_back();
        }
    }
    return false;
}

// The item laid out just before index in layout: the cell to the left in a grid, the previous
// item in a row or column; null when index opens its layout.
QLayoutItem* Before(QLayout* layout, int index) {
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        for (int c = column - 1; c >= 0; --c)
            if (QLayoutItem* item = grid->itemAtPosition(row, c)) return item;
        return nullptr;
    }
    for (int i = index - 1; i >= 0; --i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() || item->layout()) return item; // spacers do not separate
    }
    return nullptr;
}

// The label laid out just before w, in its own layout or, when w opens a nested row, before
// that row.
QString LabelBefore(QWidget* w) {
    QWidget* parent = w->parentWidget();
    if (!parent || !parent->layout()) return {};
    QLayout* top = parent->layout();
    const int at = top->indexOf(w);
    QLayoutItem* own = nullptr;
    QLayout* holder = nullptr;
    int index = -1;
    std::vector<std::pair<QLayout*, int>> path;
    if (at >= 0) {
        own = top->itemAt(at);
        holder = top;
        index = at;
    } else {
        for (QLayout* l : parent->findChildren<QLayout*>()) {
            const int i = l->indexOf(w);
            if (i >= 0) {
                own = l->itemAt(i);
                break;
            }
        }
        if (!own || !Locate(top, own, holder, index, path)) return {};
    }
    for (;;) {
        if (QLayoutItem* before = Before(holder, index)) return LabelText(before);
        if (path.empty()) return {};
        std::tie(holder, index) = path.back();
        path.pop_back();
    }
}

// The title of the group box around w, or the text of the tab page it is on.
QString Surrounding(QWidget* w) {
    for (QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
        if (const auto* box = qobject_cast<QGroupBox*>(p); box && !box->title().isEmpty())
            return WithoutMnemonic(box->title());
        if (auto* stack = qobject_cast<QStackedWidget*>(p->parentWidget()))
            if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
                const int page = tabs->indexOf(p);
                if (page >= 0 && !tabs->tabText(page).isEmpty()) return WithoutMnemonic(tabs->tabText(page));
            }
    }
    return {};
}

// Names the window's controls again when its title changes: a window opened for one list or
// another names its controls by its title.
class TitleWatcher final : public QObject {
  public:
    explicit TitleWatcher(QWidget* window) : QObject(window) {
        setObjectName(QStringLiteral("tavrinTitleWatcher"));
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowTitleChange) NameControls(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

bool IsPartOfControl(const QWidget* w) {
    // Not stopping at windows: the list of a combo box is a pop-up window of its own.
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p)) return true;
    return false;
}

bool NameIsDerived(const QWidget* w) {
    return w->property(DerivedName).toBool();
}

bool TakesFocus(const QWidget* w) {
    // A control whose focus goes to another one (a tab widget's to its tabs) is said as that one.
    return w->focusPolicy() != Qt::NoFocus && !w->focusProxy() && !IsPartOfControl(w);
}

QString AccessibleNameOf(QWidget* w) {
    if (!w->accessibleName().isEmpty()) return w->accessibleName();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).simplified() : QString();
}

void NameControls(QWidget* window) {
    if (!window) return;
    // The main window's title is the program's and the file's: it names none of its controls.
    const bool byTitle = !qobject_cast<QMainWindow*>(window);
    // Found by its name: the class has no meta-object of its own for findChild to cast with.
    if (byTitle &&
        !window->findChild<QObject*>(QStringLiteral("tavrinTitleWatcher"), Qt::FindDirectChildrenOnly))
        new TitleWatcher(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // A dialog inside the window names its own controls.
        if (!TakesFocus(w) || w->window() != window) continue;
        if (!w->accessibleName().isEmpty() && !w->property(DerivedName).toBool()) continue;
        w->setAccessibleName({});
        w->setProperty(DerivedName, QVariant());
        if (!AccessibleNameOf(w).isEmpty()) continue;
        QString name = LabelBefore(w);
        if (name.isEmpty()) name = WithoutMnemonic(w->toolTip());
        if (name.isEmpty()) name = Surrounding(w);
        if (name.isEmpty() && byTitle) name = WithoutMnemonic(window->windowTitle());
        if (name.isEmpty()) continue;
        w->setAccessibleName(name);
        w->setProperty(DerivedName, true);
    }
}

} // namespace tavrin
