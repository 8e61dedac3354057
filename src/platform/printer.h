// The Qt printer side of printed reports: the pages a layout gives for the printer's measures,
// drawn with the printer's default font, for the export window's "Print" and "Preview" and for
// tavrin-cli print.
#pragma once

#include "platform/printed_pages.h"

#include <functional>
#include <vector>

class QPrinter;

namespace tavrin {

using PageLayout = std::function<std::vector<PrintedPage>(const PrinterMeasures&)>;

// Draws the pages one after another. A printer writing into a file (PDF) writes it beside the
// target first and renames it over the target when complete. False when the printer could not be
// started or the file not put in place.
bool PrintPages(QPrinter& printer, const PageLayout& layOut);

} // namespace tavrin
