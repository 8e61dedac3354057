// The printed list on a Qt printer: the laid-out pages drawn with the printer's default font,
// for the export window's "Print" and "Preview" and for tavrin-cli print.
#pragma once

#include "reports/print_layout.h"

#include <cstdint>
#include <span>

class QPrinter;

namespace tavrin {

// Lays out the list for the printer's page and font and draws it, one page after another. False
// when the printer could not be started (a PDF file that cannot be created, a printer error).
bool PrintListOn(QPrinter& printer, const ReportContext& context, std::span<const std::uint16_t> browse,
                 const ExportChoices& choices);

} // namespace tavrin
