#include "store/pictures/pcx_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tavrin {
namespace {

constexpr std::size_t HeaderSize = 128;
constexpr std::size_t PaletteSize = 769; // 0x0C and 256 RGB triples, at the end of 8-bit files

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Run-length decoding of one scan line after another. A run may go on into the next line, as
// some writers let it.
class LineReader {
  public:
    LineReader(std::span<const std::uint8_t> data, std::size_t end, bool runLength)
        : data_(data), end_(end), runLength_(runLength) {}

    // Fills line; false when the data ends first.
    bool Next(std::vector<std::uint8_t>& line) {
        std::size_t k = 0;
        const std::size_t n = line.size();
        if (!runLength_) {
            if (end_ - pos_ < n) return false;
            std::memcpy(line.data(), data_.data() + pos_, n);
            pos_ += n;
            return true;
        }
        while (k < n) {
            if (runLeft_ > 0) {
                const std::size_t m = std::min(runLeft_, n - k);
                std::memset(line.data() + k, runValue_, m);
                k += m;
                runLeft_ -= m;
                continue;
            }
            if (pos_ >= end_) return false;
            const std::uint8_t c = data_[pos_++];
            if ((c & 0xC0u) != 0xC0u) {
                line[k++] = c;
                continue;
            }
            if (pos_ >= end_) return false;
            runLeft_ = c & 0x3Fu;
            runValue_ = data_[pos_++];
        }
        return true;
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t end_;
    bool runLength_;
    std::size_t pos_ = HeaderSize;
    std::size_t runLeft_ = 0;
    std::uint8_t runValue_ = 0;
};

} // namespace

Picture DecodePcx(std::span<const std::uint8_t> data) {
    if (data.size() < HeaderSize) return {};
    const std::uint8_t* h = data.data();
    if (h[0] != 0x0A || h[1] > 5 || h[2] > 1) return {};
    const bool runLength = h[2] == 1;
    const int bits = h[3];
    const int xMin = U16(h + 4), yMin = U16(h + 6), xMax = U16(h + 8), yMax = U16(h + 10);
    const int planes = h[65];
    const std::size_t bytesPerLine = U16(h + 66);
    if (xMax < xMin || yMax < yMin) return {};
    const int width = xMax - xMin + 1;
    const int height = yMax - yMin + 1;
    if (width > PictureSideLimit || height > PictureSideLimit) return {};

    const bool packed = planes == 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
    const bool egaPlanes = bits == 1 && planes >= 2 && planes <= 4;
    const bool colourPlanes = bits == 8 && (planes == 3 || planes == 4);
    if (!packed && !egaPlanes && !colourPlanes) return {};
    if (bytesPerLine < (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 7) / 8) return {};

    // The palette: 256 colours at the end of an 8-bit file, else the 16 of the header.
    std::array<std::uint32_t, 256> palette{};
    std::size_t end = data.size();
    if (packed && bits == 8) {
        if (data.size() >= HeaderSize + PaletteSize && data[data.size() - PaletteSize] == 0x0C) {
            end = data.size() - PaletteSize;
            const std::uint8_t* p = data.data() + end + 1;
            for (std::size_t i = 0; i < 256; ++i)
                palette[i] = Rgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
        } else {
            for (std::uint32_t i = 0; i < 256; ++i) // no palette: grey levels
                palette[i] = Rgb(i, i, i);
        }
    } else if (!colourPlanes) {
        for (std::size_t i = 0; i < 16; ++i)
            palette[i] = Rgb(h[16 + 3 * i], h[17 + 3 * i], h[18 + 3 * i]);
        // Monochrome files often leave the header palette empty: black and white then.
        if (bits == 1 && planes == 1 && palette[0] == palette[1]) {
            palette[0] = Rgb(0, 0, 0);
            palette[1] = Rgb(255, 255, 255);
        }
    }

    // Refuse what the bytes cannot hold before allocating: two bytes give at most 63 decoded ones.
    const std::size_t lineBytes = bytesPerLine * static_cast<std::size_t>(planes);
    const std::size_t decoded = lineBytes * static_cast<std::size_t>(height);
    const std::size_t available = end - HeaderSize;
    if (runLength ? available < decoded / 63 : available < decoded) return {};

    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::vector<std::uint8_t> line(lineBytes);
    LineReader reader(data, end, runLength);
    const auto w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        if (!reader.Next(line)) return {};
        std::uint32_t* out = picture.pixels.data() + y * w;
        const std::uint8_t* l = line.data();
        if (colourPlanes) {
            const std::uint8_t* g = l + bytesPerLine;
            const std::uint8_t* b = g + bytesPerLine;
            for (std::size_t x = 0; x < w; ++x)
                out[x] = Rgb(l[x], g[x], b[x]);
        } else if (packed && bits == 8) {
            for (std::size_t x = 0; x < w; ++x)
                out[x] = palette[l[x]];
        } else if (packed) {
            const std::size_t perByte = 8 / static_cast<std::size_t>(bits);
            const unsigned mask = (1u << bits) - 1;
            for (std::size_t x = 0; x < w; ++x) {
                const unsigned shift = static_cast<unsigned>(8 - bits * static_cast<int>(x % perByte + 1));
                out[x] = palette[(l[x / perByte] >> shift) & mask];
            }
        } else { // one bit of the index in each plane
            for (std::size_t x = 0; x < w; ++x) {
                unsigned index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((l[static_cast<std::size_t>(p) * bytesPerLine + x / 8] >> (7 - x % 8)) & 1u)
                             << p;
                out[x] = palette[index];
            }
        }
    }
    return picture;
}

} // namespace tavrin
