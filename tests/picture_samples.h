// Pictures written by the tests, the fuzz seeds and the benchmarks: TGA and PCX files of every
// kind the readers take, built byte by byte from a picture.
#pragma once

#include "store/pictures/picture.h"

#include <cstdint>
#include <vector>

namespace tavrin::test {

// A picture whose colours are given by fill(x, y).
template <class Fill> Picture MakePicture(int width, int height, Fill fill) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.pixels.push_back(fill(x, y));
    return p;
}

struct TgaLayout {
    int type = 2;      // 1, 2, 3 (9, 10, 11 run-length)
    int depth = 24;    // bits a pixel
    int mapDepth = 24; // bits a colour-map entry (type 1)
    bool topFirst = false;
    bool rightToLeft = false;
    bool footer = false; // the TGA 2.0 footer and an identification field
};

// The picture as a TGA file. Colour-mapped files take their map from the picture's colours (at
// most 256); grey files store the blue component; 15/16 bits keep the top 5 bits of each.
std::vector<std::uint8_t> MakeTga(const Picture& picture, const TgaLayout& layout);

struct PcxLayout {
    int bits = 8;   // bits a pixel in a plane
    int planes = 3; // 3: 24-bit colour; 1 with 1, 2, 4, 8 bits, or 4 planes of 1 bit: a palette
    bool runLength = true;
};

// The picture as a PCX file (version 5). Palette files take their palette from the picture's
// colours: the header's 16 for up to 4 bits, the 256 at the end for 8 bits.
std::vector<std::uint8_t> MakePcx(const Picture& picture, const PcxLayout& layout);

// The colour a 15/16-bit TGA pixel gives back for c.
std::uint32_t As555(std::uint32_t c);

} // namespace tavrin::test
