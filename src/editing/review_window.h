// The review window: the free text of the title being edited, typed in AReview. The same window
// is the picture viewer, showing a picture full size (Image3) for the main window.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QImage;
class QLabel;
class QPlainTextEdit;

namespace tavrin {

class MessageCatalogue;

class TMIMAGE : public QDialog {
    Q_OBJECT

  public:
    TMIMAGE();
    // The note shown at the length limit, in the current language.
    void ApplyTexts(const MessageCatalogue& catalogue);

    // The text area shown, the picture hidden, captioned with the title being edited. The opener
    // stays enabled and is enabled again on closing.
    void OpenForReview(const QString& caption, QWidget* opener);
    // Closing enables opener again (the picture viewer disables it before showing).
    void RememberOpener(QWidget* opener) { opener_ = opener; }

    // The picture viewer (picture_viewer.cpp): the picture shown, the text area hidden, the
    // window's client area the picture's size, shrunk to fit the screen; opener disabled until
    // the window closes.
    void OpenForPicture(const QString& caption, const QImage& picture, QWidget* opener);

    // The review text, with plain line feeds.
    QString ReviewText() const;
    // Cut at the review length limit.
    void SetReviewText(const QString& text);

    QLabel* Picture() const { return Image3; }

  signals:
    void Closed();

  protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

  private:
    void KeepWithinLimit();

    QPlainTextEdit* AReview = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* LimitNote = nullptr; // "10000 characters at most", while the text is at its limit
    QPointer<QWidget> opener_;
    bool limiting_ = false;
};

} // namespace tavrin
