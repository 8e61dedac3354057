// Files dragged onto a window from the desktop's file manager.
#pragma once

#include <QString>

class QMimeData;

namespace tavrin {

// The first file a drag carries, when it is a local one; "" otherwise.
QString DraggedLocalFile(const QMimeData* mime);

} // namespace tavrin
