#include "picture_samples.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tavrin::test {
namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

std::vector<std::uint32_t> Palette(const Picture& p) {
    std::vector<std::uint32_t> colours;
    for (std::uint32_t c : p.pixels)
        if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    if (colours.size() > 256) throw std::invalid_argument("more than 256 colours for a palette");
    return colours;
}

unsigned IndexOf(const std::vector<std::uint32_t>& palette, std::uint32_t c) {
    return static_cast<unsigned>(std::find(palette.begin(), palette.end(), c) - palette.begin());
}

unsigned R(std::uint32_t c) {
    return (c >> 16) & 0xFF;
}
unsigned G(std::uint32_t c) {
    return (c >> 8) & 0xFF;
}
unsigned B(std::uint32_t c) {
    return c & 0xFF;
}

// One pixel of a TGA file: true colour as stored (BGR(A) or 555), or an index.
void PutTgaColour(std::vector<std::uint8_t>& out, std::uint32_t c, int depth) {
    if (depth <= 16) {
        Put16(out, ((R(c) >> 3) << 10) | ((G(c) >> 3) << 5) | (B(c) >> 3));
        return;
    }
    out.push_back(static_cast<std::uint8_t>(B(c)));
    out.push_back(static_cast<std::uint8_t>(G(c)));
    out.push_back(static_cast<std::uint8_t>(R(c)));
    if (depth == 32) out.push_back(0xFF);
}

} // namespace

std::uint32_t As555(std::uint32_t c) {
    const auto widen = [](unsigned v) { return ((v >> 3) << 3) | (v >> 5); };
    return Rgb(widen(R(c)), widen(G(c)), widen(B(c)));
}

std::vector<std::uint8_t> MakeTga(const Picture& picture, const TgaLayout& layout) {
    const int base = layout.type > 8 ? layout.type - 8 : layout.type;
    const std::vector<std::uint32_t> map = base == 1 ? Palette(picture) : std::vector<std::uint32_t>{};
    const std::string id = layout.footer ? "made by a test" : "";
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>(id.size()));
    out.push_back(base == 1 ? 1 : 0);
    out.push_back(static_cast<std::uint8_t>(layout.type));
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(map.size()));
    out.push_back(static_cast<std::uint8_t>(base == 1 ? layout.mapDepth : 0));
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(picture.width));
    Put16(out, static_cast<unsigned>(picture.height));
    out.push_back(static_cast<std::uint8_t>(layout.depth));
    out.push_back(static_cast<std::uint8_t>((layout.topFirst ? 0x20 : 0) | (layout.rightToLeft ? 0x10 : 0) |
                                            (layout.depth == 32 ? 8 : 0)));
    out.insert(out.end(), id.begin(), id.end());
    for (std::uint32_t c : map)
        PutTgaColour(out, c, layout.mapDepth);

    // The pixels in file order, each as its stored bytes.
    std::vector<std::vector<std::uint8_t>> stored;
    for (int row = 0; row < picture.height; ++row) {
        const int y = layout.topFirst ? row : picture.height - 1 - row;
        for (int col = 0; col < picture.width; ++col) {
            const int x = layout.rightToLeft ? picture.width - 1 - col : col;
            const std::uint32_t c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            std::vector<std::uint8_t> v;
            if (base == 1) {
                const unsigned index = IndexOf(map, c);
                if (layout.depth == 8)
                    v.push_back(static_cast<std::uint8_t>(index));
                else
                    Put16(v, index);
            } else if (base == 3) {
                v.push_back(static_cast<std::uint8_t>(B(c)));
                if (layout.depth == 16) v.push_back(0xFF);
            } else {
                PutTgaColour(v, c, layout.depth);
            }
            stored.push_back(std::move(v));
        }
    }
    if (layout.type < 9) {
        for (const auto& v : stored)
            out.insert(out.end(), v.begin(), v.end());
    } else {
        // Packets over the whole pixel sequence, so runs go on across rows.
        std::size_t i = 0;
        while (i < stored.size()) {
            std::size_t run = 1;
            while (i + run < stored.size() && run < 128 && stored[i + run] == stored[i])
                ++run;
            if (run >= 2) {
                out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
                out.insert(out.end(), stored[i].begin(), stored[i].end());
                i += run;
                continue;
            }
            std::size_t raw = 1;
            while (i + raw < stored.size() && raw < 128 &&
                   (i + raw + 1 >= stored.size() || stored[i + raw] != stored[i + raw + 1]))
                ++raw;
            out.push_back(static_cast<std::uint8_t>(raw - 1));
            for (std::size_t k = 0; k < raw; ++k)
                out.insert(out.end(), stored[i + k].begin(), stored[i + k].end());
            i += raw;
        }
    }
    if (layout.footer) {
        for (int k = 0; k < 8; ++k)
            out.push_back(0);
        const char mark[] = "TRUEVISION-XFILE.";
        out.insert(out.end(), mark, mark + sizeof mark); // with its NUL
    }
    return out;
}

