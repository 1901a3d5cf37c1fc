// The parameter list and the composition of connection error messages: pure logic.

#include "data/ConnectionParams.h"
#include "data/DatabaseError.h"
#include "data/detail/FbStatus.h"
#include "data/detail/Messages.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectionParams, DesignListHasItsEntriesInOrder) {
    const ConnectionParams p = ConnectionParams::designList();
    ASSERT_EQ(p.count(), 13);
    EXPECT_EQ(p.lines().front(), QStringLiteral("DriverName=Interbase"));
    EXPECT_EQ(p.lines()[10], QStringLiteral("Interbase TransIsolation=ReadCommited"));
    EXPECT_EQ(p.lines().back(), QStringLiteral("WaitOnLocks=True"));
    EXPECT_EQ(p.value(QStringLiteral("sqldialect")), QStringLiteral("3"));
    EXPECT_EQ(p.value(QStringLiteral("ServerCharSet")), QString());
    EXPECT_TRUE(p.contains(QStringLiteral("ServerCharSet")));
}

TEST(ConnectionParams, WritingReplacesTheWholeLineWithTheNameAsWritten) {
    ConnectionParams p = ConnectionParams::designList();
    p.setValue(QStringLiteral("password"), QStringLiteral("secreto"));
    EXPECT_EQ(p.count(), 13);
    EXPECT_EQ(p.lines()[6], QStringLiteral("password=secreto"));
    EXPECT_EQ(p.value(QStringLiteral("PASSWORD")), QStringLiteral("secreto"));
    EXPECT_EQ(p.lines().filter(QStringLiteral("assword"), Qt::CaseInsensitive).size(), 1);

    p.setValue(QStringLiteral("User_Name"), QStringLiteral("a=b"));
    EXPECT_EQ(p.value(QStringLiteral("user_name")), QStringLiteral("a=b"));
}

TEST(ConnectionParams, EmptyValueRemovesAndNewNamesAreAppended) {
    ConnectionParams p = ConnectionParams::designList();
    p.setValue(QStringLiteral("ROLENAME"), QString());
    EXPECT_EQ(p.count(), 12);
    EXPECT_FALSE(p.contains(QStringLiteral("RoleName")));
    p.setValue(QStringLiteral("Nuevo"), QStringLiteral("1"));
    EXPECT_EQ(p.lines().back(), QStringLiteral("Nuevo=1"));
    p.setValue(QStringLiteral("NoExiste"), QString()); // nothing to remove
    EXPECT_EQ(p.count(), 13);
}

QString compose(QString& last, long code, const QString& server) {
    try {
        detail::raiseConnectionError(last, code, server, "Connection::Commit");
    } catch (const ESQLError& e) {
        EXPECT_EQ(e.statusCode(), code);
        EXPECT_EQ(e.operation(), QStringLiteral("Connection::Commit"));
        return e.message();
    }
    return {};
}

TEST(ConnectionErrors, MessagesAreComposedFromStatusCodeAndServerText) {
    QString last;
    EXPECT_EQ(detail::clientStatusText(12), QStringLiteral("[0x000C] Invalid Username/Password"));
    EXPECT_EQ(compose(last, 12, QStringLiteral("bad login")),
              QStringLiteral("dbExpress Error: [0x000C] Invalid Username/Password\r\nSQL Server Error: bad login"));
    EXPECT_EQ(compose(last, 335544665, QStringLiteral("violation of PRIMARY or UNIQUE KEY")),
              QStringLiteral("SQL Server Error: violation of PRIMARY or UNIQUE KEY"));
    EXPECT_EQ(compose(last, 9, QString()), QStringLiteral("dbExpress Error: [0x0009] Invalid Parameter"));
    // A code outside the table with no text falls back to the previous message...
    EXPECT_EQ(compose(last, 77, QString()), QStringLiteral("dbExpress Error: [0x0009] Invalid Parameter"));
    // ...and with no previous message, to the unknown code.
    QString fresh;
    EXPECT_EQ(compose(fresh, 335544999, QString()), QStringLiteral("dbExpress Error: Unknown Error Code '335544999'"));
    EXPECT_EQ(fresh, QStringLiteral("dbExpress Error: Unknown Error Code '335544999'"));
}

} // namespace
