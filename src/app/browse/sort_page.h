// The SORT TITLES page: the combos, year bounds, check boxes, name and actor filters.
#pragma once

#include "app/browse/browse_page_host.h"
#include "app/browse/filter_combo_widgets.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace tavrin {

class UpDown;

class TSortPage : public QWidget {
    Q_OBJECT

  public:
    TSortPage(BrowseHost host, QWidget* parent);
    void ApplyTexts();

    // The controls into the filters in force (the name and actor selections live only there).
    void ReadFilters() const;
    // The filters in force into the controls.
    void ShowFilters();
    void ShowNameFilter(ListId list);
    void ShowActorFilter();

    // A name filter's selection (an entry, -1 for none, NoEntry / NoPublisher for titles without
    // one), shown in its field; refreshes.
    void SetNameFilter(ListId list, int entry);

  private:
    void Build();
    void BuildBehaviour();
    void FilterChanged();
    void SupportChanged(int item);
    void FromYearTyped(int typed);
    void ToYearTyped(int typed);
    // A year field left empty or unreadable takes back the bound in force; false then.
    bool YearLeft(QLineEdit* edit, int BrowseFilters::*bound);
    void ToYearLeft();
    void AddActorClicked();
    void RemoveActorClicked();
    void AllActorsClicked();

    // A name filter: the field showing the choice, its "..." and "ALL" buttons.
    struct NameFilterControls {
        ListId list;
        QLineEdit* field = nullptr;
        QToolButton* choose = nullptr;
        QToolButton* all = nullptr;
    };
    // A check box filter and the member of BrowseFilters it sets.
    struct FlagControl {
        bool BrowseFilters::*member;
        QCheckBox* box = nullptr;
    };

    BrowseHost host_;
    bool showing_ = false; // the filters are being shown: control signals are not choices

    FilterComboBoxes combos_;
    QComboBox *TSupport = nullptr, *TStandard = nullptr, *TAspectRatio = nullptr, *TSound = nullptr,
              *TColor = nullptr, *TGenre = nullptr, *TAVendre = nullptr, *TMPAA = nullptr, *TZone = nullptr;
    QGroupBox *GroupBox2 = nullptr, *GroupBox5 = nullptr, *GroupBox6 = nullptr, *GroupBox12 = nullptr;
    QLineEdit *TAnnee1 = nullptr, *TAnnee2 = nullptr;
    UpDown *AUpDown1 = nullptr, *AUpDown2 = nullptr;
    std::vector<FlagControl> flags_;
    QGroupBox* ActorBox = nullptr;
    std::array<NameFilterControls, 7> names_{};
    QListWidget* TActor = nullptr;
    QToolButton *SpeedButton5 = nullptr, *SpeedButton6 = nullptr, *SpeedButton2 = nullptr;
    QToolButton* SpeedButton16 = nullptr;
};

} // namespace tavrin
