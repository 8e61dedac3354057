// `tavrin-cli export FILE --format html [REPORT OPTIONS] --out OUT.htm`: the same files as the
// HTML options window writes, pictures copied beside them.
#pragma once

#include "cli/options.h"
#include "reports/detail_block.h"
#include "reports/html_page_parts.h"
#include "store/pictures/picture_codec.h"

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tavrin::cli {

// The options of the HTML options window; they go with --format html only.
inline constexpr std::array<Option, 6> HtmlExportOptions{{
    {"--multi-page", {}, "html: a page for each title beside the list's page (needs --details)"},
    {"--frames", {}, "html: the list and a title's page in two frames (needs --multi-page)"},
    {"--image", "none|above|right|left",
     "html: each title's cover picture above its details, to their right or to their left (none: no "
     "pictures, the default)"},
    {"--text-color", "RRGGBB", "html: the text colour (black by default)"},
    {"--background", "RRGGBB", "html: the background colour (white by default)"},
    {"--background-image", "REF", "html: the background picture, as the page refers to it"},
}};

// True for one of HtmlExportOptions.
bool IsHtmlOption(std::string_view option);
// Sets one of HtmlExportOptions (a flag's value is empty); a problem comes back as its message.
std::optional<std::string> ReadHtmlOption(std::string_view option, std::string_view value, HtmlOptions& html);

// Writes the pages and copies the pictures, those browsers do not show converted to PNG by codec;
// failures are reported on err, one line each.
int WriteHtmlFiles(const std::filesystem::path& out, const ReportContext& context,
                   std::span<const std::uint16_t> browse, const ExportChoices& choices,
                   const HtmlOptions& html, const PictureCodec* codec, std::ostream& err);

} // namespace tavrin::cli
