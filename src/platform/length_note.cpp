#include "platform/length_note.h"

#include "platform/text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

namespace tavrin {

LengthNote::LengthNote(QLineEdit* edit) : QLabel(edit, Qt::ToolTip), edit_(edit) {
    setObjectName(QStringLiteral("LengthNote"));
    // Drawn as a tool tip is, but it stays up while the user types: a tool tip would go at the
    // next key.
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(2);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] { Follow(false); });
}

void LengthNote::ApplyTexts(const MessageCatalogue& catalogue, const QString& hint) {
    setText(QText(catalogue, Msg::MsgCharactersAtMost).arg(edit_->maxLength()));
    adjustSize();
    edit_->setToolTip(hint.isEmpty() ? text() : hint + QLatin1Char('\n') + text());
}

void LengthNote::Follow(bool refusedKey) {
    const bool full = edit_->text().size() >= edit_->maxLength();
    if (full && edit_->hasFocus() && edit_->isVisible() && !edit_->isReadOnly() &&
        (refusedKey || !isVisible())) {
        move(edit_->mapToGlobal(QPoint(0, edit_->height() + 1)));
        show();
        raise();
    } else if (!full || !edit_->hasFocus()) {
        hide();
    }
}

bool LengthNote::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // A character refused because the edit is full: the note comes (back) up.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint() && !edit_->hasSelectedText())
                Follow(true);
            break;
        }
        case QEvent::FocusIn:
            Follow(false);
            break;
        case QEvent::FocusOut:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            hide();
            break;
        default:
            break;
        }
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace tavrin
