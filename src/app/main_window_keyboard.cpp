// The main window from the keyboard: the Tab order of the left column and the title list's keys.
#include "app/browse/cover_grid_widget.h"
#include "app/main_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace tavrin {

void TLDF1::SetUpKeyboard() {
    // Type-ahead and search fields, title list (or table, or grid), the four title commands, then
    // the pages.
    QWidget* const chain[] = {EnterName, EnterSearch,  ListDisc,      TitleTable, CoverGrid,
                              Ajoute,    SpeedButton1, SpeedButton12, Efface,     Onglet};
    for (QToolButton* button : {Ajoute, SpeedButton1, SpeedButton12, Efface})
        button->setFocusPolicy(Qt::StrongFocus);
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    ListDisc->installEventFilter(this);
    TitleTable->installEventFilter(this);
    CoverGrid->installEventFilter(this);
}

bool TLDF1::eventFilter(QObject* watched, QEvent* event) {
    if ((watched != ListDisc && watched != TitleTable && watched != CoverGrid) ||
        event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return QMainWindow::eventFilter(watched, event);
    // The keys do what the buttons do, and only when the buttons may be used.
    QToolButton* button = nullptr;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button = SpeedButton1;
        break;
    case Qt::Key_Insert:
        button = Ajoute;
        break;
    case Qt::Key_Delete:
        button = Efface;
        break;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
    if (button->isEnabled()) button->click();
    return true;
}

} // namespace tavrin
