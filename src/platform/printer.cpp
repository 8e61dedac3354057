#include "platform/printer.h"

#include "store/text_encoding.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QString>

#include <array>
#include <filesystem>
#include <system_error>

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

bool DrawPages(QPrinter& printer, const PageLayout& layOut) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QFont normal = painter.font();

    const std::array<QFont, 3> fonts{StyledFont(normal, PrintStyle::Normal),
                                     StyledFont(normal, PrintStyle::Bold),
                                     StyledFont(normal, PrintStyle::BoldUnderlined)};
    const std::array<QFontMetrics, 3> metrics{
        QFontMetrics(fonts[0], &printer), QFontMetrics(fonts[1], &printer), QFontMetrics(fonts[2], &printer)};

    PrinterMeasures measures;
    measures.pointSize = QFontInfo(normal).pointSize();
    measures.dpiY = printer.logicalDpiY();
    measures.pageWidth = printer.width();
    measures.pageHeight = printer.height();
    measures.textWidth = [&](std::string_view text, PrintStyle style) {
        return metrics[static_cast<std::size_t>(style)].horizontalAdvance(FromCp1252(text));
    };

    const auto pages = layOut(measures);
    bool first = true;
    for (const PrintedPage& page : pages) {
        if (!first && !printer.newPage()) {
            painter.end();
            return false;
        }
        first = false;
        for (const PrintedLine& line : page) {
            const auto i = static_cast<std::size_t>(line.style);
            painter.setFont(fonts[i]);
            // Rows are measured from the top of the line, Qt draws from the baseline.
            painter.drawText(line.x, line.y + metrics[i].ascent(), FromCp1252(line.text));
        }
    }
    return painter.end();
}

} // namespace

bool PrintPages(QPrinter& printer, const PageLayout& layOut) {
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return DrawPages(printer, layOut);
    // A file is written beside its target and put in place complete, so that a failure leaves
    // an older file as it was.
    const QString partial = target + QStringLiteral(".partial");
    printer.setOutputFileName(partial);
    const bool drawn = DrawPages(printer, layOut);
    printer.setOutputFileName(target);
    std::error_code ec;
    const std::filesystem::path from = partial.toStdU16String(), to = target.toStdU16String();
    if (drawn) std::filesystem::rename(from, to, ec);
    if (!drawn || ec) {
        std::filesystem::remove(from, ec);
        return false;
    }
    return true;
}

} // namespace tavrin
