#include "app/browse/cover_grid_widget.h"

#include "app/browse/cover_grid_model.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

constexpr int Margin = 6;     // around a cell's contents
constexpr int TitleGap = 4;   // between the cover and its title
constexpr int TitleLines = 2; // of the title beneath a cover
constexpr int WheelStep = 120;

// The tile of a title without a cover takes a cover's usual shape: taller than wide.
QRect TileRect(const QRect& square) {
    const int width = square.width() * 5 / 7;
    return {square.x() + (square.width() - width) / 2, square.y(), width, square.height()};
}

QColor MediumColour(int medium) {
    static const std::array<QColor, 4> colours{
        QColor(0x9c, 0x7a, 0x3c), // LD: the gold of the big discs' sleeves
        QColor(0x2e, 0x4a, 0x8b), // DVD
        QColor(0x3b, 0x3b, 0x3b), // VHS
        QColor(0x2c, 0x7a, 0x7b), // VideoCD
    };
    return medium >= 0 && medium < static_cast<int>(colours.size())
               ? colours[static_cast<std::size_t>(medium)]
               : QColor(0x6b, 0x6b, 0x6b);
}

// The text in at most lines lines of width, word-wrapped, a line too long cut with an ellipsis.
QStringList WrappedLines(const QString& text, const QFont& font, int width, int lines) {
    QStringList out;
    QTextLayout layout(text, font);
    layout.beginLayout();
    while (out.size() < lines) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        if (out.size() == lines - 1) {
            out << QFontMetrics(font).elidedText(text.mid(line.textStart()).simplified(), Qt::ElideRight,
                                                 width);
            break;
        }
        // A word longer than the line is cut, not clipped on both sides.
        out << QFontMetrics(font).elidedText(text.mid(line.textStart(), line.textLength()).trimmed(),
                                             Qt::ElideRight, width);
    }
    layout.endLayout();
    return out;
}

void DrawLines(QPainter* painter, const QStringList& lines, const QRect& area, const QFontMetrics& metrics) {
    int y = area.y();
    for (const QString& line : lines) {
        painter->drawText(QRect(area.x(), y, area.width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                          line);
        y += metrics.height();
    }
}

class CoverDelegate : public QStyledItemDelegate {
  public:
    explicit CoverDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

    void SetSide(int side) { side_ = side; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {side_ + 2 * Margin,
                Margin + side_ + TitleGap + TitleLines * option.fontMetrics.height() + Margin};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const QRect cell = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        if (selected) painter->fillRect(cell, option.palette.brush(group, QPalette::Highlight));

        const QRect square(cell.x() + (cell.width() - side_) / 2, cell.y() + Margin, side_, side_);
        const QVariant decoration = index.data(Qt::DecorationRole);
        const auto state =
            static_cast<CoverGridModel::CoverState>(index.data(CoverGridModel::CoverRole).toInt());
        const QString title = index.data(Qt::DisplayRole).toString();
        if (decoration.canConvert<QImage>() && state == CoverGridModel::CoverState::Shown) {
            const QImage cover = decoration.value<QImage>();
            // Standing on the title, centred across.
            const QPoint at(square.x() + (square.width() - cover.width()) / 2,
                            square.bottom() + 1 - cover.height());
            painter->drawImage(at, cover);
        } else if (state == CoverGridModel::CoverState::Waiting) {
            painter->setPen(option.palette.color(QPalette::Mid));
            painter->drawRect(TileRect(square).adjusted(0, 0, -1, -1));
        } else {
            DrawTile(painter, option, TileRect(square), title,
                     index.data(CoverGridModel::MediumRole).toInt());
        }

        const QRect below(cell.x() + 2, square.bottom() + 1 + TitleGap, cell.width() - 4,
                          TitleLines * option.fontMetrics.height());
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        DrawLines(painter, WrappedLines(title, option.font, below.width(), TitleLines), below,
                  option.fontMetrics);

        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = cell.adjusted(1, 1, -1, -1);
            focus.backgroundColor =
                option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
            QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
        }
        painter->restore();
    }

  private:
    // The title on the medium's colour, in lines as many as fit, with a thin darker edge.
    static void DrawTile(QPainter* painter, const QStyleOptionViewItem& option, const QRect& tile,
                         const QString& title, int medium) {
        const QColor colour = MediumColour(medium);
        painter->fillRect(tile, colour);
        painter->setPen(colour.darker(140));
        painter->drawRect(tile.adjusted(0, 0, -1, -1));
        QFont font = option.font;
        font.setBold(true);
        const QFontMetrics metrics(font);
        const QRect inner = tile.adjusted(6, 6, -6, -6);
        const int lines = std::max(1, inner.height() / metrics.height());
        const QStringList shown = WrappedLines(title, font, inner.width(), lines);
        const int height = static_cast<int>(shown.size()) * metrics.height();
        painter->setFont(font);
        painter->setPen(Qt::white);
        DrawLines(painter, shown,
                  QRect(inner.x(), inner.y() + (inner.height() - height) / 2, inner.width(), height),
                  metrics);
    }

    int side_ = 0;
};

} // namespace

CoverGridWidget::CoverGridWidget(QWidget* parent) : QListView(parent) {
    setItemDelegate(new CoverDelegate(this));
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    // One size for every cell: the view never measures 65,535 of them.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetCoverSide(128);
}

void CoverGridWidget::SetCoverSide(int side) {
    if (side == side_) return;
    side_ = side;
    auto* delegate = static_cast<CoverDelegate*>(itemDelegate());
    delegate->SetSide(side);
    setIconSize(QSize(side, side));
    QStyleOptionViewItem option;
    option.initFrom(this);
    setGridSize(delegate->sizeHint(option, {}));
    // The rows steps follow the cells' height.
    verticalScrollBar()->setSingleStep(gridSize().height() / 4);
}

void CoverGridWidget::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QListView::wheelEvent(event);
        return;
    }
    wheelTurn_ += event->angleDelta().y();
    const int steps = wheelTurn_ / WheelStep;
    wheelTurn_ -= steps * WheelStep;
    if (steps != 0) emit CoverSideStep(steps);
    event->accept();
}

void CoverGridWidget::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::ZoomIn) ||
        (control && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal))) {
        emit CoverSideStep(1);
        return;
    }
    if (event->matches(QKeySequence::ZoomOut) || (control && event->key() == Qt::Key_Minus)) {
        emit CoverSideStep(-1);
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace tavrin
