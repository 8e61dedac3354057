// The About window: the program's name, version and credits.
#pragma once

#include <QWidget>

class QTextEdit;

namespace tavrin {

class TKXTAbout : public QWidget {
    Q_OBJECT

  public:
    explicit TKXTAbout(QWidget* parent = nullptr);

  signals:
    // The user closed the window; its opener enables itself again.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QTextEdit* text_;
};

} // namespace tavrin
