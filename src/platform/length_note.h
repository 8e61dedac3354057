// A full line edit says so instead of letting typing stop without a word: its tool tip states the
// limit ("49 characters at most"), and a small note under it says the same while the text is at
// the limit and the edit has the focus.
#pragma once

#include "lang/catalogue.h"

#include <QLabel>

class QLineEdit;

namespace tavrin {

class LengthNote : public QLabel {
    Q_OBJECT

  public:
    // Watches edit, whose maxLength is the limit; owned by it and named "LengthNote".
    explicit LengthNote(QLineEdit* edit);

    // The edit's tool tip becomes hint and the limit on a line of its own (the limit alone when
    // hint is empty); the note follows the language.
    void ApplyTexts(const MessageCatalogue& catalogue, const QString& hint);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Follow(bool refusedKey);

    QLineEdit* edit_;
};

} // namespace tavrin
