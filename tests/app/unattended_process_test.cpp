// The unattended run as a scheduler meets it: the real program as a process, no
// display, standard input as given, a time limit on every run. Locks and silent
// servers need a second connection or a server of their own on loopback.

#include "tests/app/ProgramRun.h"
#include "tests/app/WindowTest.h"
#include "tests/fixtures/PrivateServer.h"

#include <QDate>
#include <QDateTime>
#include <QThread>

#include <csignal>
#include <clocale>
#include <cstdio>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kAppTitle = QStringLiteral("Contabiliza ventas contado: ");
const QString kPassword = QStringLiteral("masterkey");

Value postedInvoices(const CompanyDatabase& db) {
    return queryValue(db, QStringLiteral("select count(*) from FACTURA where FACT_COMP_LOCAL is not null"));
}

// The lines of every voucher, as "account=debit/credit".
QStringList voucherLines(const CompanyDatabase& db) {
    TSQLConnection c;
    db.connect(c);
    auto cursor = c.OpenCursor(QStringLiteral(
        "select CODE_CUENTA, CODE_DEBITO, CODE_CREDITO from COMPROBANTE_DET order by COMP_ID, CODE_LINEA"));
    QStringList lines;
    while (cursor->next())
        lines << cursor->value(0).debugText() + QLatin1Char('=') + cursor->value(1).debugText() + QLatin1Char('/') +
                     cursor->value(2).debugText();
    return lines;
}

QProcessEnvironment environment(std::initializer_list<std::pair<const char*, QString>> entries) {
    QProcessEnvironment env;
    for (const auto& [name, value] : entries)
        env.insert(QString::fromLatin1(name), value);
    return env;
}

// Runs against the embedded engine: one workstation, no second connection.
class SchedulerTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        installation.writeServerList(db.serverEntry(ConnectionKind::Embedded).toUtf8() + "\r\n");
    }
    QStringList login(const QString& password = kPassword) const {
        return {db.serverEntry(ConnectionKind::Embedded), QStringLiteral("SYSDBA"), password, db.company()};
    }
    const QDate today = QDate::currentDate();
    CompanyDatabase db;
};

TEST_F(SchedulerTest, TheExitStatusTellsWhatHappened) {
    addCashInvoice(db, 1, today);
    const ProgramOutcome posted = runProgram(login());
    EXPECT_EQ(posted.status, 0) << posted.errors.toStdString();

    const ProgramOutcome nothing = runProgram(login()); // already posted
    EXPECT_EQ(nothing.status, 1);
    EXPECT_TRUE(nothing.errors.contains(kAppTitle + QStringLiteral("No se pudo contabilizar las facturas.")));

    QStringList wrong = login();
    wrong[3] = QStringLiteral("99");
    const ProgramOutcome failed = runProgram(wrong);
    EXPECT_EQ(failed.status, 2);
    EXPECT_TRUE(failed.errors.contains(kAppTitle + QStringLiteral("SQL Server Error: "))) << failed.errors.toStdString();
}

TEST_F(SchedulerTest, AFailedSaveOfTheDaysRowsStillPostsButSaysSo) {
    addStanding(db, 1, today.addDays(-1), today.addDays(1), 19, 7000);
    addCashInvoice(db, 1, today);
    runIsql(db.file(), QStringLiteral("create exception NO_AJUSTE 'Ajuste rechazado por la prueba';\n"
                                      "set term ^;\n"
                                      "create trigger AJUSTE_RECHAZADO for AJUSTE_CIERRE before insert as\n"
                                      "begin exception NO_AJUSTE; end^\n"
                                      "set term ;^\ncommit;\n"));
    const ProgramOutcome run = runProgram(login());
    EXPECT_EQ(run.status, 3) << run.errors.toStdString();
    // The failing row's own line, then the posting all the same.
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Ajuste rechazado por la prueba"))) << run.errors.toStdString();
    EXPECT_EQ(postedInvoices(db), Value(1));
    EXPECT_EQ(queryValue(db, QStringLiteral("select count(*) from AJUSTE_CIERRE")), Value(0));
}

