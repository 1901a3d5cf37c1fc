// The connection against the real engine: embedded, and the loopback server when
// the test command started one.

#include "data/DatabaseError.h"
#include "data/TSQLConnection.h"
#include "tests/fixtures/CompanyDatabase.h"
#include "tests/fixtures/ErrorText.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace {

const QString kInsertAdjustment = QStringLiteral(
    "insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO) "
    "values (?, ?, ?, ?, ?, ?)");

std::vector<SqlParam> adjustment(int id, Value start, Value end, Value rate, Value factor, Value prefix) {
    return {{FieldType::Integer, Value(id)},      {FieldType::Date, std::move(start)},
            {FieldType::Date, std::move(end)},    {FieldType::Decimal, std::move(rate)},
            {FieldType::Decimal, std::move(factor)}, {FieldType::String, std::move(prefix)}};
}

int countRows(TSQLConnection& c, const QString& table) {
    auto cur = c.OpenCursor(QStringLiteral("select count(*) from ") + table);
    EXPECT_TRUE(cur->next());
    const int n = int(cur->value(0).get<qint64>());
    cur->close();
    return n;
}

// The operation a database error names, or "<no database error>".
QString operationOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ESQLError& e) {
        return e.operation();
    }
    return QStringLiteral("<no database error>");
}

class ConnectionTest : public ::testing::TestWithParam<ConnectionKind> {
protected:
    void SetUp() override {
        if (GetParam() == ConnectionKind::Server && loopbackServer().isEmpty())
            GTEST_SKIP() << "no loopback server (QUELMAR_TEST_SERVER) in this run";
    }
    void connect(TSQLConnection& c) { db.connect(c, GetParam()); }
    CompanyDatabase db;
};

TEST_P(ConnectionTest, ValuesRoundTripExactlyThroughParametersAndCursors) {
    TSQLConnection c;
    connect(c);
    const Currency largest = Currency::fromUnits(999999999999999);
    const Currency smallest = Currency::fromUnits(-999999999999999);
    EXPECT_EQ(c.Execute(kInsertAdjustment, adjustment(1, QDate(1, 1, 1), QDate(9999, 12, 31),
                                                      Currency::fromInteger(19), largest,
                                                      QStringLiteral("AB'C"))),
              1);
    EXPECT_EQ(c.Execute(kInsertAdjustment, adjustment(2, Value::null(), Value::null(), Currency::fromInteger(0),
                                                      smallest, Value::null())),
              1);

    auto cur = c.OpenCursor(QStringLiteral("select * from AJUSTE_CIERRE order by AJCI_ID"));
    const RowLayout& layout = cur->layout();
    ASSERT_EQ(layout.columnCount(), 6);
    EXPECT_EQ(layout.columns()[0].name, QStringLiteral("AJCI_ID"));
    EXPECT_EQ(layout.columns()[0].type, FieldType::Integer);
    EXPECT_TRUE(layout.columns()[0].required);
    EXPECT_EQ(layout.columns()[3].type, FieldType::Decimal);
    EXPECT_EQ(layout.columns()[3].size, 4);
    EXPECT_EQ(layout.columns()[5].type, FieldType::String);
    EXPECT_EQ(layout.columns()[5].size, 4);

    ASSERT_TRUE(cur->next());
    EXPECT_EQ(cur->value(0), Value(1));
    EXPECT_EQ(cur->value(1), Value(QDate(1, 1, 1)));
    EXPECT_EQ(cur->value(2), Value(QDate(9999, 12, 31)));
    EXPECT_EQ(cur->value(3), Value(Currency::fromInteger(19)));
    EXPECT_EQ(cur->value(4), Value(largest));
    EXPECT_EQ(cur->value(5), Value(QStringLiteral("AB'C")));
    ASSERT_TRUE(cur->next());
    EXPECT_TRUE(cur->value(1).isNull());
    EXPECT_TRUE(cur->value(5).isNull());
    EXPECT_EQ(cur->value(4), Value(smallest));
    EXPECT_FALSE(cur->next());
    EXPECT_FALSE(cur->isOpen());
}

