#include "posting/DaysAdjustments.h"

#include "data/FormatSettings.h"
#include "posting/PostingStatement.h"
#include "posting/StandingAdjustmentQuery.h"

#include <optional>

namespace {

// The factor a person's new "Tarifas" row starts with.
const Currency kDefaultFactor = Currency::fromUnits(8000);

// Appends one row of the day. A prefix left out is not written at all, so the
// insert names only the columns that were given.
void appendDaysRow(DataModule& d, QDate first, QDate last, const Value& rate, const Value& factor,
                   const std::optional<Value>& prefix = std::nullopt) {
    d.CAjuste.Insert();
    d.CAjusteAJCI_ID->setAsInteger(0);
    d.CAjusteAJCI_FECINI->setAsDateTime(QDateTime(first, QTime()));
    d.CAjusteAJCI_FECFIN->setAsDateTime(QDateTime(last, QTime()));
    d.CAjusteAJCI_PORC->setValue(rate);
    d.CAjusteAJCI_FACTOR->setValue(factor);
    if (prefix)
        d.CAjusteAJCI_PREFNO->setValue(*prefix);
    d.CAjuste.Post();
}

} // namespace

void openDaysAdjustmentsEmptied(DataModule& d, QDate first) {
    TClientDataSet& adjustments = d.CAjuste;
    adjustments.setFilter(QStringLiteral("AJCI_FECINI = ") + SqlQuoted(DateText(first)));
    adjustments.setFiltered(true);
    adjustments.Open();
    while (!adjustments.IsEmpty())
        adjustments.Delete();
}

void startDaysAdjustments(DataModule& d, QDate first, QDate last) {
    openDaysAdjustmentsEmptied(d, first);
    d.CTarifas.Open();
    for (d.CTarifas.First(); !d.CTarifas.Eof(); d.CTarifas.Next()) {
        const Value rate = d.CTarifas.Fields(0)->value();
        if (d.CAjuste.Locate(QStringLiteral("AJCI_PORC"), rate)) {
            d.CAjuste.Edit();
            d.CAjusteAJCI_FACTOR->setAsCurrency(kDefaultFactor);
            d.CAjuste.Post();
        } else {
            appendDaysRow(d, first, last, rate, Value(kDefaultFactor));
        }
    }
}

void deriveDaysAdjustments(DataModule& d, QDate first, QDate last) {
    openDaysAdjustmentsEmptied(d, first);
    d.CTarifas.Open();
    d.CAjusteAu.Open();
    for (d.CTarifas.First(); !d.CTarifas.Eof(); d.CTarifas.Next()) {
        d.Cborrar.Close();
        d.Cborrar.CommandText = standingAdjustmentQuery(first, d.CTarifas.Fields(0)->AsCurrency());
        d.Cborrar.Open();
        // The query puts the covering row that starts latest first.
        if (d.Cborrar.Fields(0)->AsString().isEmpty())
            continue;
        if (!d.CAjusteAu.Locate(QStringLiteral("AJCI_ID"), d.Cborrar.Fields(0)->value()))
            continue;
        appendDaysRow(d, first, last, d.CAjusteAuAJCI_PORC->value(), d.CAjusteAuAJCI_FACTOR->value(),
                      d.CAjusteAuAJCI_PREFNO->value());
    }
}

bool saveDaysAdjustments(DataModule& d) { return d.CAjuste.ApplyUpdates(0) == 0; }

void startStandingRow(DataModule& d) { d.CAjusteAuAJCI_ID->setAsInteger(0); }

bool postCashSales(DataModule& d, QDate first, QDate last, bool niif) {
    TClientDataSet& posting = d.CRepArticulos;
    posting.Close();
    posting.CommandText = postingStatement(first, last, niif);
    posting.Open();
    posting.Last();
    return !posting.IsEmpty();
}
