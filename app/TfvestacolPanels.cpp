// The closing-adjustment panels: "Tarifas" (F5), the rows of the run at hand in
// AJUSTE_CIERRE, and "Tarifas previstas" (F7), the standing rows in
// AJUSTE_CIERRE_AUTO. Each key opens its panel, or saves and closes it.

#include "app/CaptionedPanel.h"
#include "app/MessageService.h"
#include "app/Tfvestacol.h"
#include "data/FormatSettings.h"
#include "grid/DataGrid.h"
#include "grid/RecordNavigator.h"

#include <QVBoxLayout>

namespace {

// The factor a new "Tarifas" row starts with.
const Currency kDefaultFactor = Currency::fromUnits(8000);

// A grid above its navigator, filling the panel's body.
void fillPanel(CaptionedPanel& panel, DataGrid*& grid, const char* gridName, RecordNavigator*& navigator,
               const char* navigatorName, TClientDataSet& dataSet, std::vector<GridColumn> columns) {
    auto* layout = new QVBoxLayout(panel.body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    grid = new DataGrid(panel.body());
    grid->setObjectName(QString::fromLatin1(gridName));
    grid->setColumns(std::move(columns));
    grid->setDataSet(&dataSet);
    navigator = new RecordNavigator(panel.body());
    navigator->setObjectName(QString::fromLatin1(navigatorName));
    navigator->setDataSet(&dataSet);
    const auto confirm = [](const QString& text) { return messageService().confirm(text); };
    grid->setConfirmation(confirm);
    grid->setBeep([] { messageService().beep(); });
    navigator->setConfirmation(confirm);
    layout->addWidget(grid, 1);
    layout->addWidget(navigator);
}

} // namespace

void Tfvestacol::createPanels() {
    DataModule& d = *data_;
    // Titles are the fields' display labels.
    fillPanel(*AdvPanel1, DBGridEh2, "DBGridEh2", DBNavigator1, "DBNavigator1", d.CAjuste,
              {{QStringLiteral("AJCI_FECINI"), {}, 75},
               {QStringLiteral("AJCI_FECFIN"), {}, 75},
               {QStringLiteral("AJCI_PORC"), {}, 40},
               {QStringLiteral("AJCI_FACTOR"), {}, 50},
               {QStringLiteral("AJCI_PREFNO"), {}, 40}});
    fillPanel(*AdvPanel2, DBGridEh1, "DBGridEh1", DBNavigator2, "DBNavigator2", d.CAjusteAu,
              {{QStringLiteral("AJCI_FECINI"), {}, 75},
               {QStringLiteral("AJCI_FECFIN"), {}, 75},
               {QStringLiteral("AJCI_PORC"), {}, 38},
               {QStringLiteral("AJCI_FACTOR"), {}, 50},
               {QStringLiteral("AJCI_PREFNO"), {}, 46}});
    d.CAjusteAu.AfterInsert = [this](TClientDataSet&) { CAjusteAuAfterInsert(); };
}

void Tfvestacol::openDaysAdjustmentsEmptied() {
    // Only the rows that start on the first day are shown; each is marked deleted,
    // the deletions pending in the cache until the rows are saved.
    TClientDataSet& adjustments = data_->CAjuste;
    adjustments.setFilter(QStringLiteral("AJCI_FECINI = ") + SqlQuoted(DateText(EFecIni->date())));
    adjustments.setFiltered(true);
    adjustments.Open();
    while (!adjustments.IsEmpty())
        adjustments.Delete();
}

void Tfvestacol::CAjusteAuAfterInsert() {
    data_->CAjusteAuAJCI_ID->setAsInteger(0);
}

void Tfvestacol::AlternarTarifas() {
    DataModule& d = *data_;
    TClientDataSet& adjustments = d.CAjuste;
    if (!AdvPanel1->isHidden()) {
        // A batch that failed was rolled back and shown: the panel stays open with
        // every change pending, so that the row can be corrected and saved again.
        if (adjustments.ApplyUpdates(0) > 0)
            return;
        AdvPanel1->hide();
        adjustments.Close();
        return;
    }

    requireDateRange();
    const QDate first = EFecIni->date();
    openDaysAdjustmentsEmptied();

    d.CTarifas.Open();
    for (d.CTarifas.First(); !d.CTarifas.Eof(); d.CTarifas.Next()) {
        const Value rate = d.CTarifas.Fields(0)->value();
        if (adjustments.Locate(QStringLiteral("AJCI_PORC"), rate)) {
            adjustments.Edit();
            d.CAjusteAJCI_FACTOR->setAsCurrency(kDefaultFactor);
            adjustments.Post();
        } else {
            adjustments.Insert();
            d.CAjusteAJCI_ID->setAsInteger(0);
            d.CAjusteAJCI_FECINI->setAsDateTime(QDateTime(first, QTime()));
            d.CAjusteAJCI_FECFIN->setAsDateTime(QDateTime(EFecFin->date(), QTime()));
            d.CAjusteAJCI_PORC->setValue(rate);
            d.CAjusteAJCI_FACTOR->setAsCurrency(kDefaultFactor);
            adjustments.Post();
        }
    }
    AdvPanel1->show();
    AdvPanel1->raise();
    DBGridEh2->setFocus(Qt::OtherFocusReason);
    adjustments.Last();
}

void Tfvestacol::AlternarTarifasPrevistas() {
    TClientDataSet& standing = data_->CAjusteAu;
    if (!AdvPanel2->isHidden()) {
        if (standing.ApplyUpdates(0) > 0)
            return; // kept open with its changes, as "Tarifas"
        AdvPanel2->hide();
        standing.Close();
        return;
    }
    standing.Open();
    AdvPanel2->show();
    AdvPanel2->raise();
    DBGridEh1->setFocus(Qt::OtherFocusReason);
    standing.Last();
}
