// Small builders shared by the browse pages: named controls sized for the designed window.
#pragma once

#include "app/browse/browse_pages.h"
#include "lang/catalogue.h"

#include <QString>

#include <functional>
#include <span>
#include <string_view>

class QGridLayout;
class QLayout;
class QVBoxLayout;
class QScrollArea;

namespace tavrin {

QComboBox* NamedCombo(const char* name, QWidget* parent);
QCheckBox* NamedCheck(const char* name, QWidget* parent);
QGroupBox* NamedGroup(const char* name, QWidget* parent);
QToolButton* NamedButton(const char* name, QWidget* parent, const QString& text = {});
QLineEdit* NamedEdit(const char* name, QWidget* parent);
// A field of the title view: read-only, out of the tab order.
QLineEdit* ViewField(const char* name, QWidget* parent);
// A control that shows a value but takes no input, without looking disabled.
void MakeDisplayOnly(QWidget* control);
// A radio group with its items named name0, name1, ..
RadioGroup NamedRadioGroup(const char* name, QWidget* parent, int items);
// Runs action when the control is double-clicked.
void OnDoubleClick(QWidget* control, std::function<void()> action);
// Tight margins for the many small groups of the pages.
void Tighten(QLayout* layout);
// The page's content in a scroll area, so nothing is cut off on a small screen.
QWidget* ScrolledContent(QWidget* page);
// The column the page's groups stand in, top to bottom.
QVBoxLayout* PageColumn(QWidget* content);

// Refills a combo with texts, keeping its selected index (a language switch).
void RefillCombo(QComboBox* combo, const QStringList& items);
// Refills a combo and selects its last item, the neutral one of the filter lists.
void RefillComboNeutral(QComboBox* combo, const QStringList& items);
QStringList FixedItems(std::span<const std::string_view> names);
QStringList CatalogueItems(const MessageCatalogue& catalogue, std::span<const Msg> entries);
void SetRadioTexts(RadioGroup& group, const QStringList& texts);

} // namespace tavrin
