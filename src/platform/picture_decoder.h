// The picture decoder of the pictures of the MEDIAS folder: Qt's image readers for GIF, JPEG and
// BMP, our own readers for Targa and PCX (Qt's TGA reader takes only uncompressed TGA 2.0 files,
// and Qt has no PCX reader).
#pragma once

#include "store/pictures/picture.h"

#include <QImage>
#include <QString>

namespace tavrin {

// The decoded picture of a file, by its extension without regard to case; a null image for a
// file that cannot be read or decoded. mode is kept for its callers, which always give 1.
QImage NViewLibLoad(const QString& fileName, int mode = 1);

// A picture of our readers as an image, sharing nothing with it.
QImage ImageFromPicture(const Picture& picture);

} // namespace tavrin
