#include "grid/Confirmation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

bool confirmWithMessageBox(const QString& question) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

bool askKeepingFocus(const ConfirmFunction& confirm, const QString& question) {
    const QPointer<QWidget> hadFocus = QApplication::focusWidget();
    const bool ok = confirm ? confirm(question) : confirmWithMessageBox(question);
    if (hadFocus && hadFocus->isVisible())
        hadFocus->setFocus(Qt::OtherFocusReason);
    return ok;
}
