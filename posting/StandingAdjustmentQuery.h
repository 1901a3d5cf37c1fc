#pragma once
// The statement that finds the standing closing adjustment of a VAT rate for a day.

#include "data/Value.h"

#include <QDate>
#include <QString>

// "SELECT AJCI_ID FROM AJUSTE_CIERRE_AUTO WHERE AJCI_FECINI <= 'DAY' AND AJCI_FECFIN >=
// 'DAY' AND AJCI_PORC = RATE ORDER BY AJCI_FECINI DESC": the standing rows that cover
// the day, the one starting latest first. The day is written year first and the
// rate with '.' as decimal separator, whatever the workstation's formats.
QString standingAdjustmentQuery(QDate day, Currency rate);
