#include "platform/printer.h"

#include "platform/pdf_pages.h"
#include "store/text_encoding.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <QTextLayout>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace tavrin {
namespace {

QString FromCp1252(std::string_view text) {
    const std::string utf8 = Cp1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont StyledFont(const QFont& normal, PrintStyle style) {
    QFont font = normal;
    font.setBold(style != PrintStyle::Normal);
    font.setUnderline(style == PrintStyle::BoldUnderlined);
    return font;
}

// Draws the lines on the printer as the layout places them. Each text is shaped once: the layout
// measures a line (or the parts it tries when wrapping) before placing it, and the shaped texts
// measured since the last line placed are kept, so that the one placed is drawn from its shaping.
class PagePainter final : public PrintedLineSink {
  public:
    PagePainter(QPainter& painter, QPrinter& printer) : painter_(painter), printer_(printer) {
        const QFont normal = painter.font();
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            // Resolved for the printer, as the painter resolves the font it draws with.
            fonts_[i] = QFont(StyledFont(normal, static_cast<PrintStyle>(i)), &printer);
            ascents_[i] = QFontMetrics(fonts_[i], &printer).ascent();
        }
    }

    int Width(std::string_view text, PrintStyle style) { return Shaped(text, style).width; }

    bool StartPage() override {
        if (!first_ && !printer_.newPage()) return false;
        first_ = false;
        return true;
    }

    void PutLine(const PrintedLine& line) override {
        const Shaping& shaped = Shaped(line.text, line.style);
        const QTextLine row = shaped.layout->lineAt(0);
        // Rows are measured from the top of the line, the text's baseline stands the font's
        // rounded ascent below it, as QPainter::drawText puts it.
        const auto i = static_cast<std::size_t>(line.style);
        shaped.layout->draw(&painter_, QPointF(line.x, line.y + ascents_[i] - row.ascent()));
        used_ = 0; // what was measured for this line is of no use to the next
    }

  private:
    struct Shaping {
        PrintStyle style = PrintStyle::Normal;
        std::string text;
        std::unique_ptr<QTextLayout> layout;
        int width = 0;
    };

    // The shaping of a text in a style: one measured since the last line placed, or a new one.
    const Shaping& Shaped(std::string_view text, PrintStyle style) {
        for (std::size_t i = 0; i < used_; ++i)
            if (shapings_[i].style == style && shapings_[i].text == text) return shapings_[i];
        if (used_ == shapings_.size()) {
            shapings_.emplace_back();
            shapings_.back().layout = std::make_unique<QTextLayout>();
            shapings_.back().layout->setCacheEnabled(true); // keeps the glyphs for drawing
        }
        Shaping& s = shapings_[used_++];
        s.style = style;
        s.text.assign(text);
        QTextLayout& layout = *s.layout;
        layout.setFont(fonts_[static_cast<std::size_t>(style)]);
        layout.setText(FromCp1252(text));
        layout.beginLayout();
        QTextLine row = layout.createLine();
        if (row.isValid()) row.setNumColumns(static_cast<int>(text.size()) + 1);
        layout.endLayout();
        // As QFontMetrics::horizontalAdvance gives it: the advances summed, then rounded.
        s.width = row.isValid() ? qRound(row.horizontalAdvance()) : 0;
        return s;
    }

    QPainter& painter_;
    QPrinter& printer_;
    std::array<QFont, 3> fonts_;
    std::array<int, 3> ascents_{};
    std::vector<Shaping> shapings_; // the first used_ are the ones measured since the last line
    std::size_t used_ = 0;
    bool first_ = true;
};

bool DrawPages(QPrinter& printer, const PageLayout& layOut) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    PagePainter pages(painter, printer);

    PrinterMeasures measures;
    measures.pointSize = QFontInfo(painter.font()).pointSize();
    measures.dpiY = printer.logicalDpiY();
    measures.pageWidth = printer.width();
    measures.pageHeight = printer.height();
    measures.textWidth = [&pages](std::string_view text, PrintStyle style) {
        return pages.Width(text, style);
    };

    const bool laidOut = layOut(measures, pages);
    return painter.end() && laidOut;
}

} // namespace

bool PrintPages(QPrinter& printer, const PageLayout& layOut) {
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return DrawPages(printer, layOut);
    // A file is written beside its target and put in place complete, so that a failure leaves
    // an older file as it was.
    const QString partial = target + QStringLiteral(".partial");
    const std::filesystem::path from = partial.toStdU16String(), to = target.toStdU16String();
    PdfOutcome written = PdfOutcome::Unsupported;
    if (printer.outputFormat() == QPrinter::PdfFormat) written = WritePdfPages(printer, from, layOut);
    if (written == PdfOutcome::Unsupported) {
        printer.setOutputFileName(partial);
        written = DrawPages(printer, layOut) ? PdfOutcome::Written : PdfOutcome::Failed;
        printer.setOutputFileName(target);
    }
    std::error_code ec;
    if (written == PdfOutcome::Written) std::filesystem::rename(from, to, ec);
    if (written != PdfOutcome::Written || ec) {
        std::filesystem::remove(from, ec);
        return false;
    }
    return true;
}

} // namespace tavrin
