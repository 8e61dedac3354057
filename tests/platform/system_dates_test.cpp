// The system's short date format, in every locale Qt knows: the reports write a day as Qt writes
// that date in the locale's short format, within what their 8-bit text holds (digits as 0 .. 9).
#include "app/window_test_main.h"
#include "platform/system_dates.h"
#include "platform/text.h"
#include "reports/date_format.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <utility>

using namespace tavrin;

namespace {

// A date as the reports can hold it: the locale's own digits as 0 .. 9, then 8-bit.
std::string As8Bit(const QLocale& locale, QString text) {
    const QString zero = locale.zeroDigit();
    if (zero != QLatin1String("0")) {
        // The digits follow each other from the zero, one character (or surrogate pair) each.
        const char32_t first = zero.toUcs4().value(0);
        for (char32_t d = 0; d < 10; ++d) {
            const char32_t digit = first + d;
            text.replace(QString::fromUcs4(&digit, 1), QString(QChar(static_cast<char16_t>(u'0' + d))));
        }
    }
    return Cp1252FromQString(text);
}

} // namespace

class SystemDatesTest : public QObject {
    Q_OBJECT

  private slots:
    void everyLocaleWritesADayAsQtWritesItsShortDate() {
        // Days and months of one and two digits, every weekday, both centuries.
        const QDate dates[] = {{2004, 12, 13}, {2003, 8, 25},  {1999, 1, 5}, {2010, 7, 1},
                               {2021, 2, 6},   {1987, 10, 18}, {2000, 3, 29}};
        const auto locales =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        QVERIFY(locales.size() > 300);
        QSet<QString> patterns;
        for (const QLocale& locale : locales) {
            // The long format as well, for the names and quoted texts the short ones seldom hold.
            const std::pair<QLocale::FormatType, std::string> formats[] = {
                {QLocale::ShortFormat, ShortDatePattern(locale)},
                {QLocale::LongFormat, Cp1252FromQString(locale.dateFormat(QLocale::LongFormat))},
            };
            const DateNames names = DateNamesOf(locale);
            for (const auto& [type, pattern] : formats) {
                patterns << locale.dateFormat(type);
                const DateFormat format(pattern, names);
                for (const QDate& date : dates) {
                    std::string written;
                    format.AppendTo(written, static_cast<DayNumber>(QDate(1899, 12, 30).daysTo(date)));
                    const std::string expected = As8Bit(locale, locale.toString(date, type));
                    QVERIFY2(written == expected,
                             qPrintable(locale.name() + " " + locale.dateFormat(type) + ": " +
                                        QStringFromCp1252(written) + " for " + QStringFromCp1252(expected)));
                }
            }
        }
        // Every kind of part the locales use was met: numbers, names and quoted text (no locale
        // writes a short weekday name).
        for (const char* part : {"d", "dd", "dddd", "M", "MM", "MMM", "MMMM", "yy", "yyyy", "'"}) {
            const QRegularExpression alone(
                QStringLiteral("(^|[^%1])%2($|[^%1])")
                    .arg(QString(QLatin1Char(part[0])), QRegularExpression::escape(QLatin1String(part))));
            QVERIFY2(std::any_of(patterns.begin(), patterns.end(),
                                 [&alone](const QString& p) { return alone.match(p).hasMatch(); }),
                     part);
        }
    }
};

TAVRIN_WINDOW_TEST(SystemDatesTest, "system_dates_test");

#include "system_dates_test.moc"
