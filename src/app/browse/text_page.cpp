// The TEXT page: the review text file of the current title.
#include "app/browse/page_widgets.h"
#include "app/main_window.h"
#include "platform/text.h"
#include "store/review_files.h"

#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace tavrin {

void TLDF1::BuildTextPage() {
    TextPageControls& p = pages_->text;
    p.Review = new QPlainTextEdit(TEXTDISC);
    p.Review->setObjectName(QStringLiteral("Review"));
    p.Review->setReadOnly(true);
    auto* layout = new QVBoxLayout(TEXTDISC);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(p.Review);
}

// The text button shows whether the file exists; the text is shown only for a title that has a
// number, as the editor gives one when it writes the file.
void TLDF1::LoadReview() {
    const auto record = CurrentRecord();
    if (!record) return;
    const TitleRecord& t = collection_.RecordAt(*record);
    const auto file = ReviewFilePath(folders_.text, t.TitleView(), t.ReviewNumber());
    std::error_code error;
    const bool exists = std::filesystem::is_regular_file(file, error);
    pages_->info.ATxtButton->setVisible(exists);
    std::optional<std::string> text;
    if (exists && t.ReviewNumber() != 0) text = ReadReviewText(file);
    // The same text again keeps the reader's place in it.
    const QString shown = text ? QStringFromCp1252(*text) : QString();
    if (shown != pages_->text.Review->toPlainText()) pages_->text.Review->setPlainText(shown);
}

} // namespace tavrin
