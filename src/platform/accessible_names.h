// Accessible names for a window's controls, so that a screen reader says what each one is: a
// button says its caption, and an edit, list or combo box without one the label beside it, the
// group box around it or the page it is on.
#pragma once

#include <QString>

class QWidget;

namespace tavrin {

// Names every control under window that takes focus and that Qt cannot name by itself (no
// caption, no label made its buddy), from the label laid out just before it, else its tool tip,
// else the titled group box or the tab page around it, else (in a window other than the main
// one, which holds many controls) the window's title. A name the window set itself is kept; the
// names set here follow the texts: call it again after the window's texts change (a change of
// the window's title renames by itself).
void NameControls(QWidget* window);

// A part of a compound control (the edit or the list of a combo box, the edit of a spin box),
// which a screen reader says as part of that control.
bool IsPartOfControl(const QWidget* w);

// Whether w's name was set by NameControls rather than by its window.
bool NameIsDerived(const QWidget* w);

// Whether w takes focus as a control of its own, which a screen reader names.
bool TakesFocus(const QWidget* w);

// The name a screen reader is given for w: its own accessible name, or what Qt derives.
QString AccessibleNameOf(QWidget* w);

} // namespace tavrin