std::vector<std::uint8_t> MakePcx(const Picture& picture, const PcxLayout& layout) {
    const bool colour = layout.planes >= 3 && layout.bits == 8;
    const std::vector<std::uint32_t> palette = colour ? std::vector<std::uint32_t>{} : Palette(picture);
    const std::size_t w = static_cast<std::size_t>(picture.width);
    std::size_t bytesPerLine = (w * static_cast<std::size_t>(layout.bits) + 7) / 8;
    bytesPerLine += bytesPerLine % 2; // lines are an even number of bytes

    std::vector<std::uint8_t> out(128, 0);
    out[0] = 0x0A;
    out[1] = 5;
    out[2] = layout.runLength ? 1 : 0;
    out[3] = static_cast<std::uint8_t>(layout.bits);
    const auto set16 = [&out](std::size_t at, unsigned v) {
        out[at] = static_cast<std::uint8_t>(v);
        out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    set16(8, static_cast<unsigned>(picture.width - 1));
    set16(10, static_cast<unsigned>(picture.height - 1));
    set16(12, 72);
    set16(14, 72);
    if (!colour && layout.bits * layout.planes <= 4)
        for (std::size_t i = 0; i < palette.size() && i < 16; ++i) {
            out[16 + 3 * i] = static_cast<std::uint8_t>(R(palette[i]));
            out[17 + 3 * i] = static_cast<std::uint8_t>(G(palette[i]));
            out[18 + 3 * i] = static_cast<std::uint8_t>(B(palette[i]));
        }
    out[65] = static_cast<std::uint8_t>(layout.planes);
    set16(66, static_cast<unsigned>(bytesPerLine));
    set16(68, 1);

    std::vector<std::uint8_t> plane(bytesPerLine);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * w;
        for (int p = 0; p < layout.planes; ++p) {
            std::fill(plane.begin(), plane.end(), 0);
            for (std::size_t x = 0; x < w; ++x) {
                if (colour) {
                    const unsigned shift = 16 - 8 * static_cast<unsigned>(p);
                    plane[x] = p < 3 ? static_cast<std::uint8_t>(row[x] >> shift) : 0xFF;
                } else if (layout.planes > 1) {
                    const unsigned index = IndexOf(palette, row[x]);
                    plane[x / 8] |= static_cast<std::uint8_t>(((index >> p) & 1u) << (7 - x % 8));
                } else {
                    const unsigned index = IndexOf(palette, row[x]);
                    const std::size_t perByte = 8 / static_cast<std::size_t>(layout.bits);
                    const unsigned shift =
                        static_cast<unsigned>(8 - layout.bits * static_cast<int>(x % perByte + 1));
                    plane[x / perByte] |= static_cast<std::uint8_t>(index << shift);
                }
            }
            if (!layout.runLength) {
                out.insert(out.end(), plane.begin(), plane.end());
                continue;
            }
            std::size_t i = 0;
            while (i < plane.size()) {
                std::size_t run = 1;
                while (i + run < plane.size() && run < 63 && plane[i + run] == plane[i])
                    ++run;
                if (run > 1 || plane[i] >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
                out.push_back(plane[i]);
                i += run;
            }
        }
    }
    if (!colour && layout.bits == 8) {
        out.push_back(0x0C);
        for (std::size_t i = 0; i < 256; ++i) {
            const std::uint32_t c = i < palette.size() ? palette[i] : 0;
            out.push_back(static_cast<std::uint8_t>(R(c)));
            out.push_back(static_cast<std::uint8_t>(G(c)));
            out.push_back(static_cast<std::uint8_t>(B(c)));
        }
    }
    return out;
}

} // namespace tavrin::test
