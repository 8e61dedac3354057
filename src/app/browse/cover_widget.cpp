#include "app/browse/cover_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavrin {
namespace {

constexpr QSize Room(96, 120);
constexpr int LeastWidth = 32;

} // namespace

CoverWidget::CoverWidget(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void CoverWidget::SetPicture(const QImage& picture) {
    picture_ = picture;
    setCursor(picture_.isNull() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    update();
}

QSize CoverWidget::sizeHint() const {
    return Room;
}

QSize CoverWidget::minimumSizeHint() const {
    return {LeastWidth, Room.height()};
}

void CoverWidget::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    const QSize size = picture_.size().scaled(rect().size(), Qt::KeepAspectRatio);
    // Centred across, at the top, level with the first mark.
    const QRect target(QPoint((width() - size.width()) / 2, 0), size);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
}

void CoverWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !picture_.isNull())
        emit Clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace tavrin
