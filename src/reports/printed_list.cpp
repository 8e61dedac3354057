#include "reports/printed_list.h"

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

} // namespace

namespace {

bool DrawList(QPrinter& printer, const ReportContext& context, std::span<const std::uint16_t> browse,
              const ExportChoices& choices) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QFont normal = painter.font();
    const QFontMetrics headingMetrics(StyledFont(normal, PrintStyle::BoldUnderlined), &printer);

    PrintMetrics metrics;
    metrics.lineHeight = PrintLineHeight(QFontInfo(normal).pointSize(), printer.logicalDpiY());
    metrics.pageWidth = printer.width();
    metrics.pageHeight = printer.height();
    metrics.headingWidth = [&](std::string_view text) {
        return headingMetrics.horizontalAdvance(FromCp1252(text));
    };

    std::array<QFont, 3> fonts;
    std::array<int, 3> ascents{};
    for (auto style : {PrintStyle::Normal, PrintStyle::Bold, PrintStyle::BoldUnderlined}) {
        const auto i = static_cast<std::size_t>(style);
        fonts[i] = StyledFont(normal, style);
        ascents[i] = QFontMetrics(fonts[i], &printer).ascent();
    }

    const auto pages = LayOutPrintedList(context, browse, choices, metrics);
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
            painter.drawText(line.x, line.y + ascents[i], FromCp1252(line.text));
        }
    }
    return painter.end();
}

} // namespace

bool PrintListOn(QPrinter& printer, const ReportContext& context, std::span<const std::uint16_t> browse,
                 const ExportChoices& choices) {
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return DrawList(printer, context, browse, choices);
    // A file is written beside its target and put in place complete, so that a failure leaves
    // an older file as it was.
    const QString partial = target + QStringLiteral(".partial");
    printer.setOutputFileName(partial);
    const bool drawn = DrawList(printer, context, browse, choices);
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
