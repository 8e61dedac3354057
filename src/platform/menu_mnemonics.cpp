#include "platform/menu_mnemonics.h"

#include "lang/mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>

#include <string>
#include <vector>

namespace tavrin {
namespace {

constexpr char PlainText[] = "tavrinPlainText";
constexpr char MarkedText[] = "tavrinMarkedText";

// The text as the catalogue gave it: a text still carrying our mark gives back what was marked.
std::string ShownText(const QAction* action) {
    const QString text = action->text();
    if (action->property(MarkedText).toString() == text)
        return action->property(PlainText).toString().toStdString();
    return text.toStdString();
}

void MarkActions(const QList<QAction*>& actions) {
    std::vector<QAction*> items;
    std::vector<std::string> texts;
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        items.push_back(action);
        texts.push_back(ShownText(action));
    }
    const auto marked = WithMnemonics(texts);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QString text = QString::fromStdString(marked[i]);
        items[i]->setProperty(PlainText, QString::fromStdString(texts[i]));
        items[i]->setProperty(MarkedText, text);
        items[i]->setText(text);
        if (QMenu* sub = items[i]->menu()) MarkActions(sub->actions());
    }
}

} // namespace

void MarkMnemonics(QMenuBar* bar) {
    MarkActions(bar->actions());
}

} // namespace tavrin
