// Tab moves through a window's controls in the order they are read: column after column as the
// layouts place them, top to bottom and left to right within each, into group boxes as they come.
#pragma once

#include <vector>

class QLayout;
class QWidget;

namespace tavrin {

// The controls under a layout that take focus by Tab, in reading order.
std::vector<QWidget*> ReadingOrder(QLayout* layout);

// Chains the window's controls in reading order.
void SetReadingTabOrder(QWidget* window);

} // namespace tavrin
