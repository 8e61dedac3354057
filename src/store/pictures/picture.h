// A decoded picture as the picture readers give it: 32-bit pixels, rows from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrin {

// A cover picture is never larger than this a side; a file announcing more is refused before
// anything is allocated for it.
inline constexpr int PictureSideLimit = 16384;

struct Picture {
    int width = 0;
    int height = 0;
    // width * height pixels as 0xFFRRGGBB, row by row from the top left (the layout of a 32-bit
    // RGB image in memory on a little-endian machine).
    std::vector<std::uint32_t> pixels;

    bool Empty() const { return pixels.empty(); }
};

inline constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The picture as a binary PPM file (P6, maxval 255); nothing for an empty picture.
std::vector<std::uint8_t> PortablePixmap(const Picture& picture);

} // namespace tavrin
