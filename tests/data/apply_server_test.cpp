// Change application against a server that goes away in the middle of an apply.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "tests/fixtures/DataSetRig.h"
#include "tests/fixtures/PrivateServer.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplyAgainstAServer, AServerKilledMidApplyKeepsNothingAndTheCacheKeepsEverything) {
    FormatSettings::setCurrent(FormatSettings{});
    PrivateServer server;
    ASSERT_TRUE(server.running());
    DataSetRig rig;
    const QString path = server.address() + QLatin1Char(':') + rig.db.file();
    rig.Quelmar.Params().setValue(QStringLiteral("Database"), path);
    rig.addAdjustment(101, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.PAjuste.OnUpdateError = [](TDataSetProvider&, TClientDataSet&, const EUpdateError&, UpdateKind,
                                   TResolverResponse& response) { response = TResolverResponse::rrAbort; };

    TClientDataSet& ds = rig.adjustments();
    ds.Open();
    for (int i = 0; i < 20; ++i) {
        ds.Insert();
        ds.FieldByName(QStringLiteral("AJCI_ID")).setAsInteger(0);
        ds.FieldByName(QStringLiteral("AJCI_PORC")).setAsCurrency(Currency::fromInteger(5));
        ds.Post();
    }
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_PORC"), Value(5)));
    ds.Edit();
    ds.FieldByName(QStringLiteral("AJCI_PORC")).setAsCurrency(Currency::fromInteger(0));
    ds.Post();
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_ID"), Value(101)));
    ds.Delete(); // changed last, so sent last
    const int pending = ds.ChangeCount();

    // The server dies once the rows before the last statement are in.
    int prepared = 0;
    rig.Quelmar.OnPrepare = [&](const QString& sql) {
        if (sql.startsWith(QStringLiteral("delete")) && ++prepared == 1)
            server.kill();
    };
    QString message;
    try {
        const int failed = ds.ApplyUpdates(0);
        ADD_FAILURE() << "the apply did not report the lost connection; failed rows: " << failed
                      << ", last error: " << rig.Quelmar.LastError().toStdString();
    } catch (const EDatabaseError& e) {
        message = e.message();
    }
    EXPECT_TRUE(message.startsWith(QStringLiteral("SQL Server Error: "))) << message.toStdString();
    EXPECT_EQ(ds.ChangeCount(), pending);
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);

    server.start();
    EXPECT_EQ(rig.countAdjustments(), 1); // nothing of the batch reached the database

    // After reconnecting, the same dataset applies everything it kept.
    rig.Quelmar.OnPrepare = nullptr;
    rig.Quelmar.setConnected(false);
    rig.Quelmar.setConnected(true);
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_EQ(rig.countAdjustments(), 20);
}

} // namespace
