// Files dropped on the main window: each opens the way its own command would open it, decided by
// RouteDroppedPath; a multimedia file goes to the current title.
#include "app/main_window.h"

#include "editing/media_drop.h"
#include "exchange/dropped_file.h"
#include "platform/dragged_files.h"
#include "platform/text.h"
#include "platform/user_prompts.h"

#include <QDropEvent>
#include <QMimeData>

namespace tavrin {

void TLDF1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TLDF1::dragMoveEvent(QDragMoveEvent* event) {
    if (!DraggedLocalFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TLDF1::dropEvent(QDropEvent* event) {
    const QString fileName = DraggedLocalFile(event->mimeData());
    if (fileName.isEmpty()) return;
    event->acceptProposedAction();
    OpenDroppedFile(fileName);
}

void TLDF1::OpenDroppedFile(const QString& fileName) {
    // Without a collection the imports are not offered, as in the FILES menu.
    switch (RouteDroppedPath(PathFromQString(fileName))) {
    case DropRoute::OpenCollection:
        if (ConfirmChanges()) LoadCollection(fileName);
        return;
    case DropRoute::ImportTable:
        if (ImportTable1->isEnabled()) ImportTableFile(fileName);
        return;
    case DropRoute::ImportCatalogue:
        if (ImportCatalogue1->isEnabled()) ImportCatalogueFile(fileName);
        return;
    case DropRoute::AddMedia: {
        const auto record = CurrentRecord();
        if (!record) {
            prompts_->ShowMessage(QText(catalogue_, Msg::MsgDropNoTitle));
            return;
        }
        const auto dropped =
            DropMediaOnTitle(document_, *record, std::nullopt, PathFromQString(fileName), folders_.medias);
        if (!dropped)
            prompts_->ShowMessage(QString::fromStdString(MediaDropText(catalogue_, dropped.error())));
        return;
    }
    case DropRoute::Unknown:
        prompts_->ShowMessage(QText(catalogue_, Msg::MsgDropUnknownFile) + QLatin1Char('\n') + fileName);
        return;
    }
}

} // namespace tavrin
