// `tavrin-cli export FILE --format html [--details all|NAMES] [--multi-page] [--frames]
// [--image none|right|left] [--text-color RRGGBB] [--background RRGGBB] [--background-image REF]
// [--name TEXT] [--filters JSON] [--today YYYY-MM-DD] [--lang CODE] [--date-format PATTERN]
// --out OUT.htm`: the same files as the HTML options window writes, pictures copied beside them.
#pragma once

#include "reports/detail_block.h"
#include "reports/html_page_parts.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tavrin::cli {

// The options of the HTML export that take no value.
bool IsHtmlFlag(std::string_view option);
// True when option is one of the HTML export's own.
bool IsHtmlOption(std::string_view option);
// Sets a flag (value empty) or an option with its value; a problem comes back as its message.
std::optional<std::string> ReadHtmlOption(std::string_view option, std::string_view value, HtmlOptions& html);

// The MEDIAS and TEXT folders as the program finds them: TAVRIN_HOME, else the program's folder
// when it can be written, else the user's data folder.
HtmlFolders ProgramHtmlFolders();

// Writes the pages and copies the pictures; failures are reported on err, one line each.
int WriteHtmlFiles(const std::filesystem::path& out, const ReportContext& context,
                   std::span<const std::uint16_t> browse, const ExportChoices& choices,
                   const HtmlOptions& html, std::ostream& err);

} // namespace tavrin::cli
