// The dialogs and message boxes the windows put in front of the user, behind one small interface
// so that window tests can answer them without running modal loops.
#pragma once

#include "platform/save_answer.h"

#include <QString>

class QWidget;

namespace tavrin {

struct FileDialogOptions {
    QString title;         // "OPEN", "SAVE"
    QString filter;        // as shown, e.g. "Tavrin File (*.KXT)"
    QString defaultSuffix; // without the dot
};

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // The chosen existing file, or an empty text when cancelled.
    virtual QString AskOpenFile(const FileDialogOptions& dialogOptions) = 0;
    // The chosen file name (overwriting confirmed), or an empty text when cancelled.
    virtual QString AskSaveFile(const FileDialogOptions& dialogOptions) = 0;
    // Yes / No / Cancel with a question icon.
    virtual SaveAnswer AskSaveChanges(const QString& caption, const QString& text) = 0;
    // Yes / No with a question icon; true only for Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    // A plain message with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
};

// The real dialogs, parented to a window.
class QtUserPrompts final : public UserPrompts {
  public:
    explicit QtUserPrompts(QWidget* parent) : parent_(parent) {}
    QString AskOpenFile(const FileDialogOptions& dialogOptions) override;
    QString AskSaveFile(const FileDialogOptions& dialogOptions) override;
    SaveAnswer AskSaveChanges(const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    void ShowMessage(const QString& text) override;

  private:
    QWidget* parent_;
};

} // namespace tavrin
