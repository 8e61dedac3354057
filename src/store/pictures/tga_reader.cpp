#include "store/pictures/tga_reader.h"

#include <algorithm>

namespace tavrin {
namespace {

constexpr std::size_t HeaderSize = 18;

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// 5 bits to 8, so that 31 gives 255.
std::uint32_t Widen5(std::uint32_t v) {
    return (v << 3) | (v >> 2);
}

// A 15- or 16-bit pixel: X RRRRR GGGGG BBBBB, little-endian; the attribute bit is not alpha here.
std::uint32_t From555(const std::uint8_t* p) {
    const std::uint32_t v = U16(p);
    return Rgb(Widen5((v >> 10) & 31), Widen5((v >> 5) & 31), Widen5(v & 31));
}

// 15/16 (555), 24 (BGR) and 32 (BGRA) bits, as true-colour pixels and colour-map entries store them.
std::uint32_t FromTrueColour(const std::uint8_t* p, int depth) {
    return depth <= 16 ? From555(p) : Rgb(p[2], p[1], p[0]);
}

// Reads width * height pixels of bytesPerPixel bytes from data at pos into out, in file order,
// each through convert. False when the data ends first.
template <class Convert>
bool ReadPixels(std::span<const std::uint8_t> data, std::size_t pos, bool runLength,
                std::size_t bytesPerPixel, Convert convert, std::vector<std::uint32_t>& out) {
    const std::size_t total = out.size();
    if (!runLength) {
        if ((data.size() - pos) / bytesPerPixel < total) return false;
        const std::uint8_t* p = data.data() + pos;
        for (std::size_t i = 0; i < total; ++i, p += bytesPerPixel)
            out[i] = convert(p);
        return true;
    }
    std::size_t i = 0;
    while (i < total) {
        if (pos >= data.size()) return false;
        const std::uint8_t head = data[pos++];
        // A packet running past the last pixel is cut there.
        const std::size_t count = std::min<std::size_t>((head & 0x7Fu) + 1, total - i);
        if (head & 0x80u) {
            if (data.size() - pos < bytesPerPixel) return false;
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(i), count, convert(data.data() + pos));
            pos += bytesPerPixel;
        } else {
            if ((data.size() - pos) / bytesPerPixel < count) return false;
            const std::uint8_t* p = data.data() + pos;
            for (std::size_t k = 0; k < count; ++k, p += bytesPerPixel)
                out[i + k] = convert(p);
            pos += count * bytesPerPixel;
        }
        i += count;
    }
    return true;
}

} // namespace

Picture DecodeTga(std::span<const std::uint8_t> data) {
    if (data.size() < HeaderSize) return {};
    const std::uint8_t* h = data.data();
    const std::size_t idLength = h[0];
    const int mapType = h[1];
    const int imageType = h[2];
    const std::size_t mapFirst = U16(h + 3);
    const std::size_t mapLength = U16(h + 5);
    const int mapDepth = h[7];
    const int width = U16(h + 12);
    const int height = U16(h + 14);
    const int depth = h[16];
    const int descriptor = h[17];

    if (mapType > 1) return {};
    const bool runLength = imageType >= 9;
    const int baseType = runLength ? imageType - 8 : imageType;
    if (baseType < 1 || baseType > 3) return {};
    if (width == 0 || height == 0 || width > PictureSideLimit || height > PictureSideLimit) return {};
    const auto goodTrueDepth = [](int d) { return d == 15 || d == 16 || d == 24 || d == 32; };
    if (baseType == 1 && (mapType != 1 || (depth != 8 && depth != 16) || !goodTrueDepth(mapDepth))) return {};
    if (baseType == 2 && !goodTrueDepth(depth)) return {};
    if (baseType == 3 && depth != 8 && depth != 16) return {};

    // The identification field and the colour map come before the pixels; a map is skipped when
    // the pixels do not use it.
    std::size_t pos = HeaderSize + idLength;
    std::vector<std::uint32_t> map;
    if (mapType == 1) {
        if (mapDepth == 0 || mapDepth > 32) return {};
        const std::size_t entryBytes = (static_cast<std::size_t>(mapDepth) + 7) / 8;
        if (pos > data.size() || (data.size() - pos) / entryBytes < mapLength) return {};
        if (baseType == 1) {
            map.reserve(mapLength);
            for (std::size_t i = 0; i < mapLength; ++i)
                map.push_back(FromTrueColour(data.data() + pos + i * entryBytes, mapDepth));
        }
        pos += mapLength * entryBytes;
    }
    if (pos > data.size()) return {};

    // Refuse what the remaining bytes cannot hold before allocating: a packet gives at most 128
    // pixels for a head byte and one pixel value.
    const std::size_t bytesPerPixel = (static_cast<std::size_t>(depth) + 7) / 8;
    const std::size_t total = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t available = data.size() - pos;
    const std::size_t needed = runLength ? (total + 127) / 128 * (1 + bytesPerPixel) : total * bytesPerPixel;
    if (available < needed) return {};

    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(total);
    bool complete = false;
    switch (baseType) {
    case 1: {
        const auto lookup = [&map, mapFirst, depth](const std::uint8_t* p) {
            const std::size_t value = depth == 8 ? p[0] : U16(p);
            // An index outside the map is shown black rather than refusing the whole picture.
            return value >= mapFirst && value - mapFirst < map.size() ? map[value - mapFirst] : Rgb(0, 0, 0);
        };
        complete = ReadPixels(data, pos, runLength, bytesPerPixel, lookup, picture.pixels);
        break;
    }
    case 2:
        if (depth <= 16)
            complete = ReadPixels(data, pos, runLength, bytesPerPixel, From555, picture.pixels);
        else
            complete = ReadPixels(
                data, pos, runLength, bytesPerPixel,
                [](const std::uint8_t* p) { return Rgb(p[2], p[1], p[0]); }, picture.pixels);
        break;
    default: // grey, with an alpha byte at 16 bits
        complete = ReadPixels(
            data, pos, runLength, bytesPerPixel, [](const std::uint8_t* p) { return Rgb(p[0], p[0], p[0]); },
            picture.pixels);
        break;
    }
    if (!complete) return {};

    // Stored from the bottom row up unless the descriptor says top first; right to left when it
    // says so.
    const auto w = static_cast<std::ptrdiff_t>(width);
    if (!(descriptor & 0x20))
        for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(picture.pixels.begin() + top * w, picture.pixels.begin() + (top + 1) * w,
                             picture.pixels.begin() + bottom * w);
    if (descriptor & 0x10)
        for (int row = 0; row < height; ++row)
            std::reverse(picture.pixels.begin() + row * w, picture.pixels.begin() + (row + 1) * w);
    return picture;
}

} // namespace tavrin
