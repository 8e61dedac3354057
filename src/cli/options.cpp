#include "cli/options.h"

namespace tavrin::cli {
namespace {

const Option* Find(const Syntax& syntax, std::string_view name) {
    const auto found = std::find_if(syntax.options.begin(), syntax.options.end(),
                                    [&](const Option& o) { return o.name == name; });
    return found == syntax.options.end() ? nullptr : &*found;
}

std::string Shown(const Option& o) {
    std::string text(o.name);
    if (!o.value.empty()) text += " " + std::string(o.value);
    return o.required ? text : "[" + text + "]";
}

Unexpected<UsageFault> Fault(UsageFault::Kind kind, std::string_view option, bool last = false) {
    return Unexpected(UsageFault{kind, std::string(option), last, {}});
}

} // namespace

std::pair<std::size_t, std::size_t> ArgumentCount(const Syntax& syntax) {
    std::size_t fewest = syntax.positionals.size(), most = fewest;
    for (const Option& o : syntax.options) {
        const std::size_t size = o.value.empty() ? 1 : 2;
        most += size;
        if (o.required) fewest += size;
    }
    return {fewest, most};
}

std::string ArgumentsText(const Syntax& syntax) {
    std::vector<std::string> parts(syntax.positionals.begin(), syntax.positionals.end());
    bool labelShown = false;
    for (const Option& o : syntax.options) {
        if (o.required || syntax.optionsLabel.empty()) {
            parts.push_back(Shown(o));
        } else if (!labelShown) {
            parts.push_back("[" + std::string(syntax.optionsLabel) + "]");
            labelShown = true;
        }
    }
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : " ") + part;
    return text;
}

std::vector<std::string> OptionalOptionTexts(const Syntax& syntax) {
    std::vector<std::string> texts;
    for (const Option& o : syntax.options)
        if (!o.required) texts.push_back(Shown(o));
    return texts;
}

std::string TakesText(std::string_view name, const Syntax& syntax) {
    return std::string(name) + " takes " + ArgumentsText(syntax);
}

bool ParsedArgs::Has(std::string_view option) const {
    return Value(option).has_value();
}

std::optional<std::string_view> ParsedArgs::Value(std::string_view option) const {
    for (const auto& [name, value] : options)
        if (name == option) return value;
    return std::nullopt;
}

Expected<ParsedArgs, UsageFault> ParseArgs(const Syntax& syntax, Args args, const OptionReader& read) {
    if (args.size() < syntax.positionals.size()) return Fault(UsageFault::Kind::TooFew, {});
    ParsedArgs parsed;
    parsed.positionals.assign(args.begin(), args.begin() + syntax.positionals.size());
    for (std::size_t i = syntax.positionals.size(); i < args.size();) {
        const std::string_view name = args[i];
        const bool last = i + 1 == args.size();
        const Option* option = Find(syntax, name);
        if (!option) return Fault(UsageFault::Kind::Unknown, name, last);
        if (parsed.Has(name)) return Fault(UsageFault::Kind::Repeated, name, last);
        std::string_view value;
        if (option->value.empty()) {
            i += 1;
        } else {
            if (last) return Fault(UsageFault::Kind::NoValue, name);
            value = args[i + 1];
            i += 2;
        }
        if (read)
            if (auto problem = read(name, value))
                return Unexpected(
                    UsageFault{UsageFault::Kind::Value, std::string(name), false, std::move(*problem)});
        parsed.options.emplace_back(name, value);
    }
    for (const Option& o : syntax.options)
        if (o.required && !parsed.Has(o.name)) return Fault(UsageFault::Kind::Missing, o.name);
    return parsed;
}

std::string FaultText(const UsageFault& fault, FaultWords words) {
    using Kind = UsageFault::Kind;
    const std::string& o = fault.option;
    switch (fault.kind) {
    case Kind::TooFew:
        return "missing arguments";
    case Kind::Unknown:
    case Kind::Repeated:
        if (words == FaultWords::Report) {
            if (fault.kind == Kind::Repeated) return o + " is given twice";
            return fault.last ? o + " needs a value" : "unknown option " + o;
        }
        if (words == FaultWords::List && fault.last) return o + " needs a value";
        return "unknown or repeated option " + o;
    case Kind::NoValue:
        return o + " needs a value";
    case Kind::Missing:
        return o + " is required";
    case Kind::Value:
        return fault.problem;
    }
    return {};
}

} // namespace tavrin::cli
