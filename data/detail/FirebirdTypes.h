#pragma once
// Conversions between Firebird's wire forms of dates and times and Qt's types.
// Private to the data layer.

#include <QDate>
#include <QTime>

#include <ibase.h>

namespace detail {

// ISC_DATE counts days from 17 November 1858 (the Modified Julian Day epoch).
constexpr qint64 IscDateEpochJulianDay = 2400001;
// ISC_TIME counts ten-thousandths of a second since midnight.
constexpr unsigned IscTimeUnitsPerMs = 10;

inline QDate dateFromIsc(ISC_DATE d) { return QDate::fromJulianDay(qint64(d) + IscDateEpochJulianDay); }
inline ISC_DATE iscFromDate(QDate d) { return ISC_DATE(d.toJulianDay() - IscDateEpochJulianDay); }
inline QTime timeFromIsc(ISC_TIME t) { return QTime::fromMSecsSinceStartOfDay(int(t / IscTimeUnitsPerMs)); }
inline ISC_TIME iscFromTime(QTime t) { return ISC_TIME(t.msecsSinceStartOfDay()) * IscTimeUnitsPerMs; }

} // namespace detail
