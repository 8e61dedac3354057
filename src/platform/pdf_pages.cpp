#include "platform/pdf_pages.h"

#include "platform/pdf_file.h"
#include "store/text_encoding.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPrinter>
#include <QRawFont>
#include <QString>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavrin {
namespace {

QString FromCp1252(std::string_view text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// A shaped text: its glyphs in order, in runs of one font each, and its width in 64ths of a pixel
// (Qt's fixed-point unit, in which its advances add up exactly).
struct Shaping {
    struct Run {
        int font = 0;
        std::size_t end = 0; // one past its last glyph
    };
    // Where each word (or blank) of a text put together from its words ends, and the width up to
    // there: a text cut at a blank is as wide as its words before it.
    struct WordEnd {
        std::size_t character = 0;
        std::int64_t width = 0;
    };
    std::vector<PdfGlyph> glyphs;
    std::vector<Run> runs;
    std::int64_t width = 0;
    std::vector<WordEnd> wordEnds;

    void Clear() {
        glyphs.clear();
        runs.clear();
        width = 0;
        wordEnds.clear();
    }
    void Append(const Shaping& other) {
        const std::size_t base = glyphs.size();
        glyphs.insert(glyphs.end(), other.glyphs.begin(), other.glyphs.end());
        for (const Run& run : other.runs) {
            if (!runs.empty() && runs.back().font == run.font)
                runs.back().end = base + run.end;
            else
                runs.push_back({run.font, base + run.end});
        }
        width += other.width;
    }
};

// The bytes on which a line may be cut into words shaped apart: Qt shapes a soft hyphen, a tab or
// a control character by what stands around it, every other character of the code page alone.
bool StandsAlone(unsigned char c) {
    switch (c) {
    case 0x7F:
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D:
    case 0xAD:
        return false;
    default:
        return c > 0x20;
    }
}

// The printer's default font in the three styles, resolved for the printer as QPainter resolves
// the font it draws with, and what QPainter takes from them to place a line.
struct PrinterFonts {
    std::array<QFont, 3> fonts;
    std::array<int, 3> ascents{};
    double underlinePosition = 0, descent = 0, lineWidth = 1;
};

PrinterFonts FontsOf(const QPrinter& printer) {
    PrinterFonts f;
    const QFont normal; // the font QPainter begins with, as the layout was told
    for (std::size_t i = 0; i < f.fonts.size(); ++i) {
        QFont font = normal;
        font.setBold(i != 0);
        font.setUnderline(i == 2);
        f.fonts[i] = QFont(font, &printer);
        f.ascents[i] = QFontMetrics(f.fonts[i], &printer).ascent();
    }
    const QFontMetricsF heading(f.fonts[2], &printer);
    f.underlinePosition = heading.underlinePos();
    f.descent = heading.descent();
    f.lineWidth = heading.lineWidth();
    return f;
}

// A bold font that the system has no bold face for: Qt thickens the regular one as it draws, which
// embedding the regular font's glyphs would not show.
bool ThickenedBold(const QFont& font) {
    if (!font.bold()) return false;
    const QByteArray os2 = QRawFont::fromFont(font).fontTable("OS/2");
    return os2.size() >= 6 &&
           (static_cast<unsigned char>(os2[4]) << 8 | static_cast<unsigned char>(os2[5])) < 600;
}

// The shapings of words in one font each, kept for the whole list in flat arrays: a list of
// 65,535 titles shows some hundred thousand different words, and a map of strings and vectors
// would spend more time on its pointers than shaping saves. Past Capacity words the cache starts
// afresh rather than grow.
class WordCache {
  public:
    struct Word {
        int font = 0;
        std::span<const PdfGlyph> glyphs;
        std::int64_t width = 0;
    };

    WordCache() : slots_(2 * Capacity) {}

    static std::uint64_t Hash(std::string_view word, std::size_t style) {
        std::uint64_t h = 14695981039346656037ull ^ style;
        for (const char c : word)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return h | 1; // 0 marks an empty slot
    }

    std::optional<Word> Find(std::string_view word, std::size_t style, std::uint64_t hash) const {
        for (std::size_t i = hash & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
            const Slot& slot = slots_[i];
            if (slot.hash == 0) return std::nullopt;
            if (slot.hash == hash && slot.style == style && KeyOf(slot) == word)
                return Word{slot.font, std::span(glyphs_).subspan(slot.glyphs, slot.glyphCount), slot.width};
        }
    }

    void Keep(std::string_view word, std::size_t style, std::uint64_t hash, int font,
              std::span<const PdfGlyph> glyphs, std::int64_t width) {
        if (word.size() > 0xFFFF || glyphs.size() > 0xFFFF) return;
        if (count_ == Capacity) {
            std::fill(slots_.begin(), slots_.end(), Slot{});
            keys_.clear();
            glyphs_.clear();
            count_ = 0;
        }
        std::size_t i = hash & (slots_.size() - 1);
        while (slots_[i].hash != 0)
            i = (i + 1) & (slots_.size() - 1);
        Slot& slot = slots_[i];
        slot = {hash,
                static_cast<std::uint32_t>(keys_.size()),
                static_cast<std::uint32_t>(glyphs_.size()),
                static_cast<std::uint16_t>(word.size()),
                static_cast<std::uint16_t>(glyphs.size()),
                static_cast<std::int16_t>(font),
                static_cast<std::uint8_t>(style),
                width};
        keys_ += word;
        glyphs_.insert(glyphs_.end(), glyphs.begin(), glyphs.end());
        ++count_;
    }

  private:
    static constexpr std::size_t Capacity = std::size_t{1} << 16;
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t key = 0, glyphs = 0;
        std::uint16_t keyLength = 0, glyphCount = 0;
        std::int16_t font = 0;
        std::uint8_t style = 0;
        std::int64_t width = 0;
    };
    std::string_view KeyOf(const Slot& slot) const {
        return std::string_view(keys_).substr(slot.key, slot.keyLength);
    }

    std::vector<Slot> slots_;
    std::string keys_;
    std::vector<PdfGlyph> glyphs_;
    std::size_t count_ = 0;
};

// Shapes texts in the printer's three styles as QPainter would draw them, and keeps the fonts of
// the glyphs in the PDF file.
class PdfShaper {
  public:
    PdfShaper(PdfFile& pdf, const std::array<QFont, 3>& fonts) : pdf_(pdf), fonts_(fonts) {
        layout_.setCacheEnabled(true);
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            if (FontOf(QRawFont::fromFont(fonts_[i])) < 0 || ThickenedBold(fonts_[i])) unsupported_ = true;
            wordsApart_[i] = WordsShapeApart(fonts_[i]);
        }
    }

