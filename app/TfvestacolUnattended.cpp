// The unattended run: with server, user, password and company on the command line,
// the first activation connects, derives the day's "Tarifas" rows from the standing
// ones, saves them and posts.

#include "app/DefaultErrorHandling.h"
#include "config/messages/ExitStatus.h"
#include "app/Tfvestacol.h"
#include "posting/DaysAdjustments.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

#include <stdexcept>

namespace {

// Nobody watches an unattended run: a lock held by another workstation, or a server
// that takes the connection and never answers, must not hold it for ever. The
// connection gives up early enough for the whole run to have ended within 30 s.
constexpr int kUnattendedLockTimeoutSeconds = 30;
constexpr int kUnattendedConnectTimeoutSeconds = 25;

[[noreturn]] void refuse(const QString& text) { throw std::runtime_error(text.toStdString()); }

} // namespace

void Tfvestacol::activated() {
    runHandler([this] { FormActivate(); });
    // With nobody to read the box and close the window, an unattended run that
    // stopped before the posting's result ends the program (its status says so).
    if (Headless && unattended_ && programExitStatus() == ExitStatus::Unfinished && isVisible())
        close();
}

void Tfvestacol::FormActivate() {
    if (!FirstActivation)
        return;
    FirstActivation = false;
    if (!asksForUnattendedRun(Arguments))
        return;
    unattended_ = true;
    setProgramExitStatus(ExitStatus::Unfinished);

    // Only what was asked for is connected to: a server outside the list could be
    // the same company code on another machine, and an empty user or password
    // would leave the connection's designed values in place.
    selectServer(Arguments[1]);
    if (Servidor->currentIndex() < 0)
        refuse(QStringLiteral("El servidor %1 no está en la lista de servidores.").arg(Arguments[1]));
    if (Arguments[2].isEmpty() || Arguments[3].isEmpty())
        refuse(QStringLiteral("Faltan el usuario o la clave para conectar."));
    Tusua->setText(Arguments[2]);
    TClave->setText(Arguments[3]);
    Cia->setText(Arguments[4]);
    data_->Quelmar.LockTimeout = kUnattendedLockTimeoutSeconds;
    data_->Quelmar.ConnectTimeout = kUnattendedConnectTimeoutSeconds;
    CiaExit();
    deriveDaysAdjustments(*data_, EFecIni->date(), EFecFin->date());
    // A failed save still posts, with whatever rows the day then has; the exit
    // status says so, since the split cannot be mended once the invoices are posted.
    adjustmentsSaveFailed_ = !saveDaysAdjustments(*data_);
    SpeedButton3Click();
}

void Tfvestacol::selectServer(const QString& entry) {
    // The selector holds list entries only; a server that is not in the list is
    // shown as none at all.
    Servidor->setCurrentIndex(Servidor->findText(entry, Qt::MatchExactly));
}
