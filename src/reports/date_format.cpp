#include "reports/date_format.h"

#include <charconv>
#include <cstdlib>

namespace tavrin {
namespace {

void AppendNumber(std::string& out, long long value, int minDigits) {
    if (value < 0) {
        out += '-';
        value = -value;
    }
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto n = end - digits; n < minDigits; ++n)
        out += '0';
    out.append(digits, end);
}

} // namespace

DateFormat::DateFormat(std::string_view pattern) {
    auto literal = [this](char c) {
        if (pieces_.empty() || pieces_.back().part != Part::Literal) pieces_.push_back({Part::Literal, {}});
        pieces_.back().literal += c;
    };
    for (std::size_t i = 0; i < pattern.size();) {
        const std::string_view rest = pattern.substr(i);
        if (rest.starts_with("yyyy")) {
            pieces_.push_back({Part::Year4, {}});
            i += 4;
        } else if (rest.starts_with("yy")) {
            pieces_.push_back({Part::Year2, {}});
            i += 2;
        } else if (rest.starts_with("dd") || rest.starts_with("MM")) {
            pieces_.push_back({rest[0] == 'd' ? Part::Day2 : Part::Month2, {}});
            i += 2;
        } else if (rest[0] == 'd' || rest[0] == 'M') {
            pieces_.push_back({rest[0] == 'd' ? Part::Day : Part::Month, {}});
            i += 1;
        } else {
            literal(rest[0]);
            i += 1;
        }
    }
}

void DateFormat::AppendTo(std::string& out, DayNumber day) const {
    const CivilDate date = DateFromDayNumber(day);
    for (const Piece& piece : pieces_) {
        switch (piece.part) {
        case Part::Literal:
            out += piece.literal;
            break;
        case Part::Day:
            AppendNumber(out, date.day, 1);
            break;
        case Part::Day2:
            AppendNumber(out, date.day, 2);
            break;
        case Part::Month:
            AppendNumber(out, date.month, 1);
            break;
        case Part::Month2:
            AppendNumber(out, date.month, 2);
            break;
        case Part::Year2:
            AppendNumber(out, std::abs(date.year) % 100, 2);
            break;
        case Part::Year4:
            AppendNumber(out, date.year, 4);
            break;
        }
    }
}

} // namespace tavrin