    bool Unsupported() const { return unsupported_; }
    double SizeOf(int font) const { return sizes_[static_cast<std::size_t>(font)]; }

    // The shaping of a line, put together from its words' where the font shapes words apart and
    // all of them were shaped before; else shaped whole, its new words kept for later lines.
    void Shape(std::string_view text, PrintStyle style, Shaping& into) {
        into.Clear();
        const auto s = static_cast<std::size_t>(style);
        if (!wordsApart_[s] || !std::all_of(text.begin(), text.end(), [](char c) {
                return c == ' ' || StandsAlone(static_cast<unsigned char>(c));
            })) {
            ShapeWhole(text, s, into);
            return;
        }
        tokens_.clear();
        bool allKnown = true;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text[at] == ' ' ? at + 1 : std::min(text.find(' ', at), text.size());
            const std::string_view word = text.substr(at, end - at);
            const std::uint64_t hash = WordCache::Hash(word, s);
            tokens_.push_back({at, end, hash, words_.Find(word, s, hash)});
            allKnown = allKnown && tokens_.back().known.has_value();
            at = end;
        }
        if (allKnown) {
            for (const Token& token : tokens_) {
                const WordCache::Word& word = *token.known;
                into.glyphs.insert(into.glyphs.end(), word.glyphs.begin(), word.glyphs.end());
                if (into.runs.empty() || into.runs.back().font != word.font)
                    into.runs.push_back({word.font, 0});
                into.runs.back().end = into.glyphs.size();
                into.width += word.width;
                into.wordEnds.push_back({token.end, into.width});
            }
            return;
        }
        ShapeWhole(text, s, into);
        // A glyph for each character: the words' glyphs can be told apart and kept, each word
        // shaping as it would alone.
        if (into.glyphs.size() != text.size()) return;
        std::size_t run = 0;
        std::int64_t before = 0;
        for (const Token& token : tokens_) {
            for (std::size_t i = token.begin; i < token.end; ++i)
                before += into.glyphs[i].advance;
            into.wordEnds.push_back({token.end, before});
            while (into.runs[run].end <= token.begin)
                ++run;
            const std::string_view word = text.substr(token.begin, token.end - token.begin);
            if (token.known || into.runs[run].end < token.end || words_.Find(word, s, token.hash)) continue;
            const std::span<const PdfGlyph> glyphs(into.glyphs.data() + token.begin, token.end - token.begin);
            std::int64_t width = 0;
            for (const PdfGlyph& g : glyphs)
                width += g.advance;
            words_.Keep(word, s, token.hash, into.runs[run].font, glyphs, width);
        }
    }

  private:
    // Whether every character shapes the same beside a blank as alone, so that a line's shaping
    // is its words' and blanks' put end to end (no kerning with a blank).
    bool WordsShapeApart(const QFont& font) {
        // A character the font lacks may come from a font that cannot be embedded: that decides
        // nothing until a line shows it.
        const bool unsupported = unsupported_;
        const bool apart = CharactersShapeApart(font);
        const bool probeFailed = unsupported_;
        unsupported_ = unsupported;
        return apart && !probeFailed;
    }

    bool CharactersShapeApart(const QFont& font) {
        Shaping alone, pair, parts, blank;
        ShapeWhole(" ", font, blank);
        ShapeWhole("  ", font, pair);
        parts = blank;
        parts.Append(blank);
        if (!SameGlyphs(pair, parts)) return false;
        for (int c = 0x21; c <= 0xFF; ++c) {
            if (!StandsAlone(static_cast<unsigned char>(c))) continue;
            const std::string letter(1, static_cast<char>(c));
            ShapeWhole(letter, font, alone);
            for (const bool blankFirst : {true, false}) {
                ShapeWhole(blankFirst ? " " + letter : letter + " ", font, pair);
                parts = blankFirst ? blank : alone;
                parts.Append(blankFirst ? alone : blank);
                if (!SameGlyphs(pair, parts)) return false;
            }
        }
        return true;
    }

    static bool SameGlyphs(const Shaping& a, const Shaping& b) {
        return a.width == b.width && a.glyphs.size() == b.glyphs.size() &&
               std::equal(a.glyphs.begin(), a.glyphs.end(), b.glyphs.begin(),
                          [](const PdfGlyph& x, const PdfGlyph& y) {
                              return x.glyph == y.glyph && x.advance == y.advance;
                          });
    }

    void ShapeWhole(std::string_view text, std::size_t style, Shaping& into) {
        ShapeWhole(text, fonts_[style], into);
    }

    void ShapeWhole(std::string_view text, const QFont& font, Shaping& into) {
        into.Clear();
        layout_.setFont(font);
        layout_.setText(FromCp1252(text));
        layout_.beginLayout();
        QTextLine line = layout_.createLine();
        if (line.isValid()) line.setNumColumns(static_cast<int>(text.size()) + 1);
        layout_.endLayout();
        if (!line.isValid()) return;
        into.width = std::llround(line.horizontalAdvance() * 64);
        std::vector<std::int64_t>& positions = positions_;
        positions.clear();
        for (const QGlyphRun& run : line.glyphRuns()) {
            const int pdfFont = FontOf(run.rawFont());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> points = run.positions();
            for (qsizetype i = 0; i < indexes.size(); ++i) {
                // A glyph raised or lowered (a mark) cannot be written as a plain run of glyphs.
                if (pdfFont < 0 || indexes[i] > 0xFFFF || points[i].y() != points[0].y()) unsupported_ = true;
                into.glyphs.push_back({static_cast<std::uint16_t>(indexes[i]), 0});
                positions.push_back(std::llround(points[i].x() * 64));
            }
            into.runs.push_back({pdfFont, into.glyphs.size()});
        }
        // Each glyph moves the pen to the next one; the last to the end of the text.
        for (std::size_t i = 0; i < into.glyphs.size(); ++i) {
            const std::int64_t next = i + 1 < positions.size() ? positions[i + 1] : into.width;
            into.glyphs[i].advance = static_cast<std::int32_t>(next - positions[i]);
            if (next < positions[i]) unsupported_ = true; // right to left
        }
    }

    // The PDF font of a Qt font, added to the file the first time it draws a glyph.
    int FontOf(const QRawFont& raw) {
        for (std::size_t i = 0; i < known_.size(); ++i)
            if (known_[i] == raw) return numbers_[i];
        PdfFont font;
        font.name = QString(raw.familyName() + QLatin1Char('-') + raw.styleName())
                        .remove(QLatin1Char(' '))
                        .toStdString();
        const auto table = [&raw](const char* tag) {
            const QByteArray bytes = raw.fontTable(tag);
            return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        };
        TrueTypeTables& t = font.tables;
        t.head = table("head");
        t.hhea = table("hhea");
        t.maxp = table("maxp");
        t.loca = table("loca");
        t.glyf = table("glyf");
        t.hmtx = table("hmtx");
        t.cvt = table("cvt ");
        t.fpgm = table("fpgm");
        t.prep = table("prep");
        font.codePoints = [raw](std::span<const std::uint16_t> glyphs) { return CodePoints(raw, glyphs); };
        const int number = pdf_.AddFont(std::move(font));
        known_.push_back(raw);
        numbers_.push_back(number);
        if (number >= 0) {
            if (sizes_.size() <= static_cast<std::size_t>(number))
                sizes_.resize(static_cast<std::size_t>(number) + 1);
            sizes_[static_cast<std::size_t>(number)] = raw.pixelSize();
        }
        return number;
    }

    // The lowest code point of the Basic Multilingual Plane the font maps to each glyph, the text
    // Qt's PDF engine gives a glyph.
    static std::vector<char32_t> CodePoints(const QRawFont& raw, std::span<const std::uint16_t> glyphs) {
        std::vector<QChar> chars;
        for (char32_t c = 1; c < 0x10000; ++c)
            if (c < 0xD800 || c > 0xDFFF) chars.emplace_back(static_cast<char16_t>(c));
        std::vector<quint32> indexes(chars.size());
        int count = static_cast<int>(indexes.size());
        raw.glyphIndexesForChars(chars.data(), static_cast<int>(chars.size()), indexes.data(), &count);
        std::unordered_map<std::uint16_t, char32_t> lowest;
        for (int i = count - 1; i >= 0; --i)
            if (indexes[static_cast<std::size_t>(i)] != 0)
                lowest[static_cast<std::uint16_t>(indexes[static_cast<std::size_t>(i)])] =
                    chars[static_cast<std::size_t>(i)].unicode();
        std::vector<char32_t> codes;
        for (const std::uint16_t g : glyphs) {
            const auto found = lowest.find(g);
            codes.push_back(found == lowest.end() ? 0 : found->second);
        }
        return codes;
    }

    PdfFile& pdf_;
    const std::array<QFont, 3>& fonts_;
    QTextLayout layout_;
    std::array<bool, 3> wordsApart_{};
    struct Token {
        std::size_t begin = 0, end = 0;
        std::uint64_t hash = 0;
        std::optional<WordCache::Word> known;
    };
    WordCache words_;
    std::vector<Token> tokens_;
    std::vector<QRawFont> known_;
    std::vector<int> numbers_;
    std::vector<double> sizes_;
    std::vector<std::int64_t> positions_;
    bool unsupported_ = false;
};

