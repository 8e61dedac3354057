// The picture conversions the commands can make: Qt's image readers and writers when the command
// line is built with Qt, none otherwise (covers in formats the program shows are copied as they
// are either way).
#pragma once

#include "store/pictures/picture_codec.h"

namespace tavrin::cli {

const PictureCodec& CliPictureCodec();

} // namespace tavrin::cli
