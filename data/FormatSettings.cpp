#include "data/FormatSettings.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

FormatSettings& settingsInForce() {
    static FormatSettings s = FormatSettings::fromSystemLocale();
    return s;
}

// "yy" alone becomes "yyyy": a two-digit year would not read back as the same day.
QString withFourDigitYear(QString format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(twoDigitYear, QStringLiteral("yyyy"));
}

// A short form that writes names ("d MMM yyyy", the C locale's) becomes the numeric
// form with the same order of day, month and year: dates must read back from text
// typed with digits only.
QString numericDateFormat(const QString& format) {
    if (!format.contains(QStringLiteral("MMM")) && !format.contains(QStringLiteral("ddd")))
        return format;
    QStringList parts;
    for (const QChar c : format) {
        const QString part = c == QLatin1Char('d')   ? QStringLiteral("dd")
                             : c == QLatin1Char('M') ? QStringLiteral("MM")
                             : c == QLatin1Char('y') ? QStringLiteral("yyyy")
                                                     : QString();
        if (!part.isEmpty() && !parts.contains(part))
            parts << part;
    }
    return parts.size() == 3 ? parts.join(QLatin1Char('/')) : QStringLiteral("yyyy/MM/dd");
}

} // namespace

FormatSettings FormatSettings::fromSystemLocale() { return fromLocale(QLocale::system()); }

FormatSettings FormatSettings::fromLocale(const QLocale& locale) {
    FormatSettings s;
    s.shortDateFormat = withFourDigitYear(numericDateFormat(locale.dateFormat(QLocale::ShortFormat)));
    s.longTimeFormat = locale.timeFormat(QLocale::LongFormat);
    s.decimalSeparator = locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint().front();
    return s;
}

const FormatSettings& FormatSettings::current() { return settingsInForce(); }

void FormatSettings::setCurrent(const FormatSettings& settings) {
    FormatSettings s = settings;
    s.shortDateFormat = withFourDigitYear(numericDateFormat(s.shortDateFormat));
    settingsInForce() = s;
}

QString DateText(QDate date) { return QLocale::c().toString(date, FormatSettings::current().shortDateFormat); }

QString SqlQuoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QDate parseDateText(const QString& text, const FormatSettings& settings) {
    // The order of day, month and year as the format writes them.
    QString order;
    for (const QChar c : settings.shortDateFormat) {
        const QChar lower = c.toLower();
        if ((lower == QLatin1Char('d') || lower == QLatin1Char('m') || lower == QLatin1Char('y')) &&
            !order.contains(lower))
            order += lower;
    }
    if (order.size() != 3)
        return {};

    // With separators: the year written out in four digits, day and month in one
    // or two (a two-digit year would be read as a year of the first century).
    // Digits only: two for the day, two for the month and four for the year.
    static const QRegularExpression separated(
        QStringLiteral("^\\s*(\\d{1,4})\\D+(\\d{1,4})\\D+(\\d{1,4})\\s*$"));
    static const QRegularExpression digitsOnly(QStringLiteral("^\\s*(\\d{8})\\s*$"));
    QStringList parts;
    if (const QRegularExpressionMatch m = separated.match(text); m.hasMatch()) {
        parts = {m.captured(1), m.captured(2), m.captured(3)};
    } else if (const QRegularExpressionMatch d = digitsOnly.match(text); d.hasMatch()) {
        qsizetype at = 0;
        for (const QChar part : order) {
            const qsizetype width = part == QLatin1Char('y') ? 4 : 2;
            parts << d.captured(1).mid(at, width);
            at += width;
        }
    } else {
        return {};
    }
    for (int i = 0; i < 3; ++i) {
        const bool isYear = order[i] == QLatin1Char('y');
        if (isYear ? parts[i].size() != 4 : parts[i].size() > 2)
            return {};
    }
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        const int n = parts[i].toInt();
        switch (order[i].toLatin1()) {
        case 'd': day = n; break;
        case 'm': month = n; break;
        default: year = n; break;
        }
    }
    if (year == 0)
        return {};
    return QDate(year, month, day); // invalid when the parts make no day
}
