// The combo boxes of the filter combos a page shows, made and named from FilterCombos: what they
// hold is read into the filters and the filters shown in them alike for every combo.
#pragma once

#include "app/browse/browse_filters.h"

#include <string_view>
#include <utility>
#include <vector>

class QComboBox;
class QWidget;

namespace tavrin {

class FilterComboBoxes {
  public:
    // The box of the combo of that control name, named after it.
    QComboBox* Add(std::string_view name, QWidget* parent);

    // An empty box keeps the value in force.
    void Read(BrowseFilters& f) const;
    void Show(const BrowseFilters& f);

  private:
    std::vector<std::pair<const FilterCombo*, QComboBox*>> boxes_;
};

} // namespace tavrin
