// What the two name-list choosers share: the three modes (pick a value for the title editor,
// manage the list, pick a browse filter value), and Modify, Delete and Clean List on the entry
// selected in the list.
#pragma once

#include "editing/name_list_box_widget.h"
#include "editing/name_list_host.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <string_view>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tavrin {

class LengthNote;
class TChangeBase;
class TCleaning;

// Control names of one chooser.
struct ChooserNames {
    const char* window;
    const char* list;
    const char* count;
    const char* menu;
    const char* clean;
};

class NameChooser : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { Editor, Manage, Filter };

    Mode CurrentMode() const { return mode_; }
    ListId CurrentList() const { return list_; }
    NameListBox* Names() const { return names_; }

  signals:
    // After an entry was removed (deleted, or cleaned out: one signal per entry, in order, at the
    // position it had then). References equal to it name nothing now, greater ones one lower.
    void EntryDeleted(tavrin::ListId list, int position);
    // After an entry got a new text.
    void EntryRenamed(tavrin::ListId list, int position);

  protected:
    NameChooser(NameListHost& host, TChangeBase& rename, TCleaning& cleaning, const ChooserNames& names);

    // Sets the context, fills the list, empties the edit line, shows the count and the dialog, and
    // disables the opener until this closes.
    void Open(Mode mode, ListId list, std::function<void(int)> picked, QWidget* opener);
    void done(int result) override;
    // OK, Cancel and the list commands in the catalogue's language.
    void ApplyButtonTexts();

    NameListHost& host_;

  private:
    void OkClick();
    void PickOrAdd();
    void PickForFilter();
    void Modify1Click();
    void Delete1Click();
    void CleanClick();
    // The upper-cased edit text shown back; the entry of the selected row, or -1 for none.
    int Locate();
    void Removed(ListId list, const std::vector<int>& positions);
    void ShowCount();
    void Refill();

    TChangeBase& rename_;
    TCleaning& cleaning_;

    NameListBox* names_ = nullptr;
    LengthNote* lengthNote_ = nullptr;
    QLineEdit* count_ = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QMenu* menu_ = nullptr;
    QAction* Modify1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* clean_ = nullptr;

    Mode mode_ = Mode::Manage;
    ListId list_ = ListId::Director;
    std::function<void(int)> picked_;
    QPointer<QWidget> opener_;
};

// OK of a chooser: the name typed in edit picked, or added to list (then added runs, to show it);
// the dialog closed and the entry handed to picked, which is emptied first. A name the list
// refuses is told to the user and the dialog stays open.
void PickOrAddAndClose(NameListHost& host, ListId list, QLineEdit& typed, QDialog& dialog,
                       std::function<void(int)>& picked, const std::function<void()>& added);

// A typed name with characters a collection cannot store: told to the user, naming them and the
// list's field, the focus given back to edit, and true. False when the name can be stored.
bool RefuseUnstorableName(NameListHost& host, ListId list, QLineEdit& edit);

} // namespace tavrin
