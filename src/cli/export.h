// `tavrin-cli export FILE --format text|tsv [--details all|NAMES] [--name TEXT] [--filters JSON]
// [--today YYYY-MM-DD] [--lang en|fr|de|it|fi] [--date-format PATTERN] --out OUT`: the browse list
// written as the export window writes it, byte for byte.
#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

int RunExport(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
