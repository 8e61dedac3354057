// The user's date conventions, from the platform's locale.
#pragma once

#include "lang/date_names.h"

#include <string>

class QLocale;

namespace tavrin {

// A locale's short date format as a pattern for DateFormat (8-bit), quoted text and all:
// "dd/MM/yyyy", "M/d/yy", "d MMM yyyy".
std::string ShortDatePattern(const QLocale& locale);
// The month and weekday names a locale writes dates with, short and long (8-bit).
DateNames DateNamesOf(const QLocale& locale);

// The same for the system's locale.
std::string SystemShortDatePattern();
DateNames SystemDateNames();

} // namespace tavrin
