// Placing windows on the screen.
#pragma once

class QWidget;

namespace tavrin {

// Moves a top-level window so that its current size sits in the middle of its screen's free area.
void CentreOnScreen(QWidget* window);

} // namespace tavrin
