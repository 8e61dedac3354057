// The picture viewer: the review window TMIMAGE showing a picture of the MEDIAS folder at its own
// size, or shrunk to fit the screen.
#include "editing/media_files.h"
#include "editing/review_window.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>

namespace tavrin {

void TMIMAGE::OpenForPicture(const QString& caption, const QImage& picture, QWidget* opener) {
    opener_ = opener;
    AReview->hide();
    LimitNote->hide();
    setWindowTitle(caption);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->size() : QSize();
    const PictureSize size =
        FitWithinScreen({picture.width(), picture.height()}, {area.width(), area.height()});
    if (picture.isNull() || size.width <= 0 || size.height <= 0)
        Image3->clear();
    else if (size.width == picture.width() && size.height == picture.height())
        Image3->setPixmap(QPixmap::fromImage(picture));
    else
        Image3->setPixmap(QPixmap::fromImage(
            picture.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    Image3->setFixedSize(std::max(size.width, 1), std::max(size.height, 1));
    Image3->show();
    resize(Image3->size());
    if (opener) opener->setEnabled(false);
    show();
    raise();
    activateWindow();
}

} // namespace tavrin
