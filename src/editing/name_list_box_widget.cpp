#include "editing/name_list_box_widget.h"

#include "editing/type_ahead.h"
#include "platform/text.h"
#include "store/collection.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace tavrin {

NameListBox::NameListBox(QWidget* parent) : QWidget(parent) {
    edit_ = new QLineEdit(this);
    edit_->setMaxLength(static_cast<int>(NameTextSize - 1));
    edit_->installEventFilter(this);
    model_ = new NameListModel(this);
    view_ = new QListView(this);
    view_->setModel(model_);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setUniformItemSizes(true); // long lists lay out without measuring every row
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(edit_);
    layout->addWidget(view_, 1);

    connect(edit_, &QLineEdit::textEdited, this, &NameListBox::TextEdited);
    connect(edit_, &QLineEdit::returnPressed, this, &NameListBox::Accepted);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { RowChosen(current); });
}

void NameListBox::Fill(const NameList& list) {
    model_->SetRows(SortedEntries(list));
    edit_->clear();
}

int NameListBox::SelectedEntry() const {
    const auto selected = view_->selectionModel()->selectedRows();
    if (selected.isEmpty()) return -1;
    return model_->Rows()[static_cast<std::size_t>(selected.first().row())].entry;
}

void NameListBox::SelectEntry(int entry) {
    const auto rows = model_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].entry != entry) continue;
        edit_->setText(QStringFromCp1252(rows[i].text));
        SelectRow(static_cast<int>(i));
        return;
    }
    SelectRow(-1);
}

bool NameListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        erasing_ = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    }
    return QWidget::eventFilter(watched, event);
}

void NameListBox::TextEdited(const QString& text) {
    // No list entry holds a character Windows-1252 lacks; the text stays as typed, to be named
    // when OK refuses it.
    if (!IsStorable(text)) {
        SelectRow(-1);
        return;
    }
    // Texts are 8-bit, one character each, so positions carry over between the two forms.
    const std::string typed = Cp1252FromQString(text);
    const TypeAhead t =
        CompleteTyped(typed, static_cast<std::size_t>(edit_->cursorPosition()), erasing_, model_->Rows());
    if (t.selectionLength > 0) {
        edit_->setText(QStringFromCp1252(t.text));
        // The caret stays after the typed part, the completed part selected behind it.
        edit_->setSelection(static_cast<int>(t.text.size()), -static_cast<int>(t.selectionLength));
    } else if (t.text != typed) {
        // A whole name typed in another case shows as the list has it.
        edit_->setText(QStringFromCp1252(t.text));
    }
    SelectRow(t.row);
}

void NameListBox::SelectRow(int row) {
    following_ = true;
    if (row < 0) {
        view_->selectionModel()->clear();
    } else {
        const QModelIndex index = model_->index(row);
        view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        view_->scrollTo(index);
    }
    following_ = false;
}

void NameListBox::RowChosen(const QModelIndex& index) {
    if (following_ || !index.isValid()) return;
    // A row picked in the list puts its text in the edit line, as a simple combo box does.
    view_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    edit_->setText(model_->data(index, Qt::DisplayRole).toString());
}

} // namespace tavrin
