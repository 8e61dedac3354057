// The Qt printer side of printed reports: the pages a layout gives for the printer's measures,
// drawn with the printer's default font as they are laid out, for the export window's "Print"
// and "Preview" and for tavrin-cli print.
#pragma once

#include "platform/printed_pages.h"

#include <functional>

class QPrinter;

namespace tavrin {

// Lays out the pages for the printer's measures, handing each line to the sink as it is placed;
// false when the sink could not go on.
using PageLayout = std::function<bool(const PrinterMeasures&, PrintedLineSink&)>;

// Draws the pages one after another, each as the layout gives it. A printer writing into a file
// (PDF) writes it beside the target first and renames it over the target when complete; into a
// PDF file the glyphs are written by WritePdfPages, unless a font needs Qt's own PDF engine. False
// when the printer could not be started, could not begin a page, or the file could not be put in
// place.
bool PrintPages(QPrinter& printer, const PageLayout& layOut);

} // namespace tavrin
