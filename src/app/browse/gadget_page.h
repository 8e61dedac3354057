// The GADGET page: mark ranges, entry date, watch filters, DVD language filters, Russian Roulette
// and the price of the listed titles, and the options kept in the settings.
#pragma once

#include "app/browse/browse_page_host.h"
#include "app/browse/filter_combo_widgets.h"
#include "app/browse/special_selections.h"
#include "platform/page_widgets.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QScrollBar;
class QToolButton;
class QVBoxLayout;

namespace tavrin {

class TGadgetPage : public QWidget {
    Q_OBJECT

  public:
    TGadgetPage(BrowseHost host, QWidget* parent);
    void ApplyTexts();

    // The controls into the filters in force, and back.
    void ReadFilters() const;
    void ShowFilters();
    // A date in the "Entry Since..." fields, which the next refresh applies.
    void ShowEntryDate(DayNumber day);

  private:
    void BuildMarks(QVBoxLayout* page, QWidget* content);
    void BuildDates(QVBoxLayout* page, QWidget* content);
    void BuildDvdFilters(QVBoxLayout* page, QWidget* content);
    void BuildSelections(QVBoxLayout* page, QWidget* content);
    void BuildOptions(QVBoxLayout* page, QWidget* content);
    void FilterChanged();
    void LowMarkMoved(std::size_t mark, int value);
    void HighMarkMoved(std::size_t mark, int value);
    void EntryDateLeft(int field);
    void EntryDateGoClicked();
    void DvdFilterChanged(DvdFilter filter, int item);
    void RussianRouletteClicked();
    void CalculatePriceClicked();
    void PriceZeroDoubleClicked();

    // A mark range: low and high bars with their mirrors.
    struct MarkRange {
        QGroupBox* frame = nullptr;
        QScrollBar *low = nullptr, *high = nullptr;
        QProgressBar *lowMirror = nullptr, *highMirror = nullptr;
        int BrowseFilters::*lowMember;
        int BrowseFilters::*highMember;
    };
    struct DvdFilterControl {
        DvdFilter filter;
        QGroupBox* frame = nullptr;
        QComboBox* combo = nullptr;
    };

    BrowseHost host_;
    bool showing_ = false;      // the filters are being shown: control signals are not choices
    bool checkingDate_ = false; // a message box of the date check must not check again
    RussianRoulette roulette_;

    QGroupBox* GroupBox16 = nullptr;
    std::array<MarkRange, 3> marks_{};
    QGroupBox *GroupBox17 = nullptr, *TRIDATEBOX = nullptr;
    QLineEdit *TDateAJ1 = nullptr, *TDateAM1 = nullptr, *TDateAA1 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    RadioGroup Watched, TWatched;
    QGroupBox* GroupBox21 = nullptr;
    FilterComboBoxes combos_;
    std::array<DvdFilterControl, DvdFilterCount> dvd_{};
    QGroupBox *GroupBox10 = nullptr, *GroupBox9 = nullptr;
    QToolButton *SpeedButton14 = nullptr, *SpeedButton15 = nullptr;
    QLineEdit *TotalPrice = nullptr, *NbDisc = nullptr, *PriceZero = nullptr;
    RadioGroup PageFlipping, RadioSaveTXT, RadioKeepBackup, VideoPref;
    QToolButton* SpeedButton17 = nullptr;
};

} // namespace tavrin
