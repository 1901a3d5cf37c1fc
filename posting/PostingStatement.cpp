#include "posting/PostingStatement.h"

#include "data/FormatSettings.h"

#include <QLocale>

QString sqlDateLiteral(QDate date) {
    return SqlQuoted(QLocale::c().toString(date, QStringLiteral("yyyy-MM-dd")));
}

QString postingStatement(QDate first, QDate last, bool niif) {
    const QString procedure =
        niif ? QStringLiteral("contado_kalden_niif") : QStringLiteral("contado_kalden");
    return QStringLiteral("select * from ") + procedure + QLatin1Char('(') + sqlDateLiteral(first) +
           QStringLiteral(", ") + sqlDateLiteral(last) + QLatin1Char(')');
}
