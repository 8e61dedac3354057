// Dates as day numbers: signed days counted from 30 December 1899 (day 0), so 1 January 1900 is
// day 2 and 1 January 2000 is day 36526.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace tavrin {

using DayNumber = std::int32_t;

struct CivilDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// True for a real calendar day between years 1 and 9999.
bool IsValidDate(int year, int month, int day);
// The day number of a valid date; nothing for 31 February and the like.
std::optional<DayNumber> DayNumberFromDate(int year, int month, int day);

// The system's local date and time now.
std::tm LocalTimeNow();
CivilDate DateFromDayNumber(DayNumber day);

} // namespace tavrin
