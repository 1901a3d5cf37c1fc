#include "posting/StandingAdjustmentQuery.h"

#include "posting/PostingStatement.h"

QString standingAdjustmentQuery(QDate day, Currency rate) {
    const QString date = sqlDateLiteral(day);
    return QStringLiteral("SELECT AJCI_ID FROM AJUSTE_CIERRE_AUTO WHERE AJCI_FECINI <= ") + date +
           QStringLiteral(" AND AJCI_FECFIN >= ") + date + QStringLiteral(" AND AJCI_PORC = ") + rate.toPlainText() +
           QStringLiteral(" ORDER BY AJCI_FECINI DESC");
}