TEST_F(SchedulerTest, WhatWasNotAskedForIsRefusedBeforeAnythingConnects) {
    addCashInvoice(db, 1, today);
    // The company's own database, but under a server entry that is not in the list.
    QStringList unlisted = login();
    unlisted[0] = db.root() + QStringLiteral("/.");
    const ProgramOutcome notListed = runProgram(unlisted);
    EXPECT_EQ(notListed.status, 2);
    EXPECT_TRUE(notListed.errors.contains(kAppTitle + QStringLiteral("El servidor ") + unlisted[0] +
                                          QStringLiteral(" no está en la lista de servidores.")))
        << notListed.errors.toStdString();
    EXPECT_FALSE(notListed.errors.contains(QStringLiteral("Error:"))) << notListed.errors.toStdString();

    for (int emptied : {1, 2}) {
        QStringList arguments = login();
        arguments[emptied].clear();
        const ProgramOutcome refused = runProgram(arguments);
        EXPECT_EQ(refused.status, 2) << emptied;
        EXPECT_TRUE(refused.errors.contains(kAppTitle + QStringLiteral("Faltan el usuario o la clave para conectar.")))
            << refused.errors.toStdString();
        EXPECT_FALSE(refused.errors.contains(QStringLiteral("SQL Server Error"))) << refused.errors.toStdString();
    }
    EXPECT_EQ(postedInvoices(db), Value(0));
}

