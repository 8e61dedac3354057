// The picture codec of the windows and of tavrin-cli when it is built with Qt: Qt's image readers
// and writers for JPEG, PNG, GIF and BMP, our own readers for Targa and PCX.
#pragma once

#include "store/pictures/picture_codec.h"

namespace tavrin {

PictureCodec QtPictureCodec();

} // namespace tavrin
