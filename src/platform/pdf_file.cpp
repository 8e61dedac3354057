#include "platform/pdf_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace tavrin {
namespace {

// The objects every file has, at fixed numbers.
constexpr int CatalogObject = 1, PagesObject = 2, ResourcesObject = 3;

// A number as PDF writes it: at most four decimals, no trailing zeros, no exponent.
void AppendNumber(std::string& out, double value) {
    if (std::abs(value) < 0.00005) value = 0; // never "-0"
    char text[48];
    auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4).ptr;
    while (end[-1] == '0')
        --end;
    if (end[-1] == '.') --end;
    out.append(text, end);
}

void AppendInt(std::string& out, long long value) {
    char text[24];
    out.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// A glyph's two bytes in a literal string, the ones that would end or escape it escaped, and a
// carriage return too, which a reader would take for a line feed.
void AppendGlyphCode(std::string& out, unsigned glyph) {
    for (const unsigned byte : {glyph >> 8 & 0xFF, glyph & 0xFF}) {
        switch (byte) {
        case '(':
        case ')':
        case '\\':
            out += '\\';
            out += static_cast<char>(byte);
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += static_cast<char>(byte);
        }
    }
}

void AppendHex4(std::string& out, unsigned value) {
    constexpr char Digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += Digits[value >> shift & 0xF];
}

// A name token: the characters PDF names allow, anything else as #XX.
void AppendName(std::string& out, std::string_view name) {
    out += '/';
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c > 0x20 && c < 0x7F && std::string_view("()<>[]{}/%#").find(ch) == std::string_view::npos) {
            out += ch;
        } else {
            out += '#';
            constexpr char Digits[] = "0123456789ABCDEF";
            out += Digits[c >> 4];
            out += Digits[c & 0xF];
        }
    }
}

} // namespace

struct PdfFile::Font {
    PdfFont source;
    TrueTypeMetrics metrics;
    int object = 0; // the Type0 font, which the pages' resources name
    // Each glyph's width in thousandths of an em as the file gives it; negative for the glyphs
    // not shown.
    std::vector<double> widths;
    std::size_t advances = 0; // how many glyphs have an advance of their own in 'hmtx'

    // The glyph's advance in the font's units; -1 when 'hmtx' has none.
    int Advance(std::uint16_t glyph) const {
        const std::string& hmtx = source.tables.hmtx;
        const std::size_t at = 4 * std::min<std::size_t>(glyph, advances - 1);
        if (advances == 0 || at + 2 > hmtx.size()) return -1;
        return static_cast<unsigned char>(hmtx[at]) << 8 | static_cast<unsigned char>(hmtx[at + 1]);
    }
    std::vector<std::uint16_t> shown;
};

PdfFile::PdfFile(const PdfPageFrame& frame, PdfDeflate deflate)
    : frame_(frame), deflate_(std::move(deflate)) {
    offsets_.resize(ResourcesObject);
}

PdfFile::~PdfFile() {
    if (file_) std::fclose(file_);
}

bool PdfFile::Open(const std::filesystem::path& path) {
#ifdef _WIN32
    file_ = _wfopen(path.c_str(), L"wb");
#else
    file_ = std::fopen(path.c_str(), "wb");
#endif
    if (!file_) return false;
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    // The binary comment tells transfer programs that the file is not text.
    Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    return !failed_;
}

int PdfFile::AddFont(PdfFont font) {
    const auto metrics = ReadTrueTypeMetrics(font.tables);
    if (!metrics || font.tables.maxp.size() < 6 || font.tables.glyf.empty() || font.tables.loca.empty())
        return -1;
    Font added;
    added.metrics = *metrics;
    const std::size_t glyphs = static_cast<std::size_t>(static_cast<unsigned char>(font.tables.maxp[4]))
                                   << 8 |
                               static_cast<unsigned char>(font.tables.maxp[5]);
    added.widths.assign(glyphs, -1);
    added.advances = font.tables.hhea.size() >= 36
                         ? static_cast<std::size_t>(static_cast<unsigned char>(font.tables.hhea[34]) << 8 |
                                                    static_cast<unsigned char>(font.tables.hhea[35]))
                         : 0;
    added.source = std::move(font);
    added.object = NewObject();
    fonts_.push_back(std::move(added));
    return static_cast<int>(fonts_.size()) - 1;
}

int PdfFile::NewObject() {
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size());
}

void PdfFile::Write(std::string_view bytes) {
    if (failed_ || !file_) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
    written_ += bytes.size();
}

void PdfFile::BeginObject(int object) {
    offsets_[static_cast<std::size_t>(object) - 1] = written_;
    std::string head;
    AppendInt(head, object);
    head += " 0 obj\n";
    Write(head);
}