TEST_P(ConnectionTest, TextLongerThanItsColumnIsTheDatabasesOwnError) {
    TSQLConnection c;
    connect(c);
    const QString message = errorOf([&] {
        c.Execute(kInsertAdjustment, adjustment(1, Value::null(), Value::null(), Value::null(),
                                                Value::null(), QStringLiteral("ABCDE")));
    });
    EXPECT_TRUE(message.startsWith(QStringLiteral("SQL Server Error: "))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("truncation"))) << message.toStdString();
    EXPECT_EQ(countRows(c, QStringLiteral("AJUSTE_CIERRE")), 0);
}

TEST_P(ConnectionTest, ReportsRowsAffected) {
    TSQLConnection c;
    connect(c);
    for (int id = 1; id <= 3; ++id)
        c.Execute(kInsertAdjustment, adjustment(id, QDate(2026, 5, 23), QDate(2026, 5, 23),
                                                Currency::fromInteger(19), Currency::fromUnits(8000),
                                                Value::null()));
    EXPECT_EQ(c.Execute(QStringLiteral("update AJUSTE_CIERRE set AJCI_FACTOR = ? where AJCI_PORC = ?"),
                        {{FieldType::Decimal, Currency::fromUnits(7500)}, {FieldType::Decimal, Currency::fromInteger(19)}}),
              3);
    EXPECT_EQ(c.Execute(QStringLiteral("delete from AJUSTE_CIERRE where AJCI_ID = ?"), {{FieldType::Integer, 99}}), 0);
    EXPECT_EQ(c.Execute(QStringLiteral("delete from AJUSTE_CIERRE where AJCI_ID = ?"), {{FieldType::Integer, 2}}), 1);
}

TEST_P(ConnectionTest, KeyViolationsCarryTheirKindAtCharacters19To38) {
    TSQLConnection c;
    connect(c);
    const auto row = adjustment(1, Value::null(), Value::null(), Currency::fromInteger(19),
                                Value::null(), Value::null());
    c.Execute(kInsertAdjustment, row);
    const QString primary = errorOf([&] { c.Execute(kInsertAdjustment, row); });
    EXPECT_EQ(primary.left(18), QStringLiteral("SQL Server Error: "));
    EXPECT_EQ(primary.mid(18, 20), QStringLiteral("violation of PRIMARY")) << primary.toStdString();

    // Rate 7 is no rate of TARIFA_IVA.
    const QString foreign = errorOf([&] {
        c.Execute(kInsertAdjustment, adjustment(2, Value::null(), Value::null(), Currency::fromInteger(7),
                                                Value::null(), Value::null()));
    });
    EXPECT_EQ(foreign.mid(18, 20), QStringLiteral("violation of FOREIGN")) << foreign.toStdString();
    EXPECT_EQ(c.LastError(), foreign);
}

TEST_P(ConnectionTest, StatementsOutsideATransactionCommitOrLeaveNothing) {
    TSQLConnection writer, reader;
    connect(writer);
    connect(reader);
    writer.Execute(kInsertAdjustment, adjustment(1, Value::null(), Value::null(), Value::null(),
                                                 Value::null(), Value::null()));
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 1);

    // One statement that inserts and then fails: its insert must not survive.
    const QString failing = QStringLiteral(
        "execute block as begin "
        "insert into AJUSTE_CIERRE (AJCI_ID) values (50); "
        "insert into AJUSTE_CIERRE (AJCI_ID) values (1); end");
    EXPECT_NE(errorOf([&] { writer.Execute(failing); }), QStringLiteral("<no error>"));
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 1);
}

