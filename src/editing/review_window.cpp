#include "editing/review_window.h"

#include "lang/catalogue.h"
#include "platform/text.h"
#include "platform/window_placement.h"
#include "store/review_files.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace tavrin {
namespace {

// The file keeps each line feed as CR LF, so a line feed counts twice against the limit.
qsizetype StoredLength(const QString& text) {
    return text.size() + text.count(QLatin1Char('\n'));
}

// The longest beginning of text that fits the limit once stored.
QString CutToLimit(const QString& text) {
    qsizetype stored = 0, i = 0;
    for (; i < text.size(); ++i) {
        stored += text[i] == QLatin1Char('\n') ? 2 : 1;
        if (stored > static_cast<qsizetype>(ReviewTextLimit)) break;
    }
    return text.left(i);
}

} // namespace

TMIMAGE::TMIMAGE() {
    setObjectName(QStringLiteral("TMIMAGE"));
    setAttribute(Qt::WA_QuitOnClose, false);

    AReview = new QPlainTextEdit(this);
    AReview->setObjectName(QStringLiteral("AReview"));
    AReview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Named as the main window's page that shows the same text.
    AReview->setAccessibleName(QStringLiteral("TEXT"));
    connect(AReview, &QPlainTextEdit::textChanged, this, &TMIMAGE::KeepWithinLimit);

    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image3->hide();

    // Typing stops at the limit: the note says why, instead of the keys doing nothing.
    LimitNote = new QLabel(this);
    LimitNote->setObjectName(QStringLiteral("LimitNote"));
    LimitNote->setContentsMargins(4, 2, 4, 2);
    LimitNote->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image3);
    layout->addWidget(AReview);
    layout->addWidget(LimitNote);
    resize(433, 273);
    CentreOnScreen(this);
}

void TMIMAGE::ApplyTexts(const MessageCatalogue& catalogue) {
    const QString limit = QText(catalogue, Msg::MsgCharactersAtMost).arg(ReviewTextLimit);
    LimitNote->setText(limit);
    AReview->setToolTip(limit);
}

void TMIMAGE::OpenForReview(const QString& caption, QWidget* opener) {
    opener_ = opener;
    Image3->hide();
    AReview->show();
    setWindowTitle(caption);
    resize(433, 366);
    show();
    raise();
    activateWindow();
    AReview->setFocus();
    LimitNote->setVisible(StoredLength(AReview->toPlainText()) >= static_cast<qsizetype>(ReviewTextLimit));
}

QString TMIMAGE::ReviewText() const {
    return AReview->toPlainText();
}

void TMIMAGE::SetReviewText(const QString& text) {
    AReview->setPlainText(CutToLimit(text));
}

void TMIMAGE::KeepWithinLimit() {
    if (limiting_) return;
    QString text = AReview->toPlainText();
    qsizetype excess = StoredLength(text) - static_cast<qsizetype>(ReviewTextLimit);
    LimitNote->setVisible(AReview->isVisible() && excess >= 0);
    if (excess <= 0) return;
    // Typing or pasting past the limit: what was just put in before the caret gives way, never
    // the text already there.
    limiting_ = true;
    qsizetype caret = AReview->textCursor().position();
    while (excess > 0 && caret > 0) {
        excess -= text[caret - 1] == QLatin1Char('\n') ? 2 : 1;
        text.remove(--caret, 1);
    }
    if (excess > 0) text = CutToLimit(text);
    AReview->setPlainText(text);
    QTextCursor cursor = AReview->textCursor();
    cursor.setPosition(static_cast<int>(std::min(caret, text.size())));
    AReview->setTextCursor(cursor);
    limiting_ = false;
}

void TMIMAGE::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

void TMIMAGE::done(int result) {
    QDialog::done(result);
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
    emit Closed();
}

} // namespace tavrin
