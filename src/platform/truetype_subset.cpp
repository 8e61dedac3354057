#include "platform/truetype_subset.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace tavrin {
namespace {

std::uint32_t U16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) << 8 |
           static_cast<unsigned char>(bytes[at + 1]);
}

std::uint32_t U32(std::string_view bytes, std::size_t at) {
    return U16(bytes, at) << 16 | U16(bytes, at + 2);
}

int S16(std::string_view bytes, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(U16(bytes, at)));
}

void PutU16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value >> 8 & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value >> 16);
    PutU16(out, value & 0xFFFF);
}

void SetU32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i) & 0xFF);
}

// The sum of a table's big-endian 32-bit words, the last one padded with zeros.
std::uint32_t Checksum(std::string_view bytes) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < bytes.size(); at += 4) {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < 4; ++i)
            word = word << 8 | (at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0u);
        sum += word;
    }
    return sum;
}

// Where each glyph's outline lies in 'glyf': numGlyphs + 1 offsets. Empty when 'loca' is short or
// points outside 'glyf'.
std::vector<std::uint32_t> GlyphOffsets(const TrueTypeTables& t, std::size_t numGlyphs) {
    const bool longOffsets = S16(t.head, 50) != 0;
    std::vector<std::uint32_t> offsets(numGlyphs + 1);
    if (t.loca.size() < offsets.size() * (longOffsets ? 4 : 2)) return {};
    for (std::size_t g = 0; g < offsets.size(); ++g) {
        offsets[g] = longOffsets ? U32(t.loca, 4 * g) : 2 * U16(t.loca, 2 * g);
        if (offsets[g] > t.glyf.size() || (g > 0 && offsets[g] < offsets[g - 1])) return {};
    }
    return offsets;
}

// The glyphs a composite glyph is made of.
void AddComponents(std::string_view glyph, std::vector<std::uint16_t>& to) {
    if (glyph.size() < 10 || S16(glyph, 0) >= 0) return;
    constexpr std::uint32_t WordArgs = 0x1, Scale = 0x8, More = 0x20, XyScale = 0x40, TwoByTwo = 0x80;
    std::size_t at = 10;
    for (;;) {
        if (at + 4 > glyph.size()) return;
        const std::uint32_t flags = U16(glyph, at);
        to.push_back(static_cast<std::uint16_t>(U16(glyph, at + 2)));
        at += 4 + ((flags & WordArgs) ? 4 : 2);
        at += (flags & Scale) ? 2 : (flags & XyScale) ? 4 : (flags & TwoByTwo) ? 8 : 0;
        if (!(flags & More)) return;
    }
}

} // namespace

std::optional<TrueTypeMetrics> ReadTrueTypeMetrics(const TrueTypeTables& t) {
    if (t.head.size() < 54 || t.hhea.size() < 36) return std::nullopt;
    TrueTypeMetrics m;
    m.unitsPerEm = static_cast<int>(U16(t.head, 18));
    if (m.unitsPerEm == 0) return std::nullopt;
    m.xMin = S16(t.head, 36);
    m.yMin = S16(t.head, 38);
    m.xMax = S16(t.head, 40);
    m.yMax = S16(t.head, 42);
    m.ascender = S16(t.hhea, 4);
    m.descender = S16(t.hhea, 6);
    return m;
}

std::optional<std::string> SubsetTrueType(const TrueTypeTables& t, std::span<const std::uint16_t> glyphs) {
    if (t.head.size() < 54 || t.hhea.size() < 36 || t.maxp.size() < 6 || t.hmtx.empty()) return std::nullopt;
    const std::size_t numGlyphs = U16(t.maxp, 4);
    const std::vector<std::uint32_t> offsets = GlyphOffsets(t, numGlyphs);
    if (offsets.empty()) return std::nullopt;
    const auto outline = [&](std::size_t g) {
        return std::string_view(t.glyf).substr(offsets[g], offsets[g + 1] - offsets[g]);
    };

    std::vector<bool> kept(numGlyphs);
    std::vector<std::uint16_t> pending(glyphs.begin(), glyphs.end());
    pending.push_back(0); // .notdef, which every font must have
    while (!pending.empty()) {
        const std::uint16_t g = pending.back();
        pending.pop_back();
        if (g >= numGlyphs || kept[g]) continue;
        kept[g] = true;
        AddComponents(outline(g), pending);
    }

    // The outlines kept, each on a four-byte boundary, and their offsets in the long form.
    std::string glyf, loca;
    for (std::size_t g = 0; g < numGlyphs; ++g) {
        PutU32(loca, static_cast<std::uint32_t>(glyf.size()));
        if (!kept[g]) continue;
        glyf += outline(g);
        glyf.resize((glyf.size() + 3) & ~std::size_t{3}, '\0');
    }
    PutU32(loca, static_cast<std::uint32_t>(glyf.size()));
    std::string head = t.head;
    SetU32(head, 8, 0); // checkSumAdjustment, set once the file is whole
    head[50] = '\0';    // indexToLocFormat 1: long offsets
    head[51] = '\1';

    struct Table {
        std::array<char, 4> tag;
        const std::string* bytes;
    };
    // In the order of their tags, as a font's table directory must be.
    std::vector<Table> tables{
        {{'c', 'v', 't', ' '}, &t.cvt}, {{'f', 'p', 'g', 'm'}, &t.fpgm}, {{'g', 'l', 'y', 'f'}, &glyf},
        {{'h', 'e', 'a', 'd'}, &head},  {{'h', 'h', 'e', 'a'}, &t.hhea}, {{'h', 'm', 't', 'x'}, &t.hmtx},
        {{'l', 'o', 'c', 'a'}, &loca},  {{'m', 'a', 'x', 'p'}, &t.maxp}, {{'p', 'r', 'e', 'p'}, &t.prep}};
    std::erase_if(tables, [](const Table& table) { return table.bytes->empty(); });

    std::string font;
    const auto count = static_cast<std::uint32_t>(tables.size());
    std::uint32_t power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    PutU32(font, 0x00010000);
    PutU16(font, count);
    PutU16(font, power * 16);
    PutU16(font, log2);
    PutU16(font, count * 16 - power * 16);
    std::uint32_t offset = 12 + 16 * count;
    std::size_t headAt = 0;
    for (const Table& table : tables) {
        font.append(table.tag.data(), 4);
        PutU32(font, Checksum(*table.bytes));
        PutU32(font, offset);
        PutU32(font, static_cast<std::uint32_t>(table.bytes->size()));
        if (table.bytes == &head) headAt = offset;
        offset += static_cast<std::uint32_t>((table.bytes->size() + 3) & ~std::size_t{3});
    }
    for (const Table& table : tables) {
        font += *table.bytes;
        font.resize((font.size() + 3) & ~std::size_t{3}, '\0');
    }
    SetU32(font, headAt + 8, 0xB1B0AFBAu - Checksum(font));
    return font;
}

} // namespace tavrin
