// The unattended run: four arguments, the day's "Tarifas" rows derived from the
// standing ones, saved, posted, and the program's exit status.

#include "config/messages/ExitStatus.h"
#include "app/HeadlessMessages.h"
#include "tests/app/WindowTest.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// The day's rows of AJUSTE_CIERRE as "rate/factor/prefix", by rate.
QStringList daysAdjustments(const CompanyDatabase& db, QDate day) {
    TSQLConnection c;
    db.connect(c);
    auto cur = c.OpenCursor(QStringLiteral("select AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO, AJCI_FECFIN from AJUSTE_CIERRE "
                                           "where AJCI_FECINI = ? order by AJCI_PORC"),
                            {{FieldType::Date, Value(day)}});
    QStringList rows;
    while (cur->next())
        rows << cur->value(0).debugText() + QLatin1Char('/') + cur->value(1).debugText() + QLatin1Char('/') +
                    cur->value(2).debugText() + QLatin1Char('/') + cur->value(3).debugText();
    return rows;
}

class UnattendedTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        setProgramExitStatus(ExitStatus::Posted);
    }
    // Starts the window as a scheduler would, with its command line.
    void start(const QStringList& arguments, bool headless = false) {
        installation.writeServerList(db.serverEntry(ConnectionKind::Embedded).toUtf8() + "\r\n");
        window = new Tfvestacol;
        window->Arguments = QStringList{QStringLiteral("contabiliza-contado")} + arguments;
        window->Headless = headless;
        window->show();
        window->activateWindow();
        QTest::qWait(50);
    }
    QStringList login(const QString& user = QStringLiteral("SYSDBA")) {
        return {db.serverEntry(ConnectionKind::Embedded), user, QStringLiteral("masterkey"), db.company()};
    }
    const QDate today = QDate::currentDate();
    CompanyDatabase db;
};

TEST_F(UnattendedTest, DerivesTheDaysRowsFromTheStandingOnesSavesThemAndPosts) {
    // Rate 19: two standing rows cover today, the later one wins; rate 5: one row
    // whose prefix is copied; rate 0: none, so no row.
    addStanding(db, 1, today.addDays(-30), today.addDays(30), 19, 9000);
    addStanding(db, 2, today.addDays(-1), today.addDays(1), 19, 7500);
    addStanding(db, 3, today.addDays(-5), today, 5, 6000, QStringLiteral("PV01"));
    addStanding(db, 4, today.addDays(1), today.addDays(9), 0, 5000); // starts tomorrow
    addCashInvoice(db, 1, today);
    // Yesterday's run left rows for today: they are replaced.
    {
        TSQLConnection c;
        db.connect(c);
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE values (900, ?, ?, 19, 0.1, null)"),
                  {{FieldType::Date, Value(today)}, {FieldType::Date, Value(today)}});
    }
    start(login());

    EXPECT_TRUE(windowDestroyed());
    EXPECT_EQ(programExitStatus(), ExitStatus::Posted);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
    const QString day = today.toString(Qt::ISODate);
    EXPECT_EQ(daysAdjustments(db, today),
              (QStringList{QStringLiteral("5.0000/0.6000/'PV01'/") + day, QStringLiteral("19.0000/0.7500/null/") + day}));
    EXPECT_EQ(queryValue(db, QStringLiteral("select count(*) from FACTURA where FACT_COMP_LOCAL is not null")),
              Value(1));
}

TEST_F(UnattendedTest, NothingToPostEndsWithItsOwnStatus) {
    start(login());
    EXPECT_TRUE(windowDestroyed());
    EXPECT_EQ(programExitStatus(), ExitStatus::NothingPosted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("No se pudo contabilizar las facturas."));
}

TEST_F(UnattendedTest, FewerThanFourArgumentsLeaveTheWindowToThePerson) {
    start({db.serverEntry(ConnectionKind::Embedded), QStringLiteral("SYSDBA"), QStringLiteral("masterkey")});
    EXPECT_FALSE(windowDestroyed());
    EXPECT_TRUE(window->Tusua->text().isEmpty());
    EXPECT_FALSE(window->data().Quelmar.Connected());
    EXPECT_EQ(programExitStatus(), ExitStatus::Posted);
    // Activating again never starts a run.
    window->Arguments = QStringList{QStringLiteral("x")} + login();
    window->FormActivate();
    EXPECT_FALSE(window->data().Quelmar.Connected());
}

TEST_F(UnattendedTest, AnErrorLeavesTheWindowOpenWithADisplayAndEndsTheProgramWithout) {
    // No user: the run is refused before anything connects; the designed parameter
    // list is never used.
    start(login(QString()));
    EXPECT_FALSE(windowDestroyed());
    EXPECT_EQ(programExitStatus(), ExitStatus::Unfinished);
    ASSERT_EQ(messages.ofKind(MessageKind::DefaultError).size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Faltan el usuario o la clave para conectar."));
    EXPECT_FALSE(window->data().Quelmar.Connected());
    EXPECT_TRUE(window->Tusua->text().isEmpty());
    window->close();
    EXPECT_TRUE(windowDestroyed());
    EXPECT_EQ(programExitStatus(), ExitStatus::Unfinished); // however it was closed

    messages.shown.clear();
    start(login(QString()), /*headless=*/true);
    EXPECT_TRUE(windowDestroyed()); // nobody there to close it
    EXPECT_EQ(programExitStatus(), ExitStatus::Unfinished);
}

TEST_F(UnattendedTest, AServerNotInTheListIsNoServerAtAll) {
    QStringList arguments = login();
    arguments[0] = db.root() + QStringLiteral("/otro");
    start(arguments);
    EXPECT_FALSE(windowDestroyed());
    EXPECT_EQ(window->Servidor->currentText(), QString());
    EXPECT_EQ(programExitStatus(), ExitStatus::Unfinished);
    // Refused before anything connects: no connecting line, no connection.
    ASSERT_EQ(messages.ofKind(MessageKind::DefaultError).size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("El servidor ") + arguments[0] +
                                          QStringLiteral(" no está en la lista de servidores."));
    EXPECT_TRUE(window->Panel5->isHidden());
    EXPECT_FALSE(window->data().Quelmar.Connected());
}

TEST(HeadlessMessageLines, CaptionAndTextOnOneLine) {
    EXPECT_EQ(HeadlessMessages::line({MessageKind::ErrorDialog, QStringLiteral("Error"),
                                      QStringLiteral("SQL Server Error: a\r\nb\nc")}),
              QStringLiteral("Error: SQL Server Error: a b c"));
}

} // namespace
