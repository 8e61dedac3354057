// The printed list on a Qt printer: the laid-out pages drawn with the printer's default font,
// for the export window's "Print" and "Preview" and for tavrin-cli print.
#pragma once

#include "reports/print_layout.h"

#include <cstdint>
#include <span>

class QPrinter;

namespace tavrin {

// Lays out the list for the printer's page and font and draws it, one page after another. A
// printer writing into a file (PDF) writes it beside the target first and renames it over the
// target when complete. False when the printer could not be started or the file not put in place.
bool PrintListOn(QPrinter& printer, const ReportContext& context, std::span<const std::uint16_t> browse,
                 const ExportChoices& choices);

} // namespace tavrin
