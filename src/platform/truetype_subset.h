// A TrueType font cut down to the glyphs a document shows, for embedding in a PDF file. Glyphs keep
// their numbers, so that a PDF can name them by the font's own glyph index; the outlines of the
// others are left out.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tavrin {

// The tables of a TrueType font (outlines in 'glyf') that a PDF reader needs, as the font holds them.
// cvt, fpgm and prep may be empty.
struct TrueTypeTables {
    std::string head, hhea, maxp, loca, glyf, hmtx, cvt, fpgm, prep;
};

// What a PDF font descriptor tells of the font, in its own units.
struct TrueTypeMetrics {
    int unitsPerEm = 1000;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int ascender = 0, descender = 0;
};

std::optional<TrueTypeMetrics> ReadTrueTypeMetrics(const TrueTypeTables& tables);

// A font file holding glyph 0, the given glyphs and the glyphs they are made of; every other glyph
// is empty. None when the tables are not those of a TrueType font this can read.
std::optional<std::string> SubsetTrueType(const TrueTypeTables& tables,
                                          std::span<const std::uint16_t> glyphs);

} // namespace tavrin
