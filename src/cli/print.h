// `tavrin-cli print FILE [--details all|NAMES] [--name TEXT] [--filters JSON] [--today YYYY-MM-DD]
// [--lang en|fr|de|it|fi] [--date-format PATTERN] --pdf OUT.pdf`: the printed list, as the export
// window prints it, into a PDF file through Qt's printer support on the offscreen platform.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

int RunPrint(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
