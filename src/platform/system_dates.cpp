#include "platform/system_dates.h"

#include "platform/text.h"

#include <QLocale>

namespace tavrin {

std::string ShortDatePattern(const QLocale& locale) {
    // As Qt gives it: DateFormat reads its quoted text.
    return Cp1252FromQString(locale.dateFormat(QLocale::ShortFormat));
}

DateNames DateNamesOf(const QLocale& locale) {
    DateNames names;
    for (int m = 1; m <= 12; ++m) {
        names.shortMonths[static_cast<std::size_t>(m - 1)] =
            Cp1252FromQString(locale.monthName(m, QLocale::ShortFormat));
        names.longMonths[static_cast<std::size_t>(m - 1)] =
            Cp1252FromQString(locale.monthName(m, QLocale::LongFormat));
    }
    for (int d = 1; d <= 7; ++d) {
        names.shortDays[static_cast<std::size_t>(d - 1)] =
            Cp1252FromQString(locale.dayName(d, QLocale::ShortFormat));
        names.longDays[static_cast<std::size_t>(d - 1)] =
            Cp1252FromQString(locale.dayName(d, QLocale::LongFormat));
    }
    return names;
}

std::string SystemShortDatePattern() {
    return ShortDatePattern(QLocale::system());
}

DateNames SystemDateNames() {
    return DateNamesOf(QLocale::system());
}

} // namespace tavrin