TEST_F(SchedulerTest, WithoutADisplayAndWithoutACompanyItSaysHowToCallItAndEnds) {
    const QString usage = QStringLiteral("Uso: contabiliza-contado SERVIDOR USUARIO CLAVE COMPAÑÍA");
    QStringList emptyCompany = login();
    emptyCompany[3].clear();
    for (const QStringList& arguments : {QStringList{}, login().mid(0, 3), emptyCompany}) {
        const ProgramOutcome outcome = runProgram(arguments, {}, {}, 20000);
        EXPECT_EQ(outcome.status, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(outcome.errors.startsWith(usage)) << outcome.errors.toStdString();
        EXPECT_EQ(outcome.errors.count(QLatin1Char('\n')), 1) << outcome.errors.toStdString();
    }
}

TEST_F(SchedulerTest, ThePasswordDashReadsTheFirstLineOfStandardInput) {
    // The embedded engine takes any password, so an empty one is what shows here
    // that the line was read: "-" with nothing on standard input has no password.
    addCashInvoice(db, 1, today);
    const ProgramOutcome empty = runProgram(login(QStringLiteral("-")));
    EXPECT_EQ(empty.status, 2);
    EXPECT_TRUE(empty.errors.contains(QStringLiteral("Faltan el usuario o la clave para conectar.")));
    const ProgramOutcome emptyLine = runProgram(login(QStringLiteral("-")), "\nmasterkey\n");
    EXPECT_EQ(emptyLine.status, 2);
    const ProgramOutcome posted = runProgram(login(QStringLiteral("-")), "masterkey\r\n");
    EXPECT_EQ(posted.status, 0) << posted.errors.toStdString();
    EXPECT_EQ(postedInvoices(db), Value(1));
}

// The client reads its configuration and folds SQL names with the C library's
// character classification; the workstation's locale must not reach it.
TEST_F(SchedulerTest, PostsTheSameUnderEveryWorkstationLocale) {
    QStringList expected;
    for (const char* locale : {"C", "tr_TR.UTF-8", "es_CO.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8"}) {
        SCOPED_TRACE(locale);
        ASSERT_TRUE(std::setlocale(LC_CTYPE, locale))
            << locale << " is not generated on this machine (scripts/setup.sh generates it)";
        std::setlocale(LC_CTYPE, "C.UTF-8");
        CompanyDatabase company;
        installation.writeServerList(company.serverEntry(ConnectionKind::Embedded).toUtf8() + "\n");
        addCashInvoice(company, 1, today);
        const ProgramOutcome run =
            runProgram({company.serverEntry(ConnectionKind::Embedded), QStringLiteral("SYSDBA"), kPassword,
                        company.company()},
                       {}, environment({{"LC_ALL", QString::fromLatin1(locale)}}));
        EXPECT_EQ(run.status, 0) << run.errors.toStdString();
        const QStringList lines = voucherLines(company);
        EXPECT_FALSE(lines.isEmpty());
        if (expected.isEmpty())
            expected = lines;
        EXPECT_EQ(lines, expected);
    }
}

// A server of the test's own, and a second workstation on it.
class SchedulerServerTest : public SchedulerTest {
protected:
    void SetUp() override {
        SchedulerTest::SetUp();
        ASSERT_TRUE(server.running());
        entry = server.address() + QLatin1Char(':') + db.root();
        installation.writeServerList(entry.toUtf8() + "\n");
    }
    QStringList serverLogin(const QString& password = kPassword) const {
        return {entry, QStringLiteral("SYSDBA"), password, db.company()};
    }
    // Another workstation's connection through the server.
    void connectOther(TSQLConnection& c) const {
        c.Params().setValue(QStringLiteral("Database"), entry + QStringLiteral("/datos/01/quelmar.fdb"));
        c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        c.Params().setValue(QStringLiteral("password"), kPassword);
        c.Open();
    }
    // Another workstation changes today's invoice and does not commit: the posting,
    // which marks the invoice, waits for it.
    void holdTheInvoice(TSQLConnection& other) const {
        connectOther(other);
        other.StartTransaction();
        other.Execute(QStringLiteral("update FACTURA set FACT_NUMERO = FACT_NUMERO where FACT_ID = 1"));
    }
    PrivateServer server;
    QString entry;
};

TEST_F(SchedulerServerTest, TheCommandLineShowsNoPasswordAndASignalEndsAHeldPosting) {
    addCashInvoice(db, 1, today);
    TSQLConnection other;
    holdTheInvoice(other);

    ProgramRun run(serverLogin());
    // Inside the posting: its progress line is up and the invoice's lock holds it.
    QThread::msleep(3000);
    ASSERT_TRUE(run.running());
    const QList<QByteArray> shown = run.visibleArguments();
    ASSERT_EQ(shown.size(), 5);
    EXPECT_EQ(shown[1], entry.toUtf8());
    EXPECT_EQ(shown[3], QByteArray("-"));
    for (const QByteArray& argument : shown)
        EXPECT_FALSE(argument.contains(kPassword.toUtf8()));

    const qint64 signalled = QDateTime::currentMSecsSinceEpoch();
    run.signal(SIGTERM);
    const ProgramOutcome outcome = run.finish(10000);
    const qint64 reaction = QDateTime::currentMSecsSinceEpoch() - signalled;
    RecordProperty("sigterm_to_exit_ms", int(reaction));
    std::printf("figure: sigterm_to_exit_ms %lld\n", static_cast<long long>(reaction));
    EXPECT_EQ(outcome.status, 2) << outcome.errors.toStdString();
    EXPECT_LT(reaction, 5000);
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("señal SIGTERM"))) << outcome.errors.toStdString();
    other.Rollback();
    other.Close();
    // Nothing of the interrupted posting stayed.
    TSQLConnection check;
    connectOther(check);
    auto cursor = check.OpenCursor(QStringLiteral(
        "select (select count(*) from FACTURA where FACT_COMP_LOCAL is not null), (select count(*) from COMPROBANTE) "
        "from RDB$DATABASE"));
    ASSERT_TRUE(cursor->next());
    EXPECT_EQ(cursor->value(0), Value(0));
    EXPECT_EQ(cursor->value(1), Value(0));
}

TEST_F(SchedulerServerTest, ALockHeldByAnotherWorkstationStopsThePostingAfterThirtySeconds) {
    addCashInvoice(db, 1, today);
    TSQLConnection other;
    holdTheInvoice(other);
    const ProgramOutcome outcome = runProgram(serverLogin(), {}, {}, 75000);
    RecordProperty("held_lock_wait_ms", int(outcome.elapsedMs));
    std::printf("figure: held_lock_wait_ms %lld\n", static_cast<long long>(outcome.elapsedMs));
    EXPECT_EQ(outcome.status, 2) << outcome.errors.toStdString();
    EXPECT_GE(outcome.elapsedMs, 29000);
    EXPECT_LT(outcome.elapsedMs, 60000);
    // The server's own words for a row lock that outlived the wait.
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("update conflicts with concurrent update")))
        << outcome.errors.toStdString();
    other.Rollback();
}