void PdfFile::WriteStream(int object, std::string_view bytes, std::string_view extra) {
    std::string packed;
    if (deflate_) packed = deflate_(bytes);
    const std::string_view body = deflate_ ? std::string_view(packed) : bytes;
    BeginObject(object);
    std::string dict = "<< /Length ";
    AppendInt(dict, static_cast<long long>(body.size()));
    if (deflate_) dict += " /Filter /FlateDecode";
    dict += extra;
    dict += " >>\nstream\n";
    Write(dict);
    Write(body);
    Write("\nendstream\nendobj\n");
}

bool PdfFile::StartPage() {
    if (!EndPage()) return false;
    pageOpen_ = true;
    content_.clear();
    // Device pixels from the printable area's corner, y downwards, as the layout places lines.
    const double s = frame_.pointsPerPixel;
    AppendNumber(content_, s);
    content_ += " 0 0 ";
    AppendNumber(content_, -s);
    content_ += ' ';
    AppendNumber(content_, frame_.left * s);
    content_ += ' ';
    AppendNumber(content_, frame_.height - frame_.top * s);
    content_ += " cm\n";
    return true;
}

bool PdfFile::EndPage() {
    if (!pageOpen_) return !failed_;
    pageOpen_ = false;
    const int contents = NewObject();
    WriteStream(contents, content_);
    const int page = NewObject();
    BeginObject(page);
    std::string dict = "<< /Type /Page /Parent 2 0 R /Resources 3 0 R /MediaBox [0 0 ";
    AppendNumber(dict, frame_.width);
    dict += ' ';
    AppendNumber(dict, frame_.height);
    dict += "] /Contents ";
    AppendInt(dict, contents);
    dict += " 0 R >>\nendobj\n";
    Write(dict);
    pages_.push_back(page);
    return !failed_;
}

void PdfFile::Text(int fontNumber, double size, double x, double baseline, std::span<const PdfGlyph> glyphs) {
    if (glyphs.empty() || fontNumber < 0 || static_cast<std::size_t>(fontNumber) >= fonts_.size() ||
        size <= 0)
        return;
    Font& font = fonts_[static_cast<std::size_t>(fontNumber)];
    std::string& out = content_;
    out += "BT /F";
    AppendInt(out, font.object);
    out += ' ';
    AppendNumber(out, size);
    out += " Tf 1 0 0 -1 ";
    AppendNumber(out, x);
    out += ' ';
    AppendNumber(out, baseline);
    out += " Tm [(";
    // Where the reader's pen stands by the widths written, and where the glyphs' advances put the
    // next glyph; a difference (kerning) moves the pen back into place.
    double pen = 0, wanted = 0;
    for (const PdfGlyph& g : glyphs) {
        if (std::abs(wanted - pen) > 0.01) {
            const double shift = (pen - wanted) * 1000 / size;
            out += ')';
            AppendNumber(out, shift);
            out += '(';
            pen -= std::round(shift * 10000) / 10000 * size / 1000;
        }
        AppendGlyphCode(out, g.glyph);
        if (g.glyph < font.widths.size()) {
            double& width = font.widths[g.glyph];
            if (width < 0) {
                // The glyph's own advance, unkerned, cut to the 64ths of a pixel Qt's shaping
                // gives: a text extractor takes a gap beyond it for a blank, and the pen stays in
                // place but where kerning moves it. A font without advances: the first one seen.
                const int units = font.Advance(g.glyph);
                const double advance =
                    units < 0 ? g.advance : std::floor(units * size * 64 / font.metrics.unitsPerEm + 1e-9);
                width = std::round(advance / 64 * 1000 / size * 10000) / 10000;
                font.shown.push_back(g.glyph);
            }
            pen += width * size / 1000;
        }
        wanted += g.advance / 64.0;
    }
    out += ")] TJ ET\n";
}

void PdfFile::HorizontalLine(double x1, double x2, double y, double thickness) {
    std::string& out = content_;
    AppendNumber(out, thickness);
    out += " w 0 J ";
    AppendNumber(out, x1);
    out += ' ';
    AppendNumber(out, y);
    out += " m ";
    AppendNumber(out, x2);
    out += ' ';
    AppendNumber(out, y);
    out += " l S\n";
}

