// libFuzzer target for our TGA reader (built with TAVRIN_FUZZ_PCX: our PCX reader): any bytes
// give a picture or an empty one, never a crash, an endless loop or an allocation beyond the largest
// picture; a picture holds together.
#include "require.h"
#include "store/pictures/pcx_reader.h"
#include "store/pictures/tga_reader.h"

#include <cstdint>

namespace {

using namespace tavrin;

using fuzz::Require;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
#ifdef TAVRIN_FUZZ_PCX
    const Picture picture = DecodePcx({data, size});
#else
    const Picture picture = DecodeTga({data, size});
#endif
    if (picture.Empty()) {
        Require(picture.width == 0 && picture.height == 0, "an empty picture has no size");
        return 0;
    }
    Require(picture.width > 0 && picture.width <= PictureSideLimit, "the width is within the limit");
    Require(picture.height > 0 && picture.height <= PictureSideLimit, "the height is within the limit");
    Require(picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height,
            "one pixel for each place");
    for (const std::uint32_t p : picture.pixels)
        Require((p >> 24) == 0xFF, "pixels are opaque");
    return 0;
}
