#include "platform/page_widgets.h"

#include "platform/text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrin {
namespace {

class DoubleClickFilter : public QObject {
  public:
    DoubleClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            action_();
            return true;
        }
        return false;
    }

  private:
    std::function<void()> action_;
};

} // namespace

void OnDoubleClick(QWidget* control, std::function<void()> action) {
    control->installEventFilter(new DoubleClickFilter(control, std::move(action)));
}

QComboBox* NamedCombo(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    combo->setMaxVisibleItems(20);
    return combo;
}

QCheckBox* NamedCheck(const char* name, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QGroupBox* NamedGroup(const char* name, QWidget* parent) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

QToolButton* NamedButton(const char* name, QWidget* parent, const QString& text) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLineEdit* NamedEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QLineEdit* ViewField(const char* name, QWidget* parent) {
    QLineEdit* edit = NamedEdit(name, parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

void MakeDisplayOnly(QWidget* control) {
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
    control->setFocusPolicy(Qt::NoFocus);
}

RadioGroup NamedRadioGroup(const char* name, QWidget* parent, int items) {
    RadioGroup group;
    group.frame = NamedGroup(name, parent);
    group.buttons = new QButtonGroup(group.frame);
    auto* layout = new QVBoxLayout(group.frame);
    Tighten(layout);
    for (int i = 0; i < items; ++i) {
        auto* item = new QRadioButton(group.frame);
        item->setObjectName(QLatin1String(name) + QString::number(i));
        group.buttons->addButton(item, i);
        group.items[static_cast<std::size_t>(i)] = item;
        layout->addWidget(item);
    }
    return group;
}

void Tighten(QLayout* layout) {
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
}

QWidget* ScrolledContent(QWidget* page) {
    auto* scroll = new QScrollArea(page);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // The pages fit the designed width; only a short screen scrolls them.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(scroll);
    QFont compact = content->font();
    compact.setPointSizeF(std::max(7.0, compact.pointSizeF() - 1.5));
    content->setFont(compact);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return content;
}

QVBoxLayout* PageColumn(QWidget* content) {
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    return column;
}

void RefillCombo(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker quiet(combo);
    const int index = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(index >= 0 && index < items.size() ? index : items.size() - 1);
}

void RefillComboNeutral(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(static_cast<int>(items.size()) - 1);
}

QStringList FixedItems(std::span<const std::string_view> names) {
    QStringList items;
    for (auto name : names)
        items << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return items;
}

QStringList CatalogueItems(const MessageCatalogue& catalogue, std::span<const Msg> entries) {
    QStringList items;
    for (Msg m : entries)
        items << QText(catalogue, m);
    return items;
}

void SetRadioTexts(RadioGroup& group, const QStringList& texts) {
    for (qsizetype i = 0; i < texts.size() && i < static_cast<qsizetype>(group.items.size()); ++i)
        if (group.items[static_cast<std::size_t>(i)])
            group.items[static_cast<std::size_t>(i)]->setText(texts[i]);
}

} // namespace tavrin
