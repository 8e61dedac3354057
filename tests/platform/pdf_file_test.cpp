#include "platform/pdf_file.h"
#include "platform/truetype_subset.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {
namespace {

using namespace std::string_view_literals;

void U16(std::string& out, unsigned v) {
    out += static_cast<char>(v >> 8 & 0xFF);
    out += static_cast<char>(v & 0xFF);
}

std::uint32_t ReadU32(std::string_view s, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

// Five glyphs, 1000 units to the em, each 600 wide: 0 .notdef, 1 and 3 and 4 simple outlines of
// their own bytes, 2 a composite made of glyph 3.
struct TinyFont {
    std::vector<std::string> glyphs;
    TrueTypeTables tables;

    TinyFont() {
        for (int g = 0; g < 5; ++g) {
            std::string glyph;
            if (g == 2) {
                U16(glyph, 0xFFFF); // numberOfContours -1: a composite
                glyph.append(8, '\0');
                U16(glyph, 0); // flags: byte arguments, no more components
                U16(glyph, 3);
                glyph.append(2, '\0');
            } else {
                U16(glyph, 1);
                glyph.append(8 + static_cast<std::size_t>(g), static_cast<char>('a' + g));
            }
            glyph.resize((glyph.size() + 1) & ~std::size_t{1}, '\0');
            glyphs.push_back(glyph);
        }
        TrueTypeTables& t = tables;
        t.head.assign(54, '\0');
        t.head[18] = 0x03; // unitsPerEm 1000
        t.head[19] = static_cast<char>(0xE8);
        t.hhea.assign(34, '\0');
        U16(t.hhea, 5); // numberOfHMetrics
        U16(t.maxp, 0x0000);
        U16(t.maxp, 0x5000);
        U16(t.maxp, 5); // numGlyphs
        for (const std::string& glyph : glyphs) {
            U16(t.loca, static_cast<unsigned>(t.glyf.size() / 2));
            t.glyf += glyph;
            U16(t.hmtx, 600);
            U16(t.hmtx, 0);
        }
        U16(t.loca, static_cast<unsigned>(t.glyf.size() / 2));
    }
};

// The tables of a font file by their tags.
std::map<std::string, std::string> TablesOf(const std::string& font) {
    std::map<std::string, std::string> tables;
    const unsigned count = static_cast<unsigned char>(font[4]) << 8 | static_cast<unsigned char>(font[5]);
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t record = 12 + 16 * i;
        tables[font.substr(record, 4)] = font.substr(ReadU32(font, record + 8), ReadU32(font, record + 12));
    }
    return tables;
}

TEST(TrueTypeSubsetTest, KeepsTheShownGlyphsTheirPartsAndNotdefAndEmptiesTheRest) {
    const TinyFont font;
    const std::uint16_t shown[] = {2};
    const auto subset = SubsetTrueType(font.tables, shown);
    ASSERT_TRUE(subset);
    auto tables = TablesOf(*subset);
    const std::string& loca = tables["loca"];
    ASSERT_EQ(loca.size(), 6u * 4); // long offsets
    EXPECT_EQ(tables["head"][51], 1);
    for (std::size_t g = 0; g < 5; ++g) {
        const std::string outline =
            tables["glyf"].substr(ReadU32(loca, 4 * g), ReadU32(loca, 4 * g + 4) - ReadU32(loca, 4 * g));
        const bool kept = g == 0 || g == 2 || g == 3;
        EXPECT_EQ(outline.substr(0, font.glyphs[g].size()), kept ? font.glyphs[g] : "") << "glyph " << g;
    }
    EXPECT_EQ(tables["hmtx"], font.tables.hmtx);
    // The whole file sums to the font checksum constant, as the adjustment in 'head' makes it.
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < subset->size(); at += 4)
        sum += ReadU32(*subset, at);
    EXPECT_EQ(sum, 0xB1B0AFBAu);

    TrueTypeTables broken = font.tables;
    broken.loca[9] = 0x7F; // glyph 4 ends past 'glyf'
    EXPECT_FALSE(SubsetTrueType(broken, shown));
}

TEST(PdfFileTest, WritesPagesWithKerningFontsAndCrossReferences) {
    test::TempDir dir;
    const auto path = dir / "out.pdf";
    {
        PdfFile pdf(PdfPageFrame{}, {});
        ASSERT_TRUE(pdf.Open(path));
        const int font =
            pdf.AddFont({"Tiny Font", TinyFont().tables, [](std::span<const std::uint16_t> glyphs) {
                             std::vector<char32_t> codes;
                             for (const std::uint16_t g : glyphs)
                                 codes.push_back(g == 3 ? 0 : U'A' + g);
                             return codes;
                         }});
        ASSERT_GE(font, 0);
        // At 100 pixels to the em a glyph moves the pen 60 pixels (3,840 64ths) unkerned; glyph 1
        // kerned by 10 pixels before glyph 2.
        ASSERT_TRUE(pdf.StartPage());
        const PdfGlyph kerned[] = {{1, 3200}, {2, 3840}, {4, 3840}};
        pdf.Text(font, 100, 100, 200, kerned);
        ASSERT_TRUE(pdf.StartPage());
        const PdfGlyph plain[] = {{4, 3840}, {4, 3840}};
        pdf.Text(font, 100, 100, 200, plain);
        const PdfGlyph special[] = {{0x0028, 0}, {0x295C, 0}, {0x0D0A, 0}};
        pdf.Text(font, 100, 100, 300, special);
        ASSERT_TRUE(pdf.Finish());
    }
    const auto bytes = test::ReadBytes(path);
    const std::string file(bytes.begin(), bytes.end());
    EXPECT_TRUE(file.starts_with("%PDF-1.4\n"));
    EXPECT_NE(file.find("1 0 0 -1 100 200 Tm [(\x00\x01)100(\x00\x02\x00\x04)] TJ"sv), std::string::npos);
    EXPECT_NE(file.find("Tm [(\x00\x04\x00\x04)] TJ"sv), std::string::npos);
    // Glyph numbers whose bytes end or escape a string, or read as a line end, are escaped.
    EXPECT_NE(file.find("Tm [(\x00\\(\\)\\\\\\r\n)] TJ"sv), std::string::npos);
    EXPECT_NE(file.find("/W [1 [600] 2 [600] 4 [600] ]"), std::string::npos);
    EXPECT_NE(file.find("/BaseFont /Tiny#20Font"), std::string::npos);
    EXPECT_NE(file.find("3 beginbfchar\n<0001> <0042>\n<0002> <0043>\n<0004> <0045>\n"), std::string::npos);
    EXPECT_NE(file.find("/Type /Pages /Count 2"), std::string::npos);

    // Every object the cross-reference table lists starts where it says.
    const std::size_t start = std::stoul(file.substr(file.rfind("startxref\n") + 10));
    ASSERT_EQ(file.compare(start, 7, "xref\n0 "), 0);
    const std::size_t objects = std::stoul(file.substr(start + 7));
    const std::size_t entries = file.find('\n', start + 7) + 1 + 20; // past the free entry 0
    for (std::size_t n = 1; n < objects; ++n) {
        const std::size_t at = std::stoul(file.substr(entries + 20 * (n - 1), 10));
        EXPECT_EQ(file.compare(at, std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"), 0) << n;
    }
}

} // namespace
} // namespace tavrin
