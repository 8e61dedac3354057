// A pair of small arrow buttons stepping a number between bounds, beside the edit it drives.
#pragma once

#include <QWidget>

class QToolButton;

namespace tavrin {

class UpDown : public QWidget {
    Q_OBJECT

  public:
    explicit UpDown(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Maximum() const { return maximum_; }
    int Position() const { return position_; }
    // Moves without emitting Stepped (the edit already shows the value).
    void SetPosition(int position);

  signals:
    // The user stepped to a new position.
    void Stepped(int position);

  private:
    void Step(int delta);

    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};

} // namespace tavrin
