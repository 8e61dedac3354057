// The TEXT page: the review text file of the current title.
#pragma once

#include "store/collection.h"

#include <QWidget>

#include <filesystem>

class QPlainTextEdit;

namespace tavrin {

class TTextPage : public QWidget {
    Q_OBJECT

  public:
    TTextPage(std::filesystem::path textFolder, QWidget* parent);

    // Shows the title's text; true when its file exists.
    bool ShowReview(const TitleRecord& t);
    void Clear();

  private:
    std::filesystem::path textFolder_;
    QPlainTextEdit* Review = nullptr;
};

} // namespace tavrin
