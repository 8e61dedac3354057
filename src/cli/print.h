// `tavrin-cli print FILE [REPORT OPTIONS] --pdf OUT.pdf`: the printed list, as the export window
// prints it, into a PDF file through Qt's printer support on the offscreen platform.
#pragma once

#include "cli/options.h"
#include "cli/report_options.h"

#include <array>
#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr auto PrintOptions =
    JoinOptions(ReportOptions, std::array<Option, 1>{{{"--pdf", "OUT.pdf", "the PDF file written", true}}});
inline constexpr Syntax PrintSyntax{FileArgument, PrintOptions, "REPORT OPTIONS"};

int RunPrint(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