TEST_P(ConnectionTest, ACursorsWorkIsDurableOnceItCloses) {
    TSQLConnection poster, reader;
    connect(poster);
    connect(reader);
    // A selectable block that writes before returning, as a posting procedure does.
    auto cur = poster.OpenCursor(QStringLiteral(
        "execute block returns (n integer) as begin "
        "insert into AJUSTE_CIERRE (AJCI_ID) values (0); n = 1; suspend; n = 2; suspend; end"));
    ASSERT_TRUE(cur->next());
    cur->close(); // stops early, as a caller reading only the first packet does
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 1);
}

TEST_P(ConnectionTest, ACursorDroppedWithoutClosingKeepsNothingOfItsWork) {
    TSQLConnection poster, reader;
    connect(poster);
    connect(reader);
    {
        auto cur = poster.OpenCursor(QStringLiteral(
            "execute block returns (n integer) as begin "
            "insert into AJUSTE_CIERRE (AJCI_ID) values (0); n = 1; suspend; n = 2; suspend; end"));
        ASSERT_TRUE(cur->next());
    }
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 0);
    // Read to its end, a cursor closes itself and its work stays.
    auto cur = poster.OpenCursor(QStringLiteral(
        "execute block returns (n integer) as begin insert into AJUSTE_CIERRE (AJCI_ID) values (0); "
        "n = 1; suspend; end"));
    while (cur->next()) {
    }
    EXPECT_FALSE(cur->isOpen());
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 1);
}

TEST_P(ConnectionTest, DatabaseErrorsNameTheOperationThatFailed) {
    TSQLConnection c;
    EXPECT_EQ(operationOf([&] {
                  c.Params().setValue(QStringLiteral("Database"), db.databasePath(GetParam()) + QStringLiteral(".x"));
                  c.setConnected(true);
              }),
              QStringLiteral("Attachment::Attach"));
    connect(c);
    EXPECT_EQ(operationOf([&] { c.Prepare(QStringLiteral("select nothing from nowhere")); }),
              QStringLiteral("Statement::Prepare"));
    c.Execute(kInsertAdjustment, adjustment(1, Value::null(), Value::null(), Value::null(), Value::null(), Value::null()));
    EXPECT_EQ(operationOf([&] {
                  c.Execute(kInsertAdjustment,
                            adjustment(1, Value::null(), Value::null(), Value::null(), Value::null(), Value::null()));
              }),
              QStringLiteral("Statement::Execute"));
    EXPECT_EQ(operationOf([&] { c.Execute(kInsertAdjustment, {}); }), QStringLiteral("Statement::BindParameters"));
    EXPECT_EQ(operationOf([&] {
                  auto cur = c.OpenCursor(QStringLiteral(
                      "execute block returns (n integer) as begin n = 1; suspend; n = 1 / 0; suspend; end"));
                  while (cur->next()) {
                  }
              }),
              QStringLiteral("ResultSet::Fetch"));
    EXPECT_EQ(operationOf([&] { c.Commit(); }), QStringLiteral("Connection::Commit"));
    c.StartTransaction();
    EXPECT_EQ(operationOf([&] { c.StartTransaction(); }), QStringLiteral("Connection::StartTransaction"));
    c.Rollback();
    EXPECT_EQ(operationOf([&] { c.Rollback(); }), QStringLiteral("Connection::Rollback"));
    // The failed fetch kept nothing of its transaction, and the connection goes on.
    EXPECT_EQ(countRows(c, QStringLiteral("AJUSTE_CIERRE")), 1);
}

TEST_P(ConnectionTest, ExplicitTransactionsCommitAndRollBack) {
    TSQLConnection c, reader;
    connect(c);
    connect(reader);
    c.StartTransaction();
    EXPECT_TRUE(c.InTransaction());
    EXPECT_EQ(errorOf([&] { c.StartTransaction(); }),
              QStringLiteral("dbExpress Error: [0x0013] Local Transaction already active"));
    c.Execute(kInsertAdjustment, adjustment(1, Value::null(), Value::null(), Value::null(), Value::null(), Value::null()));
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 0); // not yet committed
    c.Rollback();
    EXPECT_FALSE(c.InTransaction());
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 0);

    c.StartTransaction();
    c.Execute(kInsertAdjustment, adjustment(2, Value::null(), Value::null(), Value::null(), Value::null(), Value::null()));
    c.Commit();
    EXPECT_EQ(countRows(reader, QStringLiteral("AJUSTE_CIERRE")), 1);
    EXPECT_EQ(errorOf([&] { c.Commit(); }), QStringLiteral("dbExpress Error: [0x0010] Invalid Transaction ID"));
}

