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

Value queryValue(const CompanyDatabase& db, const QString& sql) {
    TSQLConnection connection;
    db.connect(connection);
    auto cursor = connection.OpenCursor(sql);
    if (!cursor->next()) {
        ADD_FAILURE() << "no row: " << sql.toStdString();
        return {};
    }
    Value v = cursor->value(0);
    cursor->close();
    return v;
}

void addCashInvoice(const CompanyDatabase& db, int id, QDate date) {
    TSQLConnection c;
    db.connect(c);
    c.Execute(QStringLiteral("insert into FACTURA (FACT_ID, FACT_PREFIJO, FACT_NUMERO, FACT_FECHA, "
                             "FACT_NIT) values (?, 'PV01', ?, ?, '222222222222')"),
              {{FieldType::Integer, Value(id)},
               {FieldType::Integer, Value(id)},
               {FieldType::Date, Value(date)}});
    c.Execute(QStringLiteral("insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                             "values (?, 19, 100.00, 19.00)"),
              {{FieldType::Integer, Value(id)}});
}

void addStanding(const CompanyDatabase& db, int id, QDate first, QDate last, int rate, qint64 factorUnits,
                 const Value& prefix) {
    TSQLConnection c;
    db.connect(c);
    c.Execute(QStringLiteral("insert into AJUSTE_CIERRE_AUTO values (?, ?, ?, ?, ?, ?)"),
              {{FieldType::Integer, Value(id)},
               {FieldType::Date, Value(first)},
               {FieldType::Date, Value(last)},
               {FieldType::Decimal, Value(Currency::fromInteger(rate))},
               {FieldType::Decimal, Value(Currency::fromUnits(factorUnits))},
               {FieldType::String, prefix}});
}
