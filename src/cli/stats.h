// `tavrin-cli stats FILE --chart NAME [--year Y] [--month 0..12] [--filters JSON]
// [--today YYYY-MM-DD] [--lang CODE]`: a statistics chart as the window draws it, as one JSON
// object (caption, bars, labels, footer, message, years), or null when the window would stay as
// it was. `tavrin-cli price FILE [--filters JSON] [--today YYYY-MM-DD]`: the price summary.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

int RunStats(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunPrice(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
