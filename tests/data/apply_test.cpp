// Applying a cached dataset's changes: the statements sent, the transaction as the
// unit, per-row failures and what stays pending.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "tests/fixtures/DataSetRig.h"

#include <gtest/gtest.h>

namespace {

TField& field(TClientDataSet& ds, const char* name) { return ds.FieldByName(QString::fromLatin1(name)); }

struct Failure {
    QString message;
    UpdateKind kind;
};

// Every case runs embedded and, when the test command started one, against the
// loopback server.
class Applying : public ::testing::TestWithParam<ConnectionKind> {
protected:
    void SetUp() override {
        if (GetParam() == ConnectionKind::Server && loopbackServer().isEmpty())
            GTEST_SKIP() << "no loopback server (QUELMAR_TEST_SERVER) in this run";
        FormatSettings::setCurrent(FormatSettings{});
        rig.Quelmar.OnPrepare = [this](const QString& sql) { sent.push_back(sql); };
        rig.PAjuste.OnUpdateError = [this](TDataSetProvider& sender, TClientDataSet& dataSet, const EUpdateError& e,
                                           UpdateKind kind, TResolverResponse& response) {
            EXPECT_EQ(&sender, &rig.PAjuste);
            EXPECT_EQ(&dataSet, &ds);
            EXPECT_EQ(e.ErrorCode(), 1);
            failures.push_back({e.message(), kind});
            response = TResolverResponse::rrAbort; // as the window answers every failed row
        };
    }
    void addRow(int id, int rate, const Value& prefix = Value::null()) {
        rig.addAdjustment(id, QDate(2026, 5, 23), Currency::fromInteger(rate), Currency::fromUnits(8000), prefix);
    }
    // A new row as the closing-adjustment panel makes it: no prefix set.
    void insertNew(int rate, int id = 0) {
        ds.Insert();
        field(ds, "AJCI_ID").setAsInteger(id);
        field(ds, "AJCI_FECINI").setAsDateTime(QDateTime(QDate(2026, 5, 23), QTime()));
        field(ds, "AJCI_FECFIN").setAsDateTime(QDateTime(QDate(2026, 5, 23), QTime()));
        field(ds, "AJCI_PORC").setAsCurrency(Currency::fromInteger(rate));
        field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(8000));
        ds.Post();
    }
    std::vector<QString> rowsInDatabase() {
        std::vector<QString> out;
        TSQLConnection c;
        c.Params() = rig.Quelmar.Params();
        c.setConnected(true);
        auto cur = c.OpenCursor(QStringLiteral("select AJCI_ID, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO from AJUSTE_CIERRE order by AJCI_PORC, AJCI_ID"));
        while (cur->next())
            out.push_back(cur->value(1).debugText() + QLatin1Char('/') + cur->value(2).debugText() + QLatin1Char('/') +
                          cur->value(3).debugText());
        return out;
    }
    // Table SIN_CLAVE, which has no key, with two equal rows (1, 'x') and then the
    // rows given; `admin` is a connection of its own to it.
    void createTableWithoutKey(const QStringList& moreRows = {}) {
        admin.Params() = rig.Quelmar.Params();
        admin.setConnected(true);
        admin.Execute(QStringLiteral("create table SIN_CLAVE (A integer, B varchar(10))"));
        for (const QString& row : QStringList{QStringLiteral("1, 'x'"), QStringLiteral("1, 'x'")} + moreRows)
            admin.Execute(QStringLiteral("insert into SIN_CLAVE values (%1)").arg(row));
    }
    int statementsLike(const QString& start) {
        return int(std::count_if(sent.begin(), sent.end(), [&](const QString& s) { return s.startsWith(start); }));
    }

    DataSetRig rig{GetParam()};
    TClientDataSet& ds = rig.adjustments();
    std::vector<QString> sent;
    std::vector<Failure> failures;
    TSQLConnection admin;
};

