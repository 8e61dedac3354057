#include "editing/name_list_host.h"

#include "editing/name_list_operations.h"
#include "platform/text.h"

#include <QDialog>

namespace tavrin {

void PickOrAddAndClose(NameListHost& host, ListId list, std::string_view typed, QDialog& dialog,
                       std::function<void(int)>& picked, const std::function<void()>& added) {
    const auto result = PickOrAddName(host.collection, list, typed);
    if (!result) {
        host.prompts.ShowMessage(QText(host.catalogue, result.error()));
        return;
    }
    if (result->added) added();
    const auto callback = std::move(picked);
    picked = nullptr;
    dialog.accept();
    if (callback) callback(result->entry);
}

} // namespace tavrin