TEST_F(SchedulerServerTest, AHeldAdjustmentRowRollsTheSaveBackAndThePostingSaysSo) {
    addCashInvoice(db, 1, today);
    {
        TSQLConnection c;
        db.connect(c);
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE values (900, ?, ?, 19, 0.1, null)"),
                  {{FieldType::Date, Value(today)}, {FieldType::Date, Value(today)}});
    }
    addStanding(db, 1, today.addDays(-1), today.addDays(1), 19, 7000);
    TSQLConnection other;
    connectOther(other);
    other.StartTransaction();
    other.Execute(QStringLiteral("update AJUSTE_CIERRE set AJCI_FACTOR = 0.2 where AJCI_ID = 900"));

    const ProgramOutcome outcome = runProgram(serverLogin(), {}, {}, 75000);
    EXPECT_EQ(outcome.status, 3) << outcome.errors.toStdString();
    EXPECT_GE(outcome.elapsedMs, 29000);
    EXPECT_TRUE(outcome.errors.contains(QStringLiteral("Error: SQL Server Error: deadlock")))
        << outcome.errors.toStdString();
    other.Rollback();
    // The whole save was rolled back: yesterday's row is still there, alone.
    auto cursor = other.OpenCursor(QStringLiteral(
        "select (select count(*) from AJUSTE_CIERRE), (select max(AJCI_ID) from AJUSTE_CIERRE), "
        "(select count(*) from FACTURA where FACT_COMP_LOCAL is not null) from RDB$DATABASE"));
    ASSERT_TRUE(cursor->next());
    EXPECT_EQ(cursor->value(0), Value(1));
    EXPECT_EQ(cursor->value(1), Value(900));
    EXPECT_EQ(cursor->value(2), Value(1));
}

TEST_F(SchedulerServerTest, ThePasswordFromStandardInputIsTheOneTheServerChecks) {
    addCashInvoice(db, 1, today);
    const ProgramOutcome refused = runProgram(serverLogin(QStringLiteral("-")), "wrong\n");
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("Invalid Username/Password"))) << refused.errors.toStdString();
    const ProgramOutcome posted = runProgram(serverLogin(QStringLiteral("-")), kPassword.toUtf8() + "\n");
    EXPECT_EQ(posted.status, 0) << posted.errors.toStdString();
}

// A port that takes connections and never says a word.
class SilentServer {
public:
    SilentServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
        ::listen(fd_, 16); // the kernel completes the handshake; nothing is ever read
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { ::close(fd_); }
    QString entry(const QString& folder) const { return QStringLiteral("127.0.0.1/%1:%2").arg(port_).arg(folder); }

private:
    int fd_ = -1;
    int port_ = 0;
};

TEST_F(SchedulerTest, AServerThatNeverAnswersIsGivenUpWithinThirtySecondsOrAtASignal) {
    SilentServer silent;
    const QString entry = silent.entry(db.root());
    installation.writeServerList(entry.toUtf8() + "\n");
    const QStringList arguments{entry, QStringLiteral("SYSDBA"), kPassword, db.company()};

    const ProgramOutcome outcome = runProgram(arguments, {}, {}, 75000);
    RecordProperty("silent_server_wait_ms", int(outcome.elapsedMs));
    std::printf("figure: silent_server_wait_ms %lld\n", static_cast<long long>(outcome.elapsedMs));
    EXPECT_EQ(outcome.status, 2) << outcome.errors.toStdString();
    EXPECT_LE(outcome.elapsedMs, 30000);

    for (int signal : {SIGINT, SIGHUP}) {
        ProgramRun run(arguments);
        QThread::msleep(1500);
        ASSERT_TRUE(run.running());
        const qint64 signalled = QDateTime::currentMSecsSinceEpoch();
        run.signal(signal);
        const ProgramOutcome stopped = run.finish(10000);
        EXPECT_EQ(stopped.status, 2) << signal;
        EXPECT_LT(QDateTime::currentMSecsSinceEpoch() - signalled, 5000) << signal;
    }
}

} // namespace
