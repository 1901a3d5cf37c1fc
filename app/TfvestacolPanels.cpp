// The closing-adjustment panels: "Tarifas" (F5), the rows of the run at hand in
// AJUSTE_CIERRE, and "Tarifas previstas" (F7), the standing rows in
// AJUSTE_CIERRE_AUTO. Each key opens its panel, or saves and closes it.

#include "app/CaptionedPanel.h"
#include "config/messages/MessageService.h"
#include "app/Tfvestacol.h"
#include "grid/DataGrid.h"
#include "grid/RecordNavigator.h"
#include "posting/DaysAdjustments.h"

#include <QVBoxLayout>

namespace {

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

void Tfvestacol::CAjusteAuAfterInsert() { startStandingRow(*data_); }

void Tfvestacol::AlternarTarifas() {
    TClientDataSet& adjustments = data_->CAjuste;
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
    startDaysAdjustments(*data_, EFecIni->date(), EFecFin->date());
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
