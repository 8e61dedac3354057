// Dates as the reports write them: a day number through a short-date pattern such as the
// system's ("dd/MM/yyyy", "M/d/yy", "d MMM yyyy", "d 'de' MMMM 'de' yyyy").
#pragma once

#include "lang/date_names.h"
#include "store/day_number.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A pattern read once and applied to many dates, letter for letter as the system's date formats
// are read: d and dd the day (7, 07), ddd and dddd its weekday's short and long name; M and MM the
// month (7, 07), MMM and MMMM its short and long name; yy and yyyy the year (05, 2005). A longer
// run of a letter is read four (or, for y, two) at a time ("ddddd" is "dddd" then "d"), a lone y
// is written as it is. Text between single quotes is written as it is ('de'), and two single
// quotes write one; every other character is written unchanged. The names come from names (the
// system's language: the windows hand them over), in English when none are given.
class DateFormat {
  public:
    explicit DateFormat(std::string_view pattern = "dd/MM/yyyy", DateNames names = EnglishDateNames());
    // Appends the date of a day number.
    void AppendTo(std::string& out, DayNumber day) const;

  private:
    enum class Part {
        Literal,
        Day,
        Day2,
        DayName,
        LongDayName,
        Month,
        Month2,
        MonthName,
        LongMonthName,
        Year2,
        Year4
    };
    struct Piece {
        Part part;
        std::string literal;
    };
    std::vector<Piece> pieces_;
    DateNames names_;
};

} // namespace tavrin
