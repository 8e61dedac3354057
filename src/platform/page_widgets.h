// Small builders shared by the main window's pages and the title editor: named controls sized for
// the designed windows.
#pragma once

#include "lang/catalogue.h"

#include <QString>

#include <array>
#include <functional>
#include <span>
#include <string_view>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLayout;
class QLineEdit;
class QRadioButton;
class QScrollArea;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace tavrin {

// A radio group: its frame and the buttons in item order.
struct RadioGroup {
    QGroupBox* frame = nullptr;
    QButtonGroup* buttons = nullptr;
    std::array<QRadioButton*, 3> items{};
};

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