TEST_P(Applying, StatementTextsAreExact) {
    addRow(101, 19);
    addRow(102, 5);
    ds.Open();
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(101)));
    ds.Edit();
    field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(7500));
    ds.Post();
    insertNew(0);
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(102)));
    ds.Delete();
    sent.clear();

    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], QStringLiteral("update \"AJUSTE_CIERRE\"  set\r\n"
                                      " \"AJCI_FACTOR\" = ?\r\n"
                                      "where\r\n"
                                      " \"AJCI_ID\" = ? and\r\n"
                                      " \"AJCI_FECINI\" = ? and\r\n"
                                      " \"AJCI_FECFIN\" = ? and\r\n"
                                      " \"AJCI_PORC\" = ? and\r\n"
                                      " \"AJCI_FACTOR\" = ? and\r\n"
                                      " \"AJCI_PREFNO\" is null\r\n"));
    EXPECT_EQ(sent[1], QStringLiteral("insert into \"AJUSTE_CIERRE\"\r\n"
                                      "  (\"AJCI_ID\", \"AJCI_FECINI\", \"AJCI_FECFIN\", \"AJCI_PORC\", \"AJCI_FACTOR\")\r\n"
                                      "values\r\n"
                                      "  (?, ?, ?, ?, ?)\r\n"));
    EXPECT_EQ(sent[2], QStringLiteral("delete from \"AJUSTE_CIERRE\" \r\n"
                                      "where\r\n"
                                      " \"AJCI_ID\" = ? and\r\n"
                                      " \"AJCI_FECINI\" = ? and\r\n"
                                      " \"AJCI_FECFIN\" = ? and\r\n"
                                      " \"AJCI_PORC\" = ? and\r\n"
                                      " \"AJCI_FACTOR\" = ? and\r\n"
                                      " \"AJCI_PREFNO\" is null\r\n"));
    EXPECT_EQ(rowsInDatabase(), (std::vector<QString>{QStringLiteral("0.0000/0.8000/null"),
                                                      QStringLiteral("19.0000/0.7500/null")}));
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_TRUE(failures.empty());
}

TEST_P(Applying, NothingToApplySendsNothing) {
    addRow(1, 19);
    ds.Open();
    ds.Edit(); // untouched: abandoned, not posted
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_TRUE(sent.empty() || statementsLike(QStringLiteral(" select")) == int(sent.size()));
    EXPECT_FALSE(rig.Quelmar.InTransaction());
    ds.Close();
    EXPECT_THROW(ds.ApplyUpdates(0), EDatabaseError);
}

TEST_P(Applying, NullSetAndNeverSetAreWrittenDifferently) {
    ds.Open();
    insertNew(5, 0);
    ds.Insert();
    field(ds, "AJCI_ID").setAsInteger(0);
    field(ds, "AJCI_PORC").setAsCurrency(Currency::fromInteger(19));
    field(ds, "AJCI_PREFNO").Clear();
    ds.Post();
    sent.clear();
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(sent[0].contains(QStringLiteral("\"AJCI_FACTOR\")")));
    EXPECT_EQ(sent[1], QStringLiteral("insert into \"AJUSTE_CIERRE\"\r\n  (\"AJCI_ID\", \"AJCI_PORC\", \"AJCI_PREFNO\")\r\n"
                                      "values\r\n  (?, ?, ?)\r\n"));
    // Both rows came with key 0 in one transaction; the database gave each its own.
    EXPECT_EQ(rowsInDatabase().size(), 2u);
}

TEST_P(Applying, EachDistinctTextIsPreparedOncePerApply) {
    ds.Open();
    for (int i = 0; i < 50; ++i)
        insertNew(i % 2 ? 5 : 19);
    sent.clear();
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(sent.size(), 1u);
    EXPECT_EQ(rowsInDatabase().size(), 50u);
}

TEST_P(Applying, ValuesTravelOnlyAsParameters) {
    ds.Open();
    for (const QString& prefix : {QStringLiteral("';--"), QStringLiteral("OR 1"), QStringLiteral("\"x\";")}) {
        ds.Insert();
        field(ds, "AJCI_ID").setAsInteger(0);
        field(ds, "AJCI_PORC").setAsCurrency(Currency::fromInteger(5));
        field(ds, "AJCI_PREFNO").setAsString(prefix);
        ds.Post();
    }
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    for (const QString& s : sent)
        EXPECT_FALSE(s.contains(QStringLiteral("--")) || s.contains(QStringLiteral("OR 1"))) << s.toStdString();
    const auto rows = rowsInDatabase();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(std::count(rows.begin(), rows.end(), QStringLiteral("5.0000/null/'';--'")) == 1);

    // And they find their rows again when changed.
    ds.Close();
    ds.Open();
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_PREFNO"), Value(QStringLiteral("';--"))));
    ds.Delete();
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(rowsInDatabase().size(), 2u);
}

