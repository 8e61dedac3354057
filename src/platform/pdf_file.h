// A PDF file of text pages, written page by page as a printed list is laid out: each line one
// text object naming its glyphs in embedded TrueType fonts, each page compressed and written out
// as soon as the next begins, the fonts (cut down to the glyphs shown) and the page tree at the
// end. What a text extractor reads of it is what Qt's own PDF printer would write for the same
// glyphs: a glyph stands for the lowest code point the font maps to it.
#pragma once

#include "platform/truetype_subset.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A glyph of a line and how far it moves the pen, in 64ths of a device pixel.
struct PdfGlyph {
    std::uint16_t glyph = 0;
    std::int32_t advance = 0;
};

// Where the device's pixels stand on the paper.
struct PdfPageFrame {
    double width = 595, height = 842; // the paper, in points
    double pointsPerPixel = 0.06;
    double left = 0, top = 0; // the printable area's corner, in device pixels from the paper's
};

struct PdfFont {
    std::string name; // PostScript name
    TrueTypeTables tables;
    // The code point each of the glyphs stands for in extracted text (0 for none).
    std::function<std::vector<char32_t>(std::span<const std::uint16_t> glyphs)> codePoints;
};

// zlib-compresses a stream (FlateDecode); without one, streams are stored as they are.
using PdfDeflate = std::function<std::string(std::string_view bytes)>;

class PdfFile {
  public:
    PdfFile(const PdfPageFrame& frame, PdfDeflate deflate);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    // Creates (or empties) the file; false with errno set when it cannot.
    bool Open(const std::filesystem::path& path);
    // The font's number for Text; -1 when its tables are not those of a TrueType font.
    int AddFont(PdfFont font);
    // Ends the page before, if any, and begins a new one; false when the file could not be written.
    bool StartPage();
    // Glyphs drawn left to right from x on the baseline, at size pixels per em; their advances
    // place them, whatever widths the font gives.
    void Text(int font, double size, double x, double baseline, std::span<const PdfGlyph> glyphs);
    // A horizontal line of that thickness, centred on y.
    void HorizontalLine(double x1, double x2, double y, double thickness);
    // Ends the last page and writes the fonts, the page tree and the cross-reference table; false
    // when anything could not be written.
    bool Finish();

  private:
    struct Font;

    int NewObject();
    void BeginObject(int object);
    void Write(std::string_view bytes);
    void WriteStream(int object, std::string_view bytes, std::string_view extra = {});
    bool EndPage();
    void WriteFont(Font& font);

    PdfPageFrame frame_;
    PdfDeflate deflate_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::uint64_t written_ = 0;
    std::vector<std::uint64_t> offsets_; // of each object, by number - 1
    std::vector<int> pages_;
    std::vector<Font> fonts_;
    std::string content_; // the page being drawn
    bool pageOpen_ = false;
};

} // namespace tavrin
