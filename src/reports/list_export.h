// The text export and the spreadsheet export of the browse list, as the exact bytes of their
// files: 8-bit Windows-1252, CR LF after every line, no byte-order mark.
#pragma once

#include "reports/detail_block.h"
#include "reports/report_choices.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

// Receives an export's bytes piece by piece, in order; false stops the export.
using ExportPieces = std::function<bool(std::string_view piece)>;

// The list name, a line of one blank, then one line per title ("Just The Titles") or each
// title's detail block followed by a line of one blank ("Other Informations").
std::string TextExport(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices);
// The same bytes handed on in pieces of a bounded size; false when the receiver stopped it.
bool TextExportTo(const ReportContext& context, std::span<const std::uint16_t> browse,
                  const ExportChoices& choices, const ExportPieces& emit);

// The header line of the columns of the ticked groups (TAB between names, none at the end), then
// one row per title, every value followed by a TAB. The list name is not written.
std::string SpreadsheetExport(const ReportContext& context, std::span<const std::uint16_t> browse,
                              const DetailChoices& details);
bool SpreadsheetExportTo(const ReportContext& context, std::span<const std::uint16_t> browse,
                         const DetailChoices& details, const ExportPieces& emit);

// Write an export into a file safely: into a temporary file beside path, renamed over it when
// complete, so a failure leaves any older file as it was.
Expected<Done, FileFailure> WriteTextExport(const std::filesystem::path& path, const ReportContext& context,
                                            std::span<const std::uint16_t> browse,
                                            const ExportChoices& choices, bool flushToDisk = true);
Expected<Done, FileFailure> WriteSpreadsheetExport(const std::filesystem::path& path,
                                                   const ReportContext& context,
                                                   std::span<const std::uint16_t> browse,
                                                   const DetailChoices& details, bool flushToDisk = true);

} // namespace tavrin
