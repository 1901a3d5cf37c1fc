// Leaving the company field connects the window to the company's database.

#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

qint64 attachmentId(TSQLConnection& connection) {
    auto cursor =
        connection.OpenCursor(QStringLiteral("select current_connection from rdb$database"));
    EXPECT_TRUE(cursor->next());
    const qint64 id = cursor->value(0).get<qint64>();
    cursor->close();
    return id;
}

} // namespace

TEST_F(WindowTest, LeavingTheCompanyWithAnEmptyFieldDoesNothing) {
    CompanyDatabase db;
    Tfvestacol& w = openWindowFor(db);
    for (QLineEdit* emptied : {w.Cia, w.Tusua, w.TClave}) {
        SCOPED_TRACE(emptied->objectName().toStdString());
        typeLogin(db);
        emptied->clear();
        leaveCia();
        EXPECT_FALSE(w.data().Quelmar.Connected());
        EXPECT_TRUE(w.Panel5->isHidden());
        EXPECT_EQ(w.EFecIni->date(), QDate(2003, 1, 20));
        EXPECT_FALSE(w.SpeedButton3->isEnabled());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowTest, EnterInTheCompanyFieldConnectsAndSetsTheRangeToToday) {
    CompanyDatabase db;
    Tfvestacol& w = openWindowFor(db);
    typeLogin(db);
    w.Cia->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Return);

    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(w.data().Quelmar.Connected());
    EXPECT_EQ(w.data().Quelmar.Params().value(QStringLiteral("Database")),
              db.serverEntry(ConnectionKind::Embedded) + QStringLiteral("/datos/01/quelmar.fdb"));
    EXPECT_EQ(w.data().Quelmar.Params().value(QStringLiteral("User_Name")),
              QStringLiteral("SYSDBA"));
    EXPECT_EQ(w.EFecIni->date(), QDate::currentDate());
    EXPECT_EQ(w.EFecFin->date(), QDate::currentDate());
    EXPECT_TRUE(w.Panel5->isHidden());
    EXPECT_EQ(w.Panel5->text(), QStringLiteral("Conectando a la base de datos 01 ..."));
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
    EXPECT_TRUE(w.SpeedButton3->isEnabled());
}

TEST_F(WindowTest, AFailedConnectionKeepsTheConnectingTextAndCanBeRetried) {
    CompanyDatabase db;
    Tfvestacol& w = openWindowFor(db);
    typeLogin(db, QStringLiteral("99"));
    leaveCia();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::DefaultError);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("SQL Server Error: ")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("/datos/99/quelmar.fdb")));
    EXPECT_FALSE(w.data().Quelmar.Connected());
    EXPECT_FALSE(w.Panel5->isHidden());
    EXPECT_EQ(w.Panel5->text(), QStringLiteral("Conectando a la base de datos 99 ..."));
    EXPECT_EQ(w.EFecIni->date(), QDate(2003, 1, 20));
    EXPECT_FALSE(w.SpeedButton3->isEnabled());

    // Corrected, leaving the field again connects.
    w.Cia->setText(db.company());
    leaveCia();
    EXPECT_TRUE(w.data().Quelmar.Connected());
    EXPECT_TRUE(w.Panel5->isHidden());
    EXPECT_TRUE(w.SpeedButton3->isEnabled());

    // A later failure leaves posting enabled.
    w.Cia->setText(QStringLiteral("98"));
    leaveCia();
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_FALSE(w.data().Quelmar.Connected());
    EXPECT_TRUE(w.SpeedButton3->isEnabled());
}

TEST_F(WindowTest, LeavingTheCompanyAgainReconnectsAndResetsTheDates) {
    CompanyDatabase db;
    Tfvestacol& w = openWindowFor(db);
    typeLogin(db);
    leaveCia();
    ASSERT_TRUE(w.data().Quelmar.Connected());
    const qint64 first = attachmentId(w.data().Quelmar);

    w.EFecIni->setDate(QDate(2026, 5, 1));
    leaveCia();
    ASSERT_TRUE(w.data().Quelmar.Connected());
    EXPECT_NE(attachmentId(w.data().Quelmar), first);
    EXPECT_EQ(w.EFecIni->date(), QDate::currentDate());
    EXPECT_TRUE(messages.shown.empty());
}
