// The About window: the program's name, version and credits.
#pragma once

#include "lang/catalogue.h"

#include <QWidget>

class QTextEdit;

namespace tavrin {

class TKXTAbout : public QWidget {
    Q_OBJECT

  public:
    explicit TKXTAbout(QWidget* parent = nullptr);
    // The title and the text in the catalogue's language.
    void ApplyTexts(const MessageCatalogue& catalogue);

  signals:
    // The user closed the window; its opener enables itself again.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTextEdit* text_;
};

} // namespace tavrin
