#include "app/MessageBoxService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

void MessageBoxService::beep() { QApplication::beep(); }

bool MessageBoxService::present(const ShownMessage& message) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (message.kind) {
    case MessageKind::Message:
        break;
    case MessageKind::ErrorDialog:
    case MessageKind::DefaultError:
        icon = QMessageBox::Critical;
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    }
    if (message.kind == MessageKind::ErrorDialog) QApplication::beep();

    // The control that had the focus gets it back when the box closes.
    const QPointer<QWidget> focused = QApplication::focusWidget();
    QMessageBox box(icon, message.caption, message.text, buttons, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    const bool ok = box.exec() == QMessageBox::Ok;
    if (focused) focused->setFocus(Qt::OtherFocusReason);
    return ok;
}
