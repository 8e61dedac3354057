// Our reader of ZSoft PCX files: 1-, 2-, 4- and 8-bit palette pictures (one plane, or 1-bit EGA
// planes) and 24-bit pictures in three colour planes, run-length encoded (or plain).
#pragma once

#include "store/pictures/picture.h"

namespace tavrin {

// The decoded picture; an empty one for a damaged or unsupported file, or one larger than
// PictureSideLimit a side. Never reads outside bytes.
Picture DecodePcx(std::span<const std::uint8_t> bytes);

} // namespace tavrin
