// The TGA and PCX readers: every kind of file they take decodes to the picture written, and a
// damaged, cut or oversized file gives an empty picture.
#include "picture_samples.h"
#include "store/pictures/pcx_reader.h"
#include "store/pictures/picture_file.h"
#include "store/pictures/tga_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

using test::MakePcx;
using test::MakePicture;
using test::MakeTga;
using test::PcxLayout;
using test::TgaLayout;

// Colours that every depth keeps: components whose low bits repeat their high bits as 555 does.
constexpr std::uint32_t Colours[] = {Rgb(0, 0, 0),     Rgb(255, 255, 255), Rgb(255, 0, 0),   Rgb(0, 132, 0),
                                     Rgb(16, 33, 255), Rgb(189, 123, 66),  Rgb(255, 255, 0), Rgb(74, 74, 74)};

// 7 by 5, with runs (the first two rows end and start alike) and every colour of Colours.
Picture Sample(int colours = 8) {
    return MakePicture(7, 5, [colours](int x, int y) {
        if (y < 2 && x > 3) return Colours[1];
        if (y == 1 && x < 2) return Colours[1];
        return Colours[static_cast<std::size_t>((x + 3 * y) % colours)];
    });
}

Picture Grey(const Picture& p) {
    Picture g = p;
    for (auto& c : g.pixels)
        c = Rgb(c & 0xFF, c & 0xFF, c & 0xFF);
    return g;
}

Picture Quantized(const Picture& p) {
    Picture q = p;
    for (auto& c : q.pixels)
        c = test::As555(c);
    return q;
}

void ExpectSame(const Picture& got, const Picture& want) {
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    EXPECT_EQ(got.pixels, want.pixels);
}

TEST(TgaReaderTest, DecodesEveryTypeDepthAndOrigin) {
    const Picture sample = Sample();
    struct Case {
        int type, depth, mapDepth;
    };
    const Case cases[] = {{1, 8, 24}, {1, 8, 32},  {1, 8, 16},  {1, 8, 15},  {1, 16, 24},
                          {9, 8, 24}, {9, 8, 16},  {2, 15, 0},  {2, 16, 0},  {2, 24, 0},
                          {2, 32, 0}, {10, 15, 0}, {10, 16, 0}, {10, 24, 0}, {10, 32, 0},
                          {3, 8, 0},  {3, 16, 0},  {11, 8, 0},  {11, 16, 0}};
    for (const Case& c : cases)
        for (int origin = 0; origin < 4; ++origin)
            for (bool footer : {false, true}) {
                SCOPED_TRACE("type " + std::to_string(c.type) + " depth " + std::to_string(c.depth) +
                             " map " + std::to_string(c.mapDepth) + " origin " + std::to_string(origin) +
                             (footer ? " footer" : ""));
                TgaLayout layout{c.type, c.depth, c.mapDepth, (origin & 1) != 0, (origin & 2) != 0, footer};
                const int base = c.type > 8 ? c.type - 8 : c.type;
                Picture want = base == 3 ? Grey(sample) : sample;
                if (c.depth <= 16 && base == 2) want = Quantized(want);
                if (base == 1 && c.mapDepth <= 16) want = Quantized(want);
                ExpectSame(DecodeTga(MakeTga(base == 3 ? Grey(sample) : sample, layout)), want);
            }
}

TEST(TgaReaderTest, DamagedFilesGiveAnEmptyPicture) {
    const Picture sample = Sample();
    // Every cut of a file without footer loses pixels.
    for (const TgaLayout& layout :
         {TgaLayout{2, 24}, TgaLayout{10, 32}, TgaLayout{9, 8, 24}, TgaLayout{1, 8, 16}}) {
        const auto bytes = MakeTga(sample, layout);
        for (std::size_t n = 0; n < bytes.size(); ++n)
            EXPECT_TRUE(DecodeTga(std::span(bytes).first(n)).Empty())
                << "type " << layout.type << " cut at " << n;
    }
    const auto good = MakeTga(sample, {2, 24});
    const auto patched = [&](std::size_t at, std::uint8_t value) {
        auto b = good;
        b[at] = value;
        return DecodeTga(b);
    };
    EXPECT_TRUE(patched(2, 0).Empty());   // no image
    EXPECT_TRUE(patched(2, 32).Empty());  // Huffman-coded, not taken
    EXPECT_TRUE(patched(1, 2).Empty());   // unknown colour-map type
    EXPECT_TRUE(patched(16, 12).Empty()); // no such depth
    EXPECT_TRUE(patched(12, 0).Empty());  // no width
    EXPECT_TRUE(patched(0, 255).Empty()); // an identification field past the end
    // A colour-mapped file without its map.
    auto unmapped = MakeTga(sample, {1, 8, 24});
    unmapped[1] = 0;
    EXPECT_TRUE(DecodeTga(unmapped).Empty());
}

