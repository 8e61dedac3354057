#include "platform/system_dates.h"

#include "platform/text.h"

#include <QLocale>

namespace tavrin {

std::string SystemShortDatePattern() {
    const QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    // Qt quotes literal text ('de', '' for a quote itself).
    QString pattern;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format[i];
        if (ch == QLatin1Char('\'')) {
            if (i + 1 < format.size() && format[i + 1] == QLatin1Char('\'')) {
                pattern += ch;
                ++i;
            }
            continue;
        }
        pattern += ch;
    }
    return Cp1252FromQString(pattern);
}

} // namespace tavrin
