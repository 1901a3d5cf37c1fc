#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

void WindowTest::SetUp() {
    formats = FormatSettings::current();
    FormatSettings fixed;
    fixed.shortDateFormat = QStringLiteral("yyyy/MM/dd");
    FormatSettings::setCurrent(fixed);
}

void WindowTest::TearDown() {
    delete window.data();
    FormatSettings::setCurrent(formats);
}

Tfvestacol& WindowTest::openWindow() {
    window = new Tfvestacol;
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return *window;
}

bool WindowTest::windowDestroyed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

void WindowTest::press(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no control has the focus";
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

Tfvestacol& WindowTest::openWindowFor(const CompanyDatabase& db) {
    installation.writeServerList(db.serverEntry(ConnectionKind::Embedded).toUtf8() + "\r\n");
    return openWindow();
}

void WindowTest::typeLogin(const CompanyDatabase& db, const QString& company) {
    window->Tusua->setText(QStringLiteral("SYSDBA"));
    window->TClave->setText(QStringLiteral("masterkey"));
    window->Cia->setText(company.isNull() ? db.company() : company);
}

void WindowTest::leaveCia() {
    window->Cia->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(window->Cia, Qt::Key_Tab);
}
