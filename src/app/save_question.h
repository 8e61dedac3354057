// The question about unsaved changes that guards New, Open and closing the program.
#pragma once

#include "platform/save_answer.h"

#include <functional>
#include <string_view>

namespace tavrin {

// True when the command may go on. Asks only when modified; Yes goes on only when the save
// succeeded, so a cancelled or failed save never discards the changes.
bool ConfirmUnsavedChanges(bool modified, const std::function<SaveAnswer()>& ask,
                           const std::function<bool()>& save);

// Save writes straight to the current file only when the window still shows that file's name
// (after New it shows "New File", so Save asks for a name).
bool SaveNeedsDialog(std::string_view shownFileName, std::string_view currentFileName);

} // namespace tavrin
