// `tavrin-cli convert IN OUT`: any version of a collection file in, version "KX5" out.
#pragma once

#include "cli/options.h"

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr std::string_view ConvertArguments[] = {"IN", "OUT"};
inline constexpr Syntax ConvertSyntax{ConvertArguments};

// OUT is replaced in one step, so a failure leaves an existing OUT as it was.
int RunConvert(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
