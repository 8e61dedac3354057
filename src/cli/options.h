// The one reading of a command line. A command declares what it takes, its positional arguments
// first and then its options, and that declaration both reads the arguments and writes the help,
// so the two cannot disagree.
#pragma once

#include "store/expected.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrin::cli {

using Args = std::span<const std::string_view>;

// One option: a flag, or an option followed by its value.
struct Option {
    std::string_view name;  // "--today"
    std::string_view value; // the value as the help shows it ("YYYY-MM-DD"); empty for a flag
    std::string_view help;  // what it does, for the help's option list
    bool required = false;
};

// What follows a command's name: the positional arguments (always there, whatever they look
// like), then the options in any order, each at most once.
struct Syntax {
    std::span<const std::string_view> positionals;
    std::span<const Option> options = {};
    // When set, the optional options show as "[LABEL]" in the arguments, listed on a line of their own.
    std::string_view optionsLabel = {};
};

// A word after a command's name that picks what it does (`names save`), and what follows the word.
struct Action {
    std::string_view name;
    Syntax syntax;
    std::string_view summary;
};

// The collection most commands read.
inline constexpr std::string_view FileArgument[] = {"FILE"};

// The options of several declarations as one list, in order.
template <std::size_t... N> constexpr auto JoinOptions(const std::array<Option, N>&... parts) {
    std::array<Option, (N + ...)> all{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), all.begin() + at), at += N), ...);
    return all;
}

// The fewest and the most arguments a syntax takes, an option's value counted as one.
std::pair<std::size_t, std::size_t> ArgumentCount(const Syntax& syntax);

// The arguments as one line: "FILE --chart CHART [OPTIONS]", "FILE [--filters JSON]".
std::string ArgumentsText(const Syntax& syntax);
// The options "[LABEL]" stands for, as the help lists them: "[--year Y]", "[--month 0..12]" ..
std::vector<std::string> OptionalOptionTexts(const Syntax& syntax);
// "NAME takes ARGUMENTS", the refusal of a command line that does not fit.
std::string TakesText(std::string_view name, const Syntax& syntax);

struct ParsedArgs {
    std::vector<std::string_view> positionals;
    std::vector<std::pair<std::string_view, std::string_view>> options; // as given; a flag's value empty

    bool Has(std::string_view option) const;
    std::optional<std::string_view> Value(std::string_view option) const;
};

// Why a command line does not fit its syntax.
struct UsageFault {
    enum class Kind {
        TooFew,   // fewer arguments than the positional ones
        Unknown,  // an option the command does not take
        Repeated, // an option given twice
        NoValue,  // an option's value is missing
        Missing,  // a required option is not given
        Value,    // the reader refused the value: problem says why
    };
    Kind kind = Kind::TooFew;
    std::string option;
    bool last = false; // Unknown, Repeated: nothing follows the option
    std::string problem;
};

// Reads an option's value as it is met, so that the first fault on the line is the one reported;
// gives the problem with the value, if any.
using OptionReader =
    std::function<std::optional<std::string>(std::string_view option, std::string_view value)>;

Expected<ParsedArgs, UsageFault> ParseArgs(const Syntax& syntax, Args args, const OptionReader& read = {});

// The commands word a fault in one of three ways, as they always have (scripts may match them).
enum class FaultWords {
    Plain,  // "unknown or repeated option X", "X needs a value", "X is required"
    List,   // as Plain, but an unknown or repeated option at the end "needs a value"
    Report, // "unknown option X" ("X needs a value" at the end), "X is given twice"
};
std::string FaultText(const UsageFault& fault, FaultWords words);

} // namespace tavrin::cli
