// The text export and the spreadsheet export of the browse list, as the exact bytes of their
// files: 8-bit Windows-1252, CR LF after every line, no byte-order mark.
#pragma once

#include "reports/detail_block.h"
#include "reports/report_choices.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace tavrin {

// The list name, a line of one blank, then one line per title ("Just The Titles") or each
// title's detail block followed by a line of one blank ("Other Informations").
std::string TextExport(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices);

// The header line of the columns of the ticked groups (TAB between names, none at the end), then
// one row per title, every value followed by a TAB. The list name is not written.
std::string SpreadsheetExport(const ReportContext& context, std::span<const std::uint16_t> browse,
                              const DetailChoices& details);

// Writes an export's bytes safely: into a temporary file beside path, renamed over it when
// complete, so a failure leaves any older file as it was.
Expected<Done, FileFailure> WriteExportFile(const std::filesystem::path& path, std::string_view bytes,
                                            bool flushToDisk = true);

} // namespace tavrin
