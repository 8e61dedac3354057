#include "editing/cleaning_window.h"

#include "editing/name_list_operations.h"
#include "platform/text.h"
#include "platform/window_placement.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace tavrin {
namespace {

constexpr qint64 RepaintEveryMs = 40;

} // namespace

TCleaning::TCleaning(const MessageCatalogue& catalogue) : catalogue_(catalogue) {
    setObjectName(QStringLiteral("TCleaning"));
    setAttribute(Qt::WA_QuitOnClose, false);
    Checking = new QLabel(this);
    Checking->setObjectName(QStringLiteral("Checking"));
    Checking->setTextFormat(Qt::PlainText);
    Checking->setMinimumWidth(320);
    cleaned_ = new QStringListModel(this);
    CleanedBox = new QListView(this);
    CleanedBox->setObjectName(QStringLiteral("CleanedBox"));
    CleanedBox->setModel(cleaned_);
    CleanedBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CleanedBox->setUniformItemSizes(true);
    CleanClose = new QPushButton(this);
    CleanClose->setObjectName(QStringLiteral("CleanClose"));
    connect(CleanClose, &QPushButton::clicked, this, [this] {
        CleanClose->setEnabled(false);
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Checking);
    layout->addWidget(CleanedBox, 1);
    layout->addWidget(CleanClose, 0, Qt::AlignHCenter);
    resize(380, 300);
    ApplyTexts();
    CentreOnScreen(this);
}

void TCleaning::ApplyTexts() {
    setWindowTitle(QText(catalogue_, Msg::MsgCleaning));
    CleanClose->setText(QText(catalogue_, Msg::MsgOk));
}

void TCleaning::Begin() {
    CentreOnScreen(this);
    CleanClose->setEnabled(false);
    cleaned_->setStringList({});
    Checking->clear();
    show();
    raise();
    sinceRepaint_.invalidate();
}

bool TCleaning::ProgressDue() {
    if (sinceRepaint_.isValid() && sinceRepaint_.elapsed() < RepaintEveryMs) return false;
    sinceRepaint_.start();
    return true;
}

void TCleaning::ShowChecking(const QString& text) {
    Checking->setText(text);
    Checking->repaint();
}

void TCleaning::AddCleaned(const QStringList& lines) {
    if (lines.isEmpty()) return;
    cleaned_->setStringList(cleaned_->stringList() + lines);
}

void TCleaning::Finish(const QString& state) {
    Checking->setText(state);
    CleanClose->setEnabled(true);
}

void TCleaning::RunDeletion(Changes ch, ListId list, int entry, QWidget& owner) {
    const Collection& c = ch.Data();
    Begin();
    owner.setEnabled(false);
    const QString checking = QText(catalogue_, Msg::MsgCheckingTitle);
    const auto erasedIn = DeleteEntry(ch, list, entry, [&](std::size_t r) {
        if (ProgressDue()) ShowChecking(checking + QStringFromCp1252(c.titles[r].TitleView()));
    });
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(erasedIn.size()));
    for (std::size_t r : erasedIn)
        lines << QStringFromCp1252(ErasedInLine(catalogue_, c, r));
    AddCleaned(lines);
    Finish(QText(catalogue_, Msg::MsgDeleteComplete));
    owner.setEnabled(true);
}

} // namespace tavrin