TEST_P(Applying, ARowChangedByAnotherUserFailsAndUnderZeroNothingStays) {
    addRow(101, 0);
    addRow(102, 5);
    ds.Open();
    insertNew(19, 0); // sent first: its change was made first
    for (int id : {101, 102}) {
        ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(id)));
        ds.Edit();
        field(ds, "AJCI_FACTOR").setAsCurrency(Currency::fromUnits(5000));
        ds.Post();
    }
    // Meanwhile somebody else changes row 101.
    TSQLConnection other;
    other.Params() = rig.Quelmar.Params();
    other.setConnected(true);
    other.Execute(QStringLiteral("update AJUSTE_CIERRE set AJCI_FACTOR = 0.1 where AJCI_ID = 101"));
    const auto before = rowsInDatabase();

    EXPECT_EQ(ds.ApplyUpdates(0), 1);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].message, QStringLiteral("Record not found or changed by another user"));
    EXPECT_EQ(failures[0].kind, UpdateKind::ukModify);
    EXPECT_EQ(rowsInDatabase(), before); // the insertion before it was rolled back
    EXPECT_EQ(statementsLike(QStringLiteral("update")), 1); // row 102 was never sent
    EXPECT_EQ(ds.ChangeCount(), 3); // every change still pending
}

TEST_P(Applying, UnderMinusOneTheRowsBeforeTheFailureAreCommitted) {
    ds.Open();
    insertNew(0);
    insertNew(7); // no such rate: the foreign key refuses it
    insertNew(19);
    EXPECT_EQ(ds.ApplyUpdates(-1), 1);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].message.mid(18, 20), QStringLiteral("violation of FOREIGN"));
    EXPECT_EQ(failures[0].kind, UpdateKind::ukInsert);
    EXPECT_EQ(rowsInDatabase(), (std::vector<QString>{QStringLiteral("0.0000/0.8000/null")}));
    EXPECT_EQ(ds.ChangeCount(), 2); // the failed row and the one never sent

    // Corrected, the same dataset applies the rest.
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_PORC"), Value(7)));
    ds.Edit();
    field(ds, "AJCI_PORC").setAsCurrency(Currency::fromInteger(5));
    ds.Post();
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(rowsInDatabase().size(), 3u);
    EXPECT_EQ(ds.ChangeCount(), 0);
}

TEST_P(Applying, WithoutAHandlerMinusOneSendsEveryRow) {
    rig.PAjuste.OnUpdateError = nullptr;
    ds.Open();
    insertNew(7);
    insertNew(0);
    insertNew(7);
    insertNew(19);
    EXPECT_EQ(ds.ApplyUpdates(-1), 2);
    EXPECT_EQ(rowsInDatabase().size(), 2u);
    EXPECT_EQ(ds.ChangeCount(), 2);
}

TEST_P(Applying, APendingRowThatFailsToPostStopsTheApplySilently) {
    ds.OnPostError = [](TClientDataSet&, const EDatabaseError&, TDataAction& action) { action = TDataAction::daAbort; };
    ds.Open();
    insertNew(0);
    ds.Insert();
    field(ds, "AJCI_PORC").setAsCurrency(Currency::fromInteger(5)); // no key: required
    sent.clear();
    EXPECT_THROW(ds.ApplyUpdates(0), EAbort);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(ds.State(), TDataSetState::dsInsert);
    EXPECT_TRUE(rowsInDatabase().empty());
}

