#include "app/Tfvestacol.h"

#include "app/CaptionedPanel.h"
#include "app/DefaultErrorHandling.h"
#include "config/messages/MessageService.h"
#include "config/InstallationDirectory.h"
#include "config/ServerList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <stdexcept>

namespace {

// A typed carriage return: Enter, alone or with Shift (with Ctrl or Alt it types
// no carriage return).
bool isCarriageReturn(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

Tfvestacol::Tfvestacol(QWidget* parent) : QWidget(parent), data_(std::make_unique<DataModule>()) {
    errors_ = std::make_unique<ErrorHandlers>(ErrorContext{
        [this] { return diraplicacion(); },
        [this] { return Tusua->text(); },
        [this](const QString& text) { Panel5->setText(text); },
        [] { messageService().beep(); },
        [](const QString& text) { messageService().showErrorDialog(text); }, // beeps before the box
    });
    // Closing destroys the window, and with it every object it owns.
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();

    // The design places the window, border included (378 x 320), in the middle of the desktop.
    if (const QScreen* desktop = screen()) {
        const QRect area = desktop->geometry();
        move(area.x() + (area.width() - 378) / 2, area.y() + (area.height() - 320) / 2);
    }

    connect(SpeedButton3, &QToolButton::clicked, this,
            [this] { runHandler([this] { SpeedButton3Click(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this,
            [this] { runHandler([this] { SpeedButton2Click(); }); });
    // Every key of the window passes here before it reaches the focused control.
    qApp->installEventFilter(this);

    runHandler([this] { FormCreate(); });
}

Tfvestacol::~Tfvestacol() {
    // The controls go away after this body: no key or focus change of theirs may
    // reach the handlers any more.
    qApp->removeEventFilter(this);
}

void Tfvestacol::FormCreate() {
    ConfigurarProviders();
    FirstActivation = true;
    fillServerSelector();
}

void Tfvestacol::ConfigurarProviders() {
    // The window owns its data objects directly, in the order they were declared.
    DataModule& d = *data_;
    errors_->ConfigurarProviders({
        {std::monostate{}}, // Quelmar
        {std::monostate{}}, {std::monostate{}}, {std::monostate{}}, {std::monostate{}}, {std::monostate{}},
        {&d.PRepArticulos}, {&d.PBorrar}, {&d.Ptarifiva}, {&d.PAjuste}, {&d.PAjusteAu},
        {&d.CRepArticulos}, {&d.Cborrar}, {&d.CTarifas}, {&d.CAjuste}, {&d.CAjusteAu},
    });
}

QString Tfvestacol::diraplicacion() {
    return ::diraplicacion();
}

void Tfvestacol::fillServerSelector() {
    ServerList.clear();
    ServerList =
        readServerList(installationFile(diraplicacion(), QStringLiteral("SERVIDORES.cfg")));
    Servidor->clear();
    Servidor->addItems(ServerList);
    Servidor->setCurrentIndex(ServerList.isEmpty() ? -1 : 0);
}

void Tfvestacol::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier)) return;
    if (key == Qt::Key_F2) {
        requireDateRange();
        // The posting saves an open "Tarifas" panel first.
        if (!AdvPanel1->isHidden()) {
            AdvPanel1->hide();
            data_->CAjuste.ApplyUpdates(-1);
        }
        SpeedButton3Click();
    }
    if (key == Qt::Key_F5) AlternarTarifas();
    if (key == Qt::Key_F7) AlternarTarifasPrevistas();
    if (key == Qt::Key_Escape) close();
}

void Tfvestacol::Enteratab() {
    // A date picker lets the focus go only with a whole date in it.
    for (DatePicker* picker : {EFecIni, EFecFin})
        if (picker->hasFocus()) {
            picker->leave(true);
            return;
        }
    focusNextChild();
}

void Tfvestacol::requireDateRange() {
    for (DatePicker* picker : {EFecIni, EFecFin}) {
        if (!picker->holdsDate()) {
            picker->setFocus(Qt::OtherFocusReason);
            throw std::runtime_error(
                (QLatin1Char('\'') + picker->shownText() + QStringLiteral("' no es una fecha válida")).toStdString());
        }
    }
}

void Tfvestacol::SpeedButton2Click() {
    close();
}

void Tfvestacol::FormClose() {
    data_->CRepArticulos.Close();
}

void Tfvestacol::closeEvent(QCloseEvent* event) {
    // A closing that fails keeps the window open.
    if (runHandler([this] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

bool Tfvestacol::isEnterToTabControl(QObject* object) const {
    for (QWidget* control : {static_cast<QWidget*>(Servidor), static_cast<QWidget*>(Tusua),
                             static_cast<QWidget*>(TClave), static_cast<QWidget*>(Cia),
                             static_cast<QWidget*>(EFecIni), static_cast<QWidget*>(EFecFin)}) {
        if (object == control ||
            (object->isWidgetType() && control->isAncestorOf(static_cast<QWidget*>(object))))
            return true;
    }
    return false;
}

bool Tfvestacol::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // A key goes first to the focused control (the window when none has the
        // focus) and then, when refused, to its parents: the window acts on the first.
        QWidget* first = QApplication::focusWidget();
        if (!first && isActiveWindow()) first = this;
        if (watched != first || !(first == this || isAncestorOf(first))) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // A key whose handler failed goes no further.
        if (!runHandler([&] { FormKeyDown(key->key(), key->modifiers()); })) return true;
        if (isCarriageReturn(*key) && isEnterToTabControl(watched)) {
            Enteratab();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched == Cia) {
        // Leaving the field for another control of the window, not the window
        // losing its activation (a message box, another program).
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            runHandler([this] { CiaExit(); });
    }
    return false;
}

bool Tfvestacol::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activated();
    } else if (event->type() == QEvent::Show && !shownOnce_) {
        // Where the platform never activates a window (offscreen, a scheduler with no
        // display), the first activation's work runs once right after the first show.
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] {
            if (FirstActivation) activated();
        });
    }
    return QWidget::event(event);
}