TEST_P(ConnectionTest, DisconnectingForgetsTheTransactionAndClosesEverything) {
    TSQLConnection c;
    connect(c);
    struct Source : ConnectionClient {
        int closed = 0;
        void connectionClosing() override { ++closed; }
    } source;
    c.addClient(&source);

    auto prepared = c.Prepare(QStringLiteral("delete from AJUSTE_CIERRE"));
    c.Execute(kInsertAdjustment, adjustment(1, Value::null(), Value::null(), Value::null(), Value::null(), Value::null()));
    auto cursor = c.OpenCursor(QStringLiteral("select * from AJUSTE_CIERRE"));
    c.StartTransaction();
    c.Execute(kInsertAdjustment, adjustment(2, Value::null(), Value::null(), Value::null(), Value::null(), Value::null()));

    c.setConnected(false);
    c.setConnected(false); // harmless
    EXPECT_FALSE(c.Connected());
    EXPECT_FALSE(c.InTransaction());
    EXPECT_EQ(source.closed, 1);
    EXPECT_FALSE(cursor->isOpen());
    EXPECT_FALSE(cursor->next());
    EXPECT_EQ(errorOf([&] { prepared->execute({}); }),
              QStringLiteral("Cannot perform this operation on a closed connection"));
    EXPECT_EQ(errorOf([&] { c.Execute(QStringLiteral("delete from AJUSTE_CIERRE")); }),
              QStringLiteral("Cannot perform this operation on a closed connection"));

    c.removeClient(&source);
    connect(c);
    EXPECT_EQ(countRows(c, QStringLiteral("AJUSTE_CIERRE")), 1); // the open transaction's row is gone
}

TEST_P(ConnectionTest, APreparedStatementRunsManyTimes) {
    TSQLConnection c;
    connect(c);
    auto insert = c.Prepare(kInsertAdjustment);
    c.StartTransaction();
    for (int id = 1; id <= 50; ++id)
        EXPECT_EQ(insert->execute(adjustment(id, QDate(2026, 1, 1), Value::null(), Currency::fromInteger(5),
                                             Currency::fromUnits(id), id % 2 ? Value::null() : Value(QStringLiteral("P"))))
                  , 1);
    c.Commit();
    EXPECT_EQ(countRows(c, QStringLiteral("AJUSTE_CIERRE")), 50);
}

TEST_P(ConnectionTest, MissingDatabaseFileIsTheServersErrorAndLeavesTheConnectionClosed) {
    TSQLConnection c;
    c.Params().setValue(QStringLiteral("Database"), db.databasePath(GetParam()) + QStringLiteral(".missing"));
    c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    c.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
    const QString message = errorOf([&] { c.setConnected(true); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("SQL Server Error: "))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("quelmar.fdb.missing"))) << message.toStdString();
    EXPECT_FALSE(c.Connected());
    EXPECT_EQ(c.LastError(), message);
}

