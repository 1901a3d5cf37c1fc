#pragma once
// The statement that posts the cash sales of a date range: a select from the
// company database's posting procedure, which posts and returns one row per
// voucher it wrote.

#include <QDate>
#include <QString>

// A date as an SQL literal, '2026-05-23': the one form Firebird never reads as
// another day, whatever the workstation's date format (it reads '05/06/2026' as
// 6 May, and a two-digit year is refused).
QString sqlDateLiteral(QDate date);

// "select * from contado_kalden('FIRST', 'LAST')", or from contado_kalden_niif
// for the NIIF books.
QString postingStatement(QDate first, QDate last, bool niif);
