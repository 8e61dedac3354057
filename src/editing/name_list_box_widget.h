// The choosers' list of names: an edit line above an always-open list sorted for the eye, the
// list following what is typed and the edit line completing it (a simple-style combo box).
#pragma once

#include "editing/name_list_model.h"
#include "editing/sorted_names.h"

#include <QWidget>

class QLineEdit;
class QListView;

namespace tavrin {

class NameListBox : public QWidget {
    Q_OBJECT
  public:
    explicit NameListBox(QWidget* parent = nullptr);

    QLineEdit* Edit() const { return edit_; }
    QListView* View() const { return view_; }
    NameListModel* Model() const { return model_; }

    // Shows a list sorted; the selection and the edit line are left empty.
    void Fill(const NameList& list);
    // The entry number of the selected row, or -1.
    int SelectedEntry() const;
    // Selects the row of an entry (none: -1) and shows its text in the edit line.
    void SelectEntry(int entry);

  signals:
    // Enter in the edit line.
    void Accepted();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void TextEdited(const QString& text);
    void SelectRow(int row);
    void RowChosen(const QModelIndex& index);

    QLineEdit* edit_ = nullptr;
    QListView* view_ = nullptr;
    NameListModel* model_ = nullptr;
    bool erasing_ = false;   // the last key pressed in the edit line was Backspace or Delete
    bool following_ = false; // the list's selection is being set from the edit line
};

} // namespace tavrin
