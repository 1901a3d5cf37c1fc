#pragma once
// The workstation's formats for dates, times and numbers, in one object that the
// program fills from the system locale and tests fix to known values.

#include <QChar>
#include <QDate>
#include <QLocale>
#include <QString>

struct FormatSettings {
    // Short date format in Qt's notation ("yyyy/MM/dd", "dd/MM/yyyy"); the year is
    // always written with four digits and the month as a number, so that every date
    // text reads back as the same day.
    QString shortDateFormat = QStringLiteral("yyyy/MM/dd");
    QString longTimeFormat = QStringLiteral("HH:mm:ss");
    QChar decimalSeparator = QLatin1Char('.');

    // The workstation's own formats (QLocale::system()).
    static FormatSettings fromSystemLocale();
    // The formats a locale writes (es_CO: "d/MM/yyyy" and ',').
    static FormatSettings fromLocale(const QLocale& locale);
    // The formats in force for the whole program.
    static const FormatSettings& current();
    static void setCurrent(const FormatSettings& settings);
};

// A date in the short date format (date only).
QString DateText(QDate date);
// A text wrapped in single quotes, every single quote inside it doubled.
QString SqlQuoted(const QString& text);
// Reads a date written in the short date format: the day, month and year in the
// format's order, separated by any non-digits, one or two digits for the day and
// the month and four for the year; or digits only, two, two and four of them in
// the format's order ("06122026" under "d/MM/yyyy"). An invalid QDate when the
// text is no such date: a two-digit year is refused, never read as year 26.
QDate parseDateText(const QString& text, const FormatSettings& settings = FormatSettings::current());
