#include "app/save_question.h"

namespace tavrin {

bool ConfirmUnsavedChanges(bool modified, const std::function<SaveAnswer()>& ask,
                           const std::function<bool()>& save) {
    if (!modified) return true;
    switch (ask()) {
    case SaveAnswer::Cancel: return false;
    case SaveAnswer::No: return true;
    case SaveAnswer::Yes: return save();
    }
    return false;
}

bool SaveNeedsDialog(std::string_view shownFileName, std::string_view currentFileName) {
    return currentFileName.empty() || shownFileName != currentFileName;
}

} // namespace tavrin
