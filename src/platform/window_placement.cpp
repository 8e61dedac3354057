#include "platform/window_placement.h"

#include "platform/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <vector>

namespace tavrin {
namespace {

ScreenRect FromQRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// The free areas of the screens, the primary one first.
std::vector<ScreenRect> ScreenAreas() {
    std::vector<ScreenRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas.push_back(FromQRect(primary->availableGeometry()));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas.push_back(FromQRect(screen->availableGeometry()));
    return areas;
}

} // namespace

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    window->move(area.left() + area.width() / 2 - window->width() / 2,
                 area.top() + area.height() / 2 - window->height() / 2);
}

void KeepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The frame, title bar and borders included, is what must fit.
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const ScreenRect area = FromQRect(screen->availableGeometry());
    const ScreenRect placed = PlaceOnScreens(FromQRect(frame), {&area, 1});
    if (placed == FromQRect(frame)) return;
    window->setGeometry(inner.x() + placed.x - frame.x(), inner.y() + placed.y - frame.y(),
                        inner.width() - (frame.width() - placed.width),
                        inner.height() - (frame.height() - placed.height));
}

std::string PlacementText(const QWidget* window) {
    // A maximised window keeps the size it comes back to.
    const bool maximised = window->isMaximized();
    const QRect frame = maximised ? window->normalGeometry() : window->geometry();
    return WindowPlaceText({FromQRect(frame), maximised});
}

bool RestorePlacement(QWidget* window, std::string_view text) {
    const auto place = WindowPlaceFromText(text);
    if (!place) return false;
    const std::vector<ScreenRect> areas = ScreenAreas();
    const ScreenRect frame = PlaceOnScreens(place->frame, areas);
    window->setGeometry(frame.x, frame.y, std::max(frame.width, window->minimumWidth()),
                        std::max(frame.height, window->minimumHeight()));
    if (place->maximised) window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

bool RestoreSize(QWidget* window, std::string_view text) {
    const auto place = WindowPlaceFromText(text);
    if (!place) return false;
    // Sized on the screen the window is on, whatever screen it was on before.
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    ScreenRect frame{0, 0, place->frame.width, place->frame.height};
    if (screen) {
        const ScreenRect area = FromQRect(screen->availableGeometry());
        frame = PlaceOnScreens({area.x, area.y, frame.width, frame.height}, {&area, 1});
    }
    window->resize(std::max(frame.width, window->minimumWidth()),
                   std::max(frame.height, window->minimumHeight()));
    CentreOnScreen(window);
    return true;
}

} // namespace tavrin
