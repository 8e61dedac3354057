// The printed list as pages of positioned lines: rows of one line height, the centred bold and
// underlined heading, then the titles (one line each) or their detail blocks. The printer side
// only draws what this gives.
#pragma once

#include "platform/printed_pages.h"
#include "reports/detail_block.h"
#include "reports/report_choices.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The page's measures, in printer pixels.
struct PrintMetrics {
    int lineHeight = 1;
    int pageWidth = 0;
    int pageHeight = 0;
    // The width of a text in a style; without it lines are neither centred nor wrapped.
    std::function<int(std::string_view text, PrintStyle style)> textWidth;
};

inline constexpr int PrintLeftMargin = 100;

// The line height of a font size at a vertical resolution: |size * dpi / 72| rounded, times 1.4,
// truncated (10 points at 600 dpi: 116). At least 1.
int PrintLineHeight(int pointSize, int dpiY);
// The last row a page takes: page height div line height, minus 4.
int LinesPerPage(int pageHeight, int lineHeight);
// The rows one title's block is expected to take, from the ticked boxes.
int BlockEstimate(const DetailChoices& details);
// The line of the printed title list: title (year) medium [zone].
std::string PrintedTitleLine(const TitleRecord& title);

// Lays out the browse list, handing each line to sink as it is placed. Rows are numbered from 0
// on each page, a row r standing at y = r * line height; the last row of a page is LinesPerPage.
// The heading stands on row 0 of the first page only. "Just The Titles": titles from row 2. "Other
// Informations": an empty row before each title, its block in the printed form with the heading
// line in bold, and a new page after a block when fewer than the estimated rows of a block are
// left. No line is ever placed below the last row: a block that does not fit the rest of its page
// goes on over the next page. A page is started only for a line to put on it, so the list never
// ends with a blank page. A line wider than the page (less a margin as wide as the left one) is
// wrapped at its last blank that fits, or within a word longer than the width, its parts on rows
// of their own. False when the sink could not start a page, and the layout stopped there.
bool LayOutPrintedList(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices, const PrintMetrics& metrics, PrintedLineSink& sink);
// The same for a printer's measures: the line height from its font size and resolution.
bool LayOutPrintedList(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices, const PrinterMeasures& printer, PrintedLineSink& sink);
// The same gathered as pages.
std::vector<PrintedPage> LayOutPrintedList(const ReportContext& context,
                                           std::span<const std::uint16_t> browse,
                                           const ExportChoices& choices, const PrintMetrics& metrics);

} // namespace tavrin
