// Qt's own texts (the buttons of message boxes, the file dialogs) in the program's language.
#pragma once

namespace tavrin {

// Loads Qt's translations of a language index (0 English .. 4 Finnish) in place of the ones
// loaded before; English, or a language whose files are missing, leaves Qt's English texts.
void UseQtTranslations(int language);

} // namespace tavrin
