// "Select manually some titles": the two-list dialog MakeList, the titles still available on the
// left and those chosen on the right, both in title order.
#pragma once

#include "app/browse/special_selections.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <QDialog>

#include <memory>
#include <span>

class QListView;
class QPushButton;
class QToolButton;

namespace tavrin {

class TitleListModel;

class TMakeList : public QDialog {
    Q_OBJECT

  public:
    TMakeList(const Collection& collection, const MessageCatalogue& catalogue, QWidget* parent);
    ~TMakeList() override;
    void ApplyTexts();

    // The left list gets these titles, the right one is emptied.
    void Fill(std::span<const std::uint16_t> titles);
    // The chosen titles in title order.
    std::vector<std::uint16_t> Chosen() const;

    // The move buttons and double clicks.
    void IncludeBtnClick();
    void IncAllBtnClick();
    void ExcludeBtnClick();
    void ExAllBtnClick();

  private:
    void Refresh();

    const Collection& collection_;
    const MessageCatalogue& catalogue_;
    std::unique_ptr<TitlePicker> picker_;
    std::vector<std::uint16_t> available_, chosen_; // what the lists show
    TitleListModel* srcModel_ = nullptr;
    TitleListModel* dstModel_ = nullptr;
    QListView* SrcList = nullptr;
    QListView* DstList = nullptr;
    QToolButton *IncludeBtn = nullptr, *IncAllBtn = nullptr, *ExcludeBtn = nullptr, *ExAllBtn = nullptr;
    QPushButton *OKBtn = nullptr, *CancelBtn = nullptr;
};

} // namespace tavrin