// Writes the lines into the PDF file as the layout places them, each shaped once: the layout
// measures a line (or the parts it tries when wrapping) before placing it, and the shapings
// measured since the last line placed are kept for drawing it.
class PdfPageWriter final : public PrintedLineSink {
  public:
    PdfPageWriter(PdfFile& pdf, const QPrinter& printer)
        : pdf_(pdf), fonts_(FontsOf(printer)), shaper_(pdf, fonts_.fonts) {}

    int Width(std::string_view text, PrintStyle style) {
        // Rounded as QFontMetrics::horizontalAdvance rounds the advances' sum.
        const auto rounded = [](std::int64_t width) { return static_cast<int>((width + 32) >> 6); };
        // Wrapping measures a line cut at one blank after another: those are the widths up to the
        // words' ends in the line it measured first.
        for (std::size_t i = 0; i < used_; ++i) {
            const Measured& m = measured_[i];
            if (m.style != style || !std::string_view(m.text).starts_with(text)) continue;
            if (m.text.size() == text.size()) return rounded(m.shaping.width);
            const auto& ends = m.shaping.wordEnds;
            const auto end =
                std::lower_bound(ends.begin(), ends.end(), text.size(),
                                 [](const Shaping::WordEnd& e, std::size_t at) { return e.character < at; });
            if (end != ends.end() && end->character == text.size()) return rounded(end->width);
        }
        return rounded(Shaped(text, style).width);
    }

