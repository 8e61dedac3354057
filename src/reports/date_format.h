// Dates as the reports write them: a day number through a short-date pattern such as the
// system's ("dd/MM/yyyy", "M/d/yy").
#pragma once

#include "store/day_number.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A pattern read once and applied to many dates. The letters d, dd, M, MM, yy and yyyy stand for
// the day, the month (one or two digits: "d" gives 7, "dd" 07) and the year (two or four digits);
// longer runs of a letter are read greedily ("ddd" is "dd" then "d"), a lone y is kept as it is,
// and every other character is written unchanged.
class DateFormat {
  public:
    explicit DateFormat(std::string_view pattern = "dd/MM/yyyy");
    // Appends the date of a day number.
    void AppendTo(std::string& out, DayNumber day) const;

  private:
    enum class Part { Literal, Day, Day2, Month, Month2, Year2, Year4 };
    struct Piece {
        Part part;
        std::string literal;
    };
    std::vector<Piece> pieces_;
};

} // namespace tavrin