void PdfFile::WriteFont(Font& font) {
    std::sort(font.shown.begin(), font.shown.end());
    const double scale = 1000.0 / font.metrics.unitsPerEm;
    const auto program = SubsetTrueType(font.source.tables, font.shown);
    if (!program) {
        failed_ = true;
        return;
    }
    const int cidFont = NewObject(), descriptor = NewObject(), fontFile = NewObject(),
              toUnicode = NewObject();

    std::string dict;
    BeginObject(font.object);
    dict = "<< /Type /Font /Subtype /Type0 /BaseFont ";
    AppendName(dict, font.source.name);
    dict += " /Encoding /Identity-H /DescendantFonts [";
    AppendInt(dict, cidFont);
    dict += " 0 R] /ToUnicode ";
    AppendInt(dict, toUnicode);
    dict += " 0 R >>\nendobj\n";
    Write(dict);

    BeginObject(cidFont);
    dict = "<< /Type /Font /Subtype /CIDFontType2 /BaseFont ";
    AppendName(dict, font.source.name);
    dict += " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor ";
    AppendInt(dict, descriptor);
    dict += " 0 R /CIDToGIDMap /Identity /DW 1000 /W [";
    for (const std::uint16_t g : font.shown) {
        AppendInt(dict, g);
        dict += " [";
        AppendNumber(dict, font.widths[g]);
        dict += "] ";
    }
    dict += "] >>\nendobj\n";
    Write(dict);

    const TrueTypeMetrics& m = font.metrics;
    BeginObject(descriptor);
    dict = "<< /Type /FontDescriptor /FontName ";
    AppendName(dict, font.source.name);
    dict += " /Flags 32 /FontBBox [";
    for (const int v : {m.xMin, m.yMin, m.xMax, m.yMax}) {
        AppendNumber(dict, v * scale);
        dict += ' ';
    }
    dict += "] /ItalicAngle 0 /Ascent ";
    AppendNumber(dict, m.ascender * scale);
    dict += " /Descent ";
    AppendNumber(dict, m.descender * scale);
    dict += " /CapHeight ";
    AppendNumber(dict, m.ascender * scale);
    dict += " /StemV 80 /FontFile2 ";
    AppendInt(dict, fontFile);
    dict += " 0 R >>\nendobj\n";
    Write(dict);

    std::string length1 = " /Length1 ";
    AppendInt(length1, static_cast<long long>(program->size()));
    WriteStream(fontFile, *program, length1);

    // The text each glyph stands for, a hundred entries to a block as CMaps allow.
    const std::vector<char32_t> codes = font.source.codePoints ? font.source.codePoints(font.shown)
                                                               : std::vector<char32_t>(font.shown.size());
    std::string cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                       "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                       "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                       "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<std::pair<std::uint16_t, char32_t>> mapped;
    for (std::size_t i = 0; i < font.shown.size() && i < codes.size(); ++i)
        if (codes[i] != 0) mapped.emplace_back(font.shown[i], codes[i]);
    for (std::size_t block = 0; block < mapped.size(); block += 100) {
        const std::size_t end = std::min(mapped.size(), block + 100);
        AppendInt(cmap, static_cast<long long>(end - block));
        cmap += " beginbfchar\n";
        for (std::size_t i = block; i < end; ++i) {
            cmap += '<';
            AppendHex4(cmap, mapped[i].first);
            cmap += "> <";
            const char32_t c = mapped[i].second;
            if (c > 0xFFFF) {
                AppendHex4(cmap, 0xD800 + ((c - 0x10000) >> 10));
                AppendHex4(cmap, 0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                AppendHex4(cmap, c);
            }
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    WriteStream(toUnicode, cmap);
}

bool PdfFile::Finish() {
    if (!EndPage()) return false;
    std::string dict;
    for (Font& font : fonts_)
        WriteFont(font);

    BeginObject(ResourcesObject);
    dict = "<< /ProcSet [/PDF /Text] /Font <<";
    for (const Font& font : fonts_) {
        dict += " /F";
        AppendInt(dict, font.object);
        dict += ' ';
        AppendInt(dict, font.object);
        dict += " 0 R";
    }
    dict += " >> >>\nendobj\n";
    Write(dict);

    BeginObject(PagesObject);
    dict = "<< /Type /Pages /Count ";
    AppendInt(dict, static_cast<long long>(pages_.size()));
    dict += " /Kids [";
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        dict += i % 10 == 0 ? '\n' : ' ';
        AppendInt(dict, pages_[i]);
        dict += " 0 R";
    }
    dict += "] >>\nendobj\n";
    Write(dict);

    BeginObject(CatalogObject);
    Write("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");

    const std::uint64_t xref = written_;
    dict = "xref\n0 ";
    AppendInt(dict, static_cast<long long>(offsets_.size()) + 1);
    dict += "\n0000000000 65535 f \n";
    for (const std::uint64_t offset : offsets_) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010llu 00000 n \n", static_cast<unsigned long long>(offset));
        dict += entry;
    }
    dict += "trailer\n<< /Size ";
    AppendInt(dict, static_cast<long long>(offsets_.size()) + 1);
    dict += " /Root 1 0 R >>\nstartxref\n";
    AppendInt(dict, static_cast<long long>(xref));
    dict += "\n%%EOF\n";
    Write(dict);

    const bool closed = file_ && std::fclose(file_) == 0;
    file_ = nullptr;
    return closed && !failed_;
}

} // namespace tavrin