    bool Unsupported() const { return shaper_.Unsupported(); }

    bool StartPage() override { return !shaper_.Unsupported() && pdf_.StartPage(); }

    void PutLine(const PrintedLine& line) override {
        const Shaping& shaped = Shaped(line.text, line.style);
        // Rows are measured from the top of the line, the baseline stands the font's rounded
        // ascent below it, as QPainter::drawText puts it.
        const double baseline = line.y + fonts_.ascents[static_cast<std::size_t>(line.style)];
        std::size_t begin = 0;
        std::int64_t x = std::int64_t{line.x} * 64;
        for (const Shaping::Run& run : shaped.runs) {
            const std::span<const PdfGlyph> glyphs(shaped.glyphs.data() + begin, run.end - begin);
            pdf_.Text(run.font, shaper_.SizeOf(run.font), static_cast<double>(x) / 64, baseline, glyphs);
            for (const PdfGlyph& g : glyphs)
                x += g.advance;
            begin = run.end;
        }
        if (line.style == PrintStyle::BoldUnderlined && !shaped.glyphs.empty()) {
            // Where and how thick QPainter underlines: below the baseline by the font's underline
            // position rounded up, at most to one pixel above the descent.
            const double y =
                std::min(baseline + std::ceil(fonts_.underlinePosition) + 0.5, baseline + fonts_.descent - 1);
            pdf_.HorizontalLine(line.x, std::floor(line.x + static_cast<double>(shaped.width) / 64), y,
                                fonts_.lineWidth);
        }
        used_ = 0;
    }

