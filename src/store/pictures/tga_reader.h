// Our reader of Truevision Targa files: colour-mapped, true-colour and grey images, plain or
// run-length encoded (image types 1, 2, 3, 9, 10, 11), 8, 15, 16, 24 and 32 bits a pixel, either
// origin, with or without the TGA 2.0 footer.
#pragma once

#include "store/pictures/picture.h"

namespace tavrin {

// The decoded picture; an empty one for a damaged or unsupported file, or one larger than
// PictureSideLimit a side. Never reads outside bytes.
Picture DecodeTga(std::span<const std::uint8_t> bytes);

} // namespace tavrin
