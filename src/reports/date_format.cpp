#include "reports/date_format.h"

#include <algorithm>
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

// The weekday of a day number, 0 for Monday .. 6 for Sunday: day 0, 30 December 1899, was a
// Saturday.
std::size_t Weekday(DayNumber day) {
    const long long fromMonday = (static_cast<long long>(day) + 5) % 7;
    return static_cast<std::size_t>(fromMonday < 0 ? fromMonday + 7 : fromMonday);
}

} // namespace

DateFormat::DateFormat(std::string_view pattern, DateNames names) : names_(std::move(names)) {
    auto literal = [this](std::string_view text) {
        if (pieces_.empty() || pieces_.back().part != Part::Literal) pieces_.push_back({Part::Literal, {}});
        pieces_.back().literal += text;
    };
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'') {
            // Quoted text, two quotes standing for one inside it or alone.
            ++i;
            if (i < pattern.size() && pattern[i] == '\'') {
                literal("'");
                ++i;
                continue;
            }
            while (i < pattern.size()) {
                if (pattern[i] != '\'') {
                    literal(pattern.substr(i++, 1));
                } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                    literal("'");
                    i += 2;
                } else {
                    ++i; // the closing quote
                    break;
                }
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == 'd' || c == 'M') {
            run = std::min<std::size_t>(run, 4);
            static constexpr Part days[] = {Part::Day, Part::Day2, Part::DayName, Part::LongDayName};
            static constexpr Part months[] = {Part::Month, Part::Month2, Part::MonthName,
                                              Part::LongMonthName};
            pieces_.push_back({(c == 'd' ? days : months)[run - 1], {}});
        } else if (c == 'y' && run >= 2) {
            run = run >= 4 ? 4 : 2;
            pieces_.push_back({run == 4 ? Part::Year4 : Part::Year2, {}});
        } else {
            run = 1;
            literal(pattern.substr(i, 1));
        }
        i += run;
    }
}

void DateFormat::AppendTo(std::string& out, DayNumber day) const {
    const CivilDate date = DateFromDayNumber(day);
    const auto month = static_cast<std::size_t>(date.month - 1);
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
        case Part::DayName:
            out += names_.shortDays[Weekday(day)];
            break;
        case Part::LongDayName:
            out += names_.longDays[Weekday(day)];
            break;
        case Part::Month:
            AppendNumber(out, date.month, 1);
            break;
        case Part::Month2:
            AppendNumber(out, date.month, 2);
            break;
        case Part::MonthName:
            out += names_.shortMonths[month];
            break;
        case Part::LongMonthName:
            out += names_.longMonths[month];
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
