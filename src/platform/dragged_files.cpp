#include "platform/dragged_files.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

namespace tavrin {

QString DraggedLocalFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    const QList<QUrl> urls = mime->urls();
    return !urls.isEmpty() && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

} // namespace tavrin
