// Alt + letter for every menu: the titles of a menu bar and the items of each menu get distinct
// underlined letters, taken from the texts as they are shown now.
#pragma once

class QMenuBar;

namespace tavrin {

// Call after the texts of a language were applied. Texts set since the last call are marked
// afresh; texts left as they were keep their mark.
void MarkMnemonics(QMenuBar* bar);

} // namespace tavrin
