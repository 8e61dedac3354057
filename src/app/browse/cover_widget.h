// The title's cover beside the marks of the INFORMATION page: a picture drawn as large as the
// room allows, keeping its proportions; a click on it is reported.
#pragma once

#include <QImage>
#include <QWidget>

namespace tavrin {

class CoverWidget : public QWidget {
    Q_OBJECT

  public:
    explicit CoverWidget(QWidget* parent);

    // A null picture shows nothing.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    // The room it asks for, and the least it takes when a language's longer captions need the
    // width: the same height, so that the page never moves as titles with and without a cover
    // come and go.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void Clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
};

} // namespace tavrin