TEST(TgaReaderTest, RefusesOversizedPicturesAndShowsStrayIndicesBlack) {
    const auto header = [](unsigned width, unsigned height, int type) {
        std::vector<std::uint8_t> b(18, 0);
        b[2] = static_cast<std::uint8_t>(type);
        b[12] = static_cast<std::uint8_t>(width);
        b[13] = static_cast<std::uint8_t>(width >> 8);
        b[14] = static_cast<std::uint8_t>(height);
        b[15] = static_cast<std::uint8_t>(height >> 8);
        b[16] = 8;
        b[17] = 0x20;
        return b;
    };
    // A whole grey row of the largest width decodes; one pixel more is refused.
    auto widest = header(PictureSideLimit, 1, 3);
    widest.resize(widest.size() + PictureSideLimit, 7);
    EXPECT_EQ(DecodeTga(widest).width, PictureSideLimit);
    auto wider = header(PictureSideLimit + 1, 1, 3);
    wider.resize(wider.size() + PictureSideLimit + 1, 7);
    EXPECT_TRUE(DecodeTga(wider).Empty());
    // A huge run-length picture announced by a few bytes is refused before it is allocated.
    auto huge = header(PictureSideLimit, PictureSideLimit, 11);
    huge.insert(huge.end(), {0xFF, 1, 0xFF, 1});
    EXPECT_TRUE(DecodeTga(huge).Empty());

    // Indices beyond a two-colour map.
    auto mapped = MakeTga(MakePicture(2, 1, [](int x, int) { return Colours[x]; }), {1, 8, 24, true});
    mapped.back() = 9;
    const Picture p = DecodeTga(mapped);
    ASSERT_EQ(p.pixels.size(), 2u);
    EXPECT_EQ(p.pixels[1], Rgb(0, 0, 0));
}

TEST(PcxReaderTest, DecodesEveryPaletteAndColourLayout) {
    struct Case {
        int bits, planes, colours;
    };
    const Case cases[] = {{8, 3, 8}, {8, 4, 8}, {8, 1, 8}, {4, 1, 8}, {2, 1, 4}, {1, 4, 8}, {1, 1, 2}};
    for (const Case& c : cases)
        for (bool runLength : {true, false}) {
            SCOPED_TRACE(std::to_string(c.bits) + " bits, " + std::to_string(c.planes) + " planes" +
                         (runLength ? ", run-length" : ""));
            const Picture sample = Sample(c.colours);
            ExpectSame(DecodePcx(MakePcx(sample, {c.bits, c.planes, runLength})), sample);
        }
    // A wide picture: runs longer than 63 bytes and rows of odd width.
    const Picture wide =
        MakePicture(301, 3, [](int x, int y) { return x < 200 ? Colours[y] : Colours[x % 8]; });
    ExpectSame(DecodePcx(MakePcx(wide, {8, 3})), wide);
    ExpectSame(DecodePcx(MakePcx(wide, {8, 1})), wide);
}

TEST(PcxReaderTest, MonochromeWithoutPaletteIsBlackAndWhite) {
    const Picture sample = MakePicture(9, 2, [](int x, int y) { return Colours[(x + y) % 2]; });
    auto bytes = MakePcx(sample, {1, 1});
    std::fill(bytes.begin() + 16, bytes.begin() + 64, 0);
    ExpectSame(DecodePcx(bytes), sample);
}

TEST(PcxReaderTest, DamagedFilesGiveAnEmptyPicture) {
    const Picture sample = Sample();
    for (const PcxLayout& layout : {PcxLayout{8, 3}, PcxLayout{4, 1}, PcxLayout{1, 4, false}}) {
        const auto bytes = MakePcx(sample, layout);
        for (std::size_t n = 0; n < bytes.size(); ++n)
            EXPECT_TRUE(DecodePcx(std::span(bytes).first(n)).Empty()) << layout.bits << " bits, cut at " << n;
    }
    const auto good = MakePcx(sample, {8, 3});
    const auto patched = [&](std::size_t at, std::uint8_t value) {
        auto b = good;
        b[at] = value;
        return DecodePcx(b);
    };
    EXPECT_TRUE(patched(0, 0x0B).Empty()); // not a PCX mark
    EXPECT_TRUE(patched(2, 2).Empty());    // unknown encoding
    EXPECT_TRUE(patched(3, 3).Empty());    // no such depth
    EXPECT_TRUE(patched(65, 2).Empty());   // two 8-bit planes
    EXPECT_TRUE(patched(66, 2).Empty());   // lines shorter than the width
    EXPECT_TRUE(patched(9, 0x40).Empty()); // 16385 wide
    auto tall = good;                      // 16384 high, announced by a small file: refused before allocating
    tall[10] = 0xFF;
    tall[11] = 0x3F;
    EXPECT_TRUE(DecodePcx(tall).Empty());
    auto inverted = good;
    inverted[4] = 10; // xMin beyond xMax
    EXPECT_TRUE(DecodePcx(inverted).Empty());
}

TEST(PictureFileTest, ChoosesTheReaderAndWritesPortablePixmaps) {
    test::TempDir dir;
    const Picture sample = MakePicture(2, 1, [](int x, int) { return Colours[x + 2]; });
    test::WriteBytes(dir / "a.tga", MakeTga(sample, {2, 24}));
    test::WriteBytes(dir / "B.PCX", MakePcx(sample, {8, 3}));
    test::WriteBytes(dir / "c.bin", MakePcx(sample, {8, 3}));
    test::WriteBytes(dir / "bad.tga", {1, 2, 3});
    for (const char* name : {"a.tga", "B.PCX", "c.bin"}) {
        const auto loaded = LoadPictureFile(dir / name);
        ASSERT_TRUE(loaded) << name;
        EXPECT_EQ(loaded->pixels, sample.pixels) << name;
    }
    EXPECT_EQ(LoadPictureFile(dir / "bad.tga").error().error, FileError::Invalid);
    EXPECT_EQ(LoadPictureFile(dir / "none.tga").error().error, FileError::NotFound);

    const auto ppm = PortablePixmap(sample);
    const std::string head = "P6\n2 1\n255\n";
    ASSERT_EQ(ppm.size(), head.size() + 6);
    EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + static_cast<std::ptrdiff_t>(head.size())), head);
    EXPECT_EQ(std::vector<std::uint8_t>(ppm.end() - 6, ppm.end()),
              (std::vector<std::uint8_t>{255, 0, 0, 0, 132, 0}));
    EXPECT_TRUE(PortablePixmap(Picture{}).empty());
}

} // namespace
} // namespace tavrin
