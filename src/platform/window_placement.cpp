#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tavrin {

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window->move(area.left() + area.width() / 2 - window->width() / 2,
                 area.top() + area.height() / 2 - window->height() / 2);
}

} // namespace tavrin