TEST_P(ConnectionTest, BadInputInPathUserOrPasswordIsRefusedSafely) {
    const QString longText(10000, QLatin1Char('x'));
    const QString quotes = QStringLiteral("a'b\"c';--");
    const QString outsideLatin1 = QStringLiteral("\u20AC\U0001F600\u4E2D");
    for (const QString& bad : {longText, quotes, outsideLatin1}) {
        for (const char* entry : {"Database", "User_Name", "Password"}) {
            TSQLConnection c;
            c.Params().setValue(QStringLiteral("Database"), db.databasePath(GetParam()));
            c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
            c.Params().setValue(QStringLiteral("Password"), QStringLiteral("masterkey"));
            const QString name = QString::fromLatin1(entry);
            c.Params().setValue(name, name == QStringLiteral("Database") ? db.root() + QLatin1Char('/') + bad : bad);
            try {
                c.setConnected(true);
                // The embedded engine does not check passwords; anything else must fail.
                EXPECT_TRUE(GetParam() == ConnectionKind::Embedded && name != QStringLiteral("Database"))
                    << name.toStdString();
            } catch (const EDatabaseError& e) {
                EXPECT_FALSE(e.message().isEmpty());
                EXPECT_FALSE(c.Connected());
            }
        }
    }
    // Nothing was created beside the company's folder.
    EXPECT_EQ(QDir(db.root()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("datos")});
}

INSTANTIATE_TEST_SUITE_P(, ConnectionTest, ::testing::Values(ConnectionKind::Embedded, ConnectionKind::Server),
                         [](const auto& info) {
                             return info.param == ConnectionKind::Embedded ? "Embedded" : "Server";
                         });

// Only the server checks credentials and only TCP has ports.
class ServerConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (loopbackServer().isEmpty())
            GTEST_SKIP() << "no loopback server (QUELMAR_TEST_SERVER) in this run";
    }
    CompanyDatabase db;
};

TEST_F(ServerConnectionTest, WrongPasswordGivesBothMessageParts) {
    TSQLConnection c;
    c.Params().setValue(QStringLiteral("Database"), db.databasePath(ConnectionKind::Server));
    c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    c.Params().setValue(QStringLiteral("password"), QStringLiteral("wrong"));
    const QString message = errorOf([&] { c.setConnected(true); });
    EXPECT_TRUE(message.startsWith(QStringLiteral(
        "dbExpress Error: [0x000C] Invalid Username/Password\r\nSQL Server Error: Your user name and password")))
        << message.toStdString();
    EXPECT_FALSE(c.Connected());
}

TEST_F(ServerConnectionTest, ClosedPortIsTheNetworkError) {
    TSQLConnection c;
    c.Params().setValue(QStringLiteral("Database"), QStringLiteral("127.0.0.1/1:") + db.root() + QStringLiteral("/datos/01/quelmar.fdb"));
    const QString message = errorOf([&] { c.setConnected(true); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("SQL Server Error: Unable to complete network request")))
        << message.toStdString();
    EXPECT_FALSE(c.Connected());
}

TEST(ConnectionLoading, AMissingClientLibraryIsNamed) {
    TSQLConnection c;
    c.VendorLib = QStringLiteral("libnoexiste.so.9");
    EXPECT_EQ(errorOf([&] { c.setConnected(true); }), QStringLiteral("Unable to Load libnoexiste.so.9"));
    EXPECT_EQ(c.LastError(), QStringLiteral("Unable to Load libnoexiste.so.9"));
}

TEST(ConnectionQuoting, TableNamesAreQuotedForDialect3) {
    CompanyDatabase db;
    TSQLConnection c;
    EXPECT_EQ(c.QuotedTableName(QStringLiteral("AJUSTE_CIERRE")), QStringLiteral("AJUSTE_CIERRE"));
    db.connect(c);
    EXPECT_EQ(c.QuoteChar(), QStringLiteral("\""));
    EXPECT_EQ(c.QuotedTableName(QStringLiteral("AJUSTE_CIERRE")), QStringLiteral("\"AJUSTE_CIERRE\""));
    EXPECT_EQ(c.QuotedTableName(QStringLiteral("OWNER.AJUSTE")), QStringLiteral("\"OWNER\".\"AJUSTE\""));
    EXPECT_EQ(c.QuotedTableName(QStringLiteral("\"Mixed\"")), QStringLiteral("\"Mixed\""));
    EXPECT_EQ(c.QuotedTableName(QStringLiteral("`odd")), QStringLiteral("`odd"));
}

} // namespace