  private:
    struct Measured {
        PrintStyle style = PrintStyle::Normal;
        std::string text;
        Shaping shaping;
    };

    const Shaping& Shaped(std::string_view text, PrintStyle style) {
        for (std::size_t i = 0; i < used_; ++i)
            if (measured_[i].style == style && measured_[i].text == text) return measured_[i].shaping;
        if (used_ == measured_.size()) measured_.emplace_back();
        Measured& m = measured_[used_++];
        m.style = style;
        m.text.assign(text);
        shaper_.Shape(text, style, m.shaping);
        return m.shaping;
    }

    PdfFile& pdf_;
    const PrinterFonts fonts_;
    PdfShaper shaper_;
    std::vector<Measured> measured_; // the first used_ are the ones measured since the last line
    std::size_t used_ = 0;
};

std::string Deflate(std::string_view bytes) {
    const QByteArray packed =
        qCompress(reinterpret_cast<const uchar*>(bytes.data()), static_cast<qsizetype>(bytes.size()), 3);
    // qCompress puts the length before the zlib stream; PDF wants the stream alone.
    return packed.size() > 4
               ? std::string(packed.constData() + 4, static_cast<std::size_t>(packed.size() - 4))
               : std::string();
}

} // namespace

PdfOutcome WritePdfPages(const QPrinter& printer, const std::filesystem::path& path,
                         const PageLayout& layOut) {
    // The page as Qt's PDF engine sets it out: the paper in points, device pixels from the
    // printable area's corner.
    const QPageLayout page = printer.pageLayout();
    const QRect paper = page.fullRectPoints();
    PdfPageFrame frame;
    frame.width = paper.width();
    frame.height = paper.height();
    frame.pointsPerPixel = 72.0 / printer.resolution();
    if (page.mode() != QPageLayout::FullPageMode) {
        const QRect printable = page.paintRectPixels(printer.resolution());
        frame.left = printable.left();
        frame.top = printable.top();
    }
    PdfFile pdf(frame, Deflate);
    if (!pdf.Open(path)) return PdfOutcome::Failed;
    PdfPageWriter pages(pdf, printer);
    if (pages.Unsupported()) return PdfOutcome::Unsupported;

    PrinterMeasures measures;
    measures.pointSize = QFontInfo(QFont()).pointSize();
    measures.dpiY = printer.logicalDpiY();
    measures.pageWidth = printer.width();
    measures.pageHeight = printer.height();
    measures.textWidth = [&pages](std::string_view text, PrintStyle style) {
        return pages.Width(text, style);
    };
    const bool laidOut = layOut(measures, pages);
    if (pages.Unsupported()) return PdfOutcome::Unsupported;
    return laidOut && pdf.Finish() ? PdfOutcome::Written : PdfOutcome::Failed;
}

} // namespace tavrin
