// The TEXT page: the review text file of the current title.
#include "app/browse/text_page.h"

#include "platform/text.h"
#include "store/review_files.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <optional>
#include <system_error>
#include <utility>

namespace tavrin {

TTextPage::TTextPage(std::filesystem::path textFolder, QWidget* parent)
    : QWidget(parent), textFolder_(std::move(textFolder)) {
    setObjectName(QStringLiteral("TEXTDISC"));
    Review = new QPlainTextEdit(this);
    Review->setObjectName(QStringLiteral("Review"));
    Review->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Review);
}

// The text is shown only for a title that has a number, as the editor gives one when it writes
// the file.
bool TTextPage::ShowReview(const TitleRecord& t) {
    const auto file = ReviewFilePath(textFolder_, t.TitleView(), t.ReviewNumber());
    std::error_code error;
    const bool exists = std::filesystem::is_regular_file(file, error);
    std::optional<std::string> text;
    if (exists && t.ReviewNumber() != 0) text = ReadReviewText(file);
    // The same text again keeps the reader's place in it.
    const QString shown = text ? QStringFromCp1252(*text) : QString();
    if (shown != Review->toPlainText()) Review->setPlainText(shown);
    return exists;
}

void TTextPage::Clear() {
    Review->clear();
}

} // namespace tavrin
