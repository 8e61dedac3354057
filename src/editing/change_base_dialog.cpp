#include "editing/change_base_dialog.h"

#include "editing/name_chooser_dialog.h"
#include "editing/name_list_operations.h"
#include "platform/length_note.h"
#include "platform/text.h"
#include "platform/user_prompts.h"
#include "platform/window_placement.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrin {
namespace {

// A caption on the left of an edit, the pair named as one panel.
QWidget* CaptionedEdit(QWidget* parent, const char* name, QLabel*& caption, QLineEdit*& edit,
                       const char* editName) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    caption = new QLabel(panel);
    edit = new QLineEdit(panel);
    edit->setObjectName(QLatin1String(editName));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(caption);
    row->addWidget(edit, 1);
    return panel;
}

} // namespace

TChangeBase::TChangeBase(NameListHost& host) : host_(host) {
    setObjectName(QStringLiteral("TChangeBase"));
    setAttribute(Qt::WA_QuitOnClose, false);

    Panel2 = CaptionedEdit(this, "Panel2", Panel2Caption, Edit1, "Edit1");
    Edit1->setReadOnly(true);
    Panel1 = CaptionedEdit(this, "Panel1", Panel1Caption, Edit2, "Edit2");
    Edit2->setMaxLength(static_cast<int>(NameTextSize - 1));
    lengthNote_ = new LengthNote(Edit2);
    // Upper case as it is typed, the caret kept where it was.
    connect(Edit2, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int caret = Edit2->cursorPosition();
        Edit2->setText(UpperStorable(text));
        Edit2->setCursorPosition(caret);
    });
    connect(Edit2, &QLineEdit::returnPressed, this, &TChangeBase::BitBtn1Click);

    BitBtn1 = new QPushButton(this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = new QPushButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (auto* b : {BitBtn1, BitBtn2})
        b->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TChangeBase::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel2);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);

    // Both captions take the width of the wider, so the edits line up.
    Panel2Caption->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("          TO : ")) + 8);
    Panel1Caption->setMinimumWidth(Panel2Caption->minimumWidth());
    resize(420, sizeHint().height());
    ApplyTexts();
    CentreOnScreen(this);
}

void TChangeBase::ApplyTexts() {
    setWindowTitle(QText(host_.catalogue, Msg::MsgModify));
    Panel2Caption->setText(QText(host_.catalogue, Msg::MsgChangePanel));
    Panel1Caption->setText(QText(host_.catalogue, Msg::MsgModifyTo));
    BitBtn1->setText(QText(host_.catalogue, Msg::MsgOk));
    BitBtn2->setText(QText(host_.catalogue, Msg::MsgCancel));
    lengthNote_->ApplyTexts(host_.catalogue, QString());
}

void TChangeBase::OpenRename(ListId list, int entry, QWidget* opener, std::function<void()> renamed) {
    list_ = list;
    entry_ = entry;
    renamed_ = std::move(renamed);
    const QString text = QStringFromCp1252(NameAt(host_.collection.List(list), entry));
    Edit1->setText(text);
    Edit2->setText(text);
    opener_ = opener;
    if (opener) opener->setEnabled(false);
    CentreOnScreen(this);
    show();
    raise();
    activateWindow();
    Edit2->setFocus();
    Edit2->selectAll();
}

void TChangeBase::BitBtn1Click() {
    if (RefuseUnstorableName(host_, list_, *Edit2)) return;
    if (const auto refusal = RenameEntry(host_.Edits(), list_, entry_, Cp1252FromQString(Edit2->text()))) {
        host_.prompts.ShowMessage(QText(host_.catalogue, *refusal));
        Edit2->setText(Edit1->text());
        return;
    }
    const auto renamed = std::move(renamed_);
    accept();
    if (renamed) renamed();
}

void TChangeBase::done(int result) {
    QDialog::done(result);
    renamed_ = nullptr;
    if (opener_) opener_->setEnabled(true);
    opener_ = nullptr;
}

} // namespace tavrin