TEST_P(Applying, AnUpdateHittingSeveralRowsRollsBackAtOnce) {
    createTableWithoutKey({QStringLiteral("2, 'y'")});

    TSQLTable source(&rig.Quelmar);
    source.TableName = QStringLiteral("SIN_CLAVE");
    TDataSetProvider provider(&source);
    std::vector<QString> messages;
    provider.OnUpdateError = [&](TDataSetProvider&, TClientDataSet&, const EUpdateError& e, UpdateKind,
                                 TResolverResponse&) { messages.push_back(e.message()); };
    TClientDataSet cds;
    cds.Provider = &provider;
    cds.Open();
    ASSERT_TRUE(cds.Locate(QStringLiteral("A"), Value(2)));
    cds.Edit();
    cds.FieldByName(QStringLiteral("B")).setAsString(QStringLiteral("z"));
    cds.Post();
    ASSERT_TRUE(cds.Locate(QStringLiteral("A"), Value(1)));
    cds.Edit();
    cds.FieldByName(QStringLiteral("B")).setAsString(QStringLiteral("w"));
    cds.Post();
    EXPECT_EQ(cds.ApplyUpdates(-1), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Update affected more than 1 record."));
    auto cur = admin.OpenCursor(QStringLiteral("select count(*) from SIN_CLAVE where B = 'x'"));
    ASSERT_TRUE(cur->next());
    EXPECT_EQ(cur->value(0), Value(2)); // nothing of the apply stayed, not even the row before
    cur->close();
    EXPECT_EQ(cds.ChangeCount(), 2);
}

// The rows sent after the rollback are each committed on their own: they leave the
// change log, so the next apply does not write them a second time.
TEST_P(Applying, RowsAfterARollbackOfSeveralRowsAreWrittenOnce) {
    createTableWithoutKey();
    auto count = [&](const QString& where) {
        auto cur = admin.OpenCursor(QStringLiteral("select count(*) from SIN_CLAVE where ") + where);
        EXPECT_TRUE(cur->next());
        const Value v = cur->value(0);
        cur->close();
        return v;
    };

    TSQLTable source(&rig.Quelmar);
    source.TableName = QStringLiteral("SIN_CLAVE");
    TDataSetProvider provider(&source);
    int failures = 0;
    provider.OnUpdateError = [&](TDataSetProvider&, TClientDataSet&, const EUpdateError&, UpdateKind,
                                 TResolverResponse&) { ++failures; };
    TClientDataSet cds;
    cds.Provider = &provider;
    cds.Open();
    cds.Edit(); // the first of the two equal rows
    cds.FieldByName(QStringLiteral("B")).setAsString(QStringLiteral("w"));
    cds.Post();
    cds.Append();
    cds.FieldByName(QStringLiteral("A")).setAsInteger(3);
    cds.FieldByName(QStringLiteral("B")).setAsString(QStringLiteral("n"));
    cds.Post();

    EXPECT_EQ(cds.ApplyUpdates(-1), 1);
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(count(QStringLiteral("A = 3")), Value(1));
    EXPECT_EQ(count(QStringLiteral("B = 'x'")), Value(2));
    EXPECT_EQ(cds.ChangeCount(), 1); // only the refused update waits

    EXPECT_EQ(cds.ApplyUpdates(-1), 1);
    EXPECT_EQ(failures, 2);
    EXPECT_EQ(count(QStringLiteral("A = 3")), Value(1));
}

TEST_P(Applying, AQuerySourceHasNoTableToWriteTo) {
    addRow(1, 19);
    TClientDataSet& q = rig.query(QStringLiteral("select * from AJUSTE_CIERRE"));
    std::vector<QString> messages;
    rig.PRepArticulos.OnUpdateError = [&](TDataSetProvider&, TClientDataSet&, const EUpdateError& e, UpdateKind,
                                          TResolverResponse&) { messages.push_back(e.message()); };
    q.Open();
    q.Delete();
    EXPECT_EQ(q.ApplyUpdates(-1), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("Unable to resolve records.  Table name not found."));
    EXPECT_EQ(rig.countAdjustments(), 1);
}

INSTANTIATE_TEST_SUITE_P(, Applying, ::testing::Values(ConnectionKind::Embedded, ConnectionKind::Server),
                         [](const auto& info) {
                             return info.param == ConnectionKind::Embedded ? "Embedded" : "Server";
                         });

} // namespace
