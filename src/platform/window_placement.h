// Placing windows on the screen, and bringing them back where the user left them.
#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace tavrin {

// Moves a top-level window so that its current size sits in the middle of its screen's free area.
void CentreOnScreen(QWidget* window);

// Moves a top-level window, and shrinks it when it must, so that it lies within the free area of
// the screen it is on (after it grew past an edge).
void KeepOnScreen(QWidget* window);

// A top-level window's size, place and maximised state as the settings keep them.
std::string PlacementText(const QWidget* window);
// Gives a top-level window the size and place the text names, within the free area of the screen
// it lands on, maximised when it was. False when the text names no place: the window stays as it is.
bool RestorePlacement(QWidget* window, std::string_view text);
// Gives a top-level window the size the text names, within its screen's free area and never below
// its minimum size, and centres it; false when the text names none.
bool RestoreSize(QWidget* window, std::string_view text);

} // namespace tavrin
