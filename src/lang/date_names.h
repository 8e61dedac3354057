// The names of the months and the weekdays a date is written with, in one language (8-bit).
#pragma once

#include <array>
#include <string>

namespace tavrin {

struct DateNames {
    std::array<std::string, 12> shortMonths; // January first
    std::array<std::string, 12> longMonths;
    std::array<std::string, 7> shortDays; // Monday first
    std::array<std::string, 7> longDays;
    friend bool operator==(const DateNames&, const DateNames&) = default;
};

// "Jan" .. "Dec", "January" .. "December", "Mon" .. "Sun", "Monday" .. "Sunday": the names where
// there is no system to give them (the command line).
const DateNames& EnglishDateNames();

} // namespace tavrin
