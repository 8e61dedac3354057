// The rename dialog of the name lists: a new text for an entry, for every title at once.
#pragma once

#include "editing/name_list_host.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrin {

class LengthNote;

class TChangeBase : public QDialog {
    Q_OBJECT

  public:
    explicit TChangeBase(NameListHost& host);
    void ApplyTexts();

    // Shows the entry's text in both edits and disables the opener (a chooser) until this closes;
    // renamed runs after the entry got its new text.
    void OpenRename(ListId list, int entry, QWidget* opener, std::function<void()> renamed);

  protected:
    void done(int result) override;

  private:
    void BitBtn1Click();

    NameListHost& host_;
    QWidget* Panel2 = nullptr;
    QLabel* Panel2Caption = nullptr;
    QLineEdit* Edit1 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* Panel1Caption = nullptr;
    QLineEdit* Edit2 = nullptr;
    LengthNote* lengthNote_ = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    ListId list_ = ListId::Director;
    int entry_ = -1;
    std::function<void()> renamed_;
    QPointer<QWidget> opener_;
};

} // namespace tavrin
