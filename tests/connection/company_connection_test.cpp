// Connecting to a company's database with the user's login, on the real engine.

#include "connection/CompanyConnection.h"
#include "data/DatabaseError.h"
#include "data/TSQLConnection.h"
#include "tests/fixtures/CompanyDatabase.h"
#include "tests/fixtures/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

// The file of the database the connection is attached to, as the server names it.
QString attachedFile(TSQLConnection& connection) {
    auto cursor =
        connection.OpenCursor(QStringLiteral("select mon$database_name from mon$database"));
    EXPECT_TRUE(cursor->next());
    const QString name = cursor->value(0).get<QString>().trimmed();
    cursor->close();
    return QFileInfo(name).canonicalFilePath();
}

CompanyLogin loginTo(const CompanyDatabase& db) {
    return {db.serverEntry(ConnectionKind::Embedded), QStringLiteral("SYSDBA"),
            QStringLiteral("masterkey"), db.company()};
}

} // namespace

TEST(CompanyDatabasePath, AppendsTheCompanyFolderToTheServerEntryUnchanged) {
    EXPECT_EQ(companyDatabasePath(QStringLiteral("contab:/srv/quelmar"), QStringLiteral("07")),
              QStringLiteral("contab:/srv/quelmar/datos/07/quelmar.fdb"));
    EXPECT_EQ(companyDatabasePath(QStringLiteral("contab/3050:/srv/"), QStringLiteral("07")),
              QStringLiteral("contab/3050:/srv//datos/07/quelmar.fdb"));
    EXPECT_EQ(companyDatabasePath(QString(), QStringLiteral("07")),
              QStringLiteral("/datos/07/quelmar.fdb"));
}

TEST(CompanyConnection, ConnectsWithTheLoginReplacingTheDesignedEntries) {
    CompanyDatabase db;
    TSQLConnection connection;
    connectCompany(connection, loginTo(db));
    ASSERT_TRUE(connection.Connected());
    EXPECT_EQ(attachedFile(connection), QFileInfo(db.file()).canonicalFilePath());

    const ConnectionParams& params = connection.Params();
    EXPECT_EQ(params.value(QStringLiteral("Database")), db.databasePath(ConnectionKind::Embedded));
    EXPECT_EQ(params.value(QStringLiteral("User_Name")), QStringLiteral("SYSDBA"));
    EXPECT_EQ(params.value(QStringLiteral("Password")), QStringLiteral("masterkey"));
    EXPECT_EQ(params.lines().filter(QStringLiteral("password="), Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(params.count(), ConnectionParams::designList().count());
}

TEST(CompanyConnection, ConnectingAgainMovesToTheOtherCompany) {
    CompanyDatabase first(false, QStringLiteral("01"));
    CompanyDatabase second(false, QStringLiteral("02"));
    TSQLConnection connection;
    connectCompany(connection, loginTo(first));
    connectCompany(connection, loginTo(second));
    ASSERT_TRUE(connection.Connected());
    EXPECT_EQ(attachedFile(connection), QFileInfo(second.file()).canonicalFilePath());
}

TEST(CompanyConnection, AFailureIsRaisedAndLeavesTheConnectionClosed) {
    CompanyDatabase db;
    TSQLConnection connection;
    connectCompany(connection, loginTo(db));

    CompanyLogin wrong = loginTo(db);
    wrong.company = QStringLiteral("99");
    try {
        connectCompany(connection, wrong);
        FAIL() << "connected to a company that does not exist";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("SQL Server Error: "))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("/datos/99/quelmar.fdb"))) << e.what();
    }
    EXPECT_FALSE(connection.Connected());

    // Corrected, the same connection connects again.
    connectCompany(connection, loginTo(db));
    EXPECT_TRUE(connection.Connected());
}
