#include "app/browse/filter_combo_widgets.h"

#include "platform/page_widgets.h"

#include <QComboBox>

#include <cassert>
#include <string>

namespace tavrin {
namespace {

// The items of a box stand for their index, or, when they carry data (the genres, sorted by
// their names), for that code.
bool Coded(const QComboBox* box) {
    return box->count() > 0 && box->itemData(0).isValid();
}

} // namespace

QComboBox* FilterComboBoxes::Add(std::string_view name, QWidget* parent) {
    const FilterCombo* combo = FilterComboNamed(name);
    assert(combo);
    QComboBox* box = NamedCombo(std::string(name).c_str(), parent);
    boxes_.emplace_back(combo, box);
    return box;
}

void FilterComboBoxes::Read(BrowseFilters& f) const {
    for (const auto& [combo, box] : boxes_)
        if (box->currentIndex() >= 0)
            combo->ValueIn(f) = Coded(box) ? box->currentData().toInt() : box->currentIndex();
}

void FilterComboBoxes::Show(const BrowseFilters& f) {
    for (const auto& [combo, box] : boxes_) {
        const int value = combo->ValueIn(f);
        box->setCurrentIndex(Coded(box) ? box->findData(value) : value);
    }
}

} // namespace tavrin
