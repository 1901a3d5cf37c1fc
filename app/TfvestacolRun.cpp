// Connecting to the company and the posting run.

#include "app/CaptionedPanel.h"
#include "config/messages/ExitStatus.h"
#include "config/messages/MessageService.h"
#include "app/Tfvestacol.h"
#include "connection/CompanyConnection.h"
#include "posting/DaysAdjustments.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void Tfvestacol::showProgress(const QString& text) {
    Panel5->setText(text);
    Panel5->show();
    repaint();
}

void Tfvestacol::hideProgress() {
    Panel5->hide();
    repaint();
}

void Tfvestacol::CiaExit() {
    const CompanyLogin login{Servidor->currentText(), Tusua->text(), TClave->text(), Cia->text()};
    if (!login.isComplete()) return;
    showProgress(QStringLiteral("Conectando a la base de datos ") + login.company +
                 QStringLiteral(" ..."));
    // A failure leaves the connecting text up, the dates as they were and the
    // connection closed; leaving the field again retries.
    connectCompany(data_->Quelmar, login);
    const QDate today = QDate::currentDate();
    EFecIni->setDate(today);
    EFecFin->setDate(today);
    Panel5->hide();
    EFecIni->setFocus(Qt::OtherFocusReason);
    SpeedButton3->setEnabled(true);
}

void Tfvestacol::SpeedButton3Click() {
    requireDateRange();
    TClientDataSet& posting = data_->CRepArticulos;
    if (!AdvPanel1->isHidden()) {
        AdvPanel1->hide();
        data_->CAjuste.ApplyUpdates(-1);
    }
    showProgress(QStringLiteral("Generando informe. espere un momento..."));
    // An error on the way leaves the window as it is.
    const bool nothingPosted = !postCashSales(*data_, EFecIni->date(), EFecFin->date(), ckniif->isChecked());
    hideProgress();
    setProgramExitStatus(nothingPosted           ? ExitStatus::NothingPosted
                         : adjustmentsSaveFailed_ ? ExitStatus::PostedAfterFailedSave
                                                  : ExitStatus::Posted);
    if (nothingPosted)
        messageService().showMessage(QStringLiteral("No se pudo contabilizar las facturas."));
    posting.Close();
    close();
}
