#include "platform/tab_order.h"

#include <QGridLayout>
#include <QLayout>
#include <QWidget>

#include <algorithm>
#include <tuple>

namespace tavrin {
namespace {

void Collect(QLayout* layout, std::vector<QWidget*>& out) {
    // A grid lists its items in the order they were added; read it row by row instead.
    std::vector<std::tuple<int, int, int>> items; // row, column, index
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        int row = 0, column = i, rowSpan = 0, columnSpan = 0;
        if (grid) grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        items.emplace_back(row, column, i);
    }
    std::stable_sort(items.begin(), items.end());
    for (const auto& [row, column, index] : items) {
        QLayoutItem* item = layout->itemAt(index);
        if (QLayout* inner = item->layout()) {
            Collect(inner, out);
        } else if (QWidget* w = item->widget()) {
            if (w->focusPolicy() & Qt::TabFocus) out.push_back(w);
            if (w->layout()) Collect(w->layout(), out);
        }
    }
}

} // namespace

std::vector<QWidget*> ReadingOrder(QLayout* layout) {
    std::vector<QWidget*> out;
    if (layout) Collect(layout, out);
    return out;
}

void SetReadingTabOrder(QWidget* window) {
    const auto order = ReadingOrder(window->layout());
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace tavrin
