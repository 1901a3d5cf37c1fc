// Opening cached datasets, packets and fetching on demand, filter and locate.

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "tests/fixtures/DataSetRig.h"
#include "tests/fixtures/ErrorText.h"

#include <gtest/gtest.h>

namespace {

struct YearFirstDates : ::testing::Test {
    void SetUp() override {
        FormatSettings s;
        s.shortDateFormat = QStringLiteral("yyyy/MM/dd");
        FormatSettings::setCurrent(s);
    }
};

using Packets = YearFirstDates;

TEST_F(Packets, FewerRowsThanAPacketCloseTheCursorAtOnce) {
    DataSetRig rig;
    rig.fillAdjustments(999);
    TClientDataSet& ds = rig.adjustments();
    ds.Open();
    EXPECT_FALSE(rig.TAjuste.Active());
    EXPECT_EQ(ds.RecordCount(), 999);
}

TEST_F(Packets, AFullPacketKeepsTheCursorOpenUntilTheNextFetchOrTheClosing) {
    DataSetRig rig;
    rig.fillAdjustments(1000);
    TClientDataSet& ds = rig.adjustments();
    ds.Open();
    EXPECT_TRUE(rig.TAjuste.Active());
    EXPECT_EQ(ds.RecordCount(), 1000);
    EXPECT_EQ(ds.MoveBy(999), 999);
    EXPECT_TRUE(rig.TAjuste.Active());
    ds.Next(); // past the last fetched row: asks for more, gets none
    EXPECT_TRUE(ds.Eof());
    EXPECT_FALSE(rig.TAjuste.Active());

    ds.Close();
    ds.Open();
    EXPECT_TRUE(rig.TAjuste.Active());
    ds.Close(); // the closing resets the provider, which lets go of the cursor
    EXPECT_FALSE(rig.TAjuste.Active());
}

TEST_F(Packets, MovingPastTheFirstPacketFetchesTheNext) {
    DataSetRig rig;
    rig.fillAdjustments(1001);
    TClientDataSet& ds = rig.adjustments();
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 1000);
    EXPECT_TRUE(ds.IsEmpty() == false);
    EXPECT_EQ(ds.MoveBy(1000), 1000);
    EXPECT_EQ(ds.RecordCount(), 1001);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 1001);
    EXPECT_FALSE(rig.TAjuste.Active());
    ds.Next();
    EXPECT_TRUE(ds.Eof());
}

TEST_F(Packets, LastFetchesEverythingInOneRequest) {
    DataSetRig rig;
    rig.fillAdjustments(2500);
    TClientDataSet& ds = rig.adjustments();
    ds.Open();
    ds.Last();
    EXPECT_TRUE(ds.Eof());
    EXPECT_EQ(ds.RecordCount(), 2500);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 2500);
    EXPECT_FALSE(rig.TAjuste.Active());
    ds.First();
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 1);
}

TEST_F(Packets, OpeningConnectsWithTheListHeldAtThatMoment) {
    DataSetRig rig;
    EXPECT_FALSE(rig.Quelmar.Connected());
    TClientDataSet& ds = rig.query(QStringLiteral("SELECT DISTINCT TAIV_PORC FROM TARIFA_IVA"));
    ds.Open();
    EXPECT_TRUE(rig.Quelmar.Connected());
    ASSERT_EQ(ds.FieldCount(), 1);
    EXPECT_EQ(ds.Fields(0)->FieldName, QStringLiteral("TAIV_PORC"));
    EXPECT_EQ(ds.Fields(0)->Name, QStringLiteral("CRepArticulosTAIV_PORC"));
    EXPECT_EQ(ds.RecordCount(), 3);

    TClientDataSet other;
    other.Provider = &rig.PRepArticulos;
    rig.Quelmar.setConnected(false);
    rig.Quelmar.Params().setValue(QStringLiteral("Database"), rig.db.root() + QStringLiteral("/nada.fdb"));
    other.CommandText = QStringLiteral("select 1 from rdb$database");
    EXPECT_TRUE(errorOf([&] { other.Open(); }).startsWith(QStringLiteral("SQL Server Error: ")));
    EXPECT_FALSE(other.Active());
}

TEST_F(Packets, ProvidersGuardTheirSourcesText) {
    DataSetRig rig;
    rig.fillAdjustments(1500);
    // No command text for a provider without the option.
    rig.CAjuste.CommandText = QStringLiteral("select * from AJUSTE_CIERRE");
    EXPECT_EQ(errorOf([&] { rig.CAjuste.Open(); }), QStringLiteral("CommandText changes are not allowed"));
    EXPECT_FALSE(rig.CAjuste.Active());

    // Two cached datasets share the free query: while the first keeps its cursor
    // open, the second cannot change the text.
    TClientDataSet& first = rig.query(QStringLiteral("select * from AJUSTE_CIERRE"));
    first.Open();
    ASSERT_TRUE(rig.SQLQuery1.Active());
    TClientDataSet second;
    second.Provider = &rig.PRepArticulos;
    second.CommandText = QStringLiteral("SELECT DISTINCT TAIV_PORC FROM TARIFA_IVA");
    EXPECT_EQ(errorOf([&] { second.Open(); }), QStringLiteral("Cannot perform this operation on an open dataset"));
    first.Close();
    second.Open();
    EXPECT_EQ(second.RecordCount(), 3);

    TClientDataSet orphan;
    EXPECT_EQ(errorOf([&] { orphan.Open(); }), QStringLiteral("Missing data provider or data packet"));
}

TEST_F(Packets, DeclaredFieldsMustMatchTheirColumns) {
    DataSetRig rig;
    auto openWith = [&](auto declare) {
        TClientDataSet ds;
        ds.Name = QStringLiteral("CPrueba");
        ds.Provider = &rig.PAjuste;
        declare(ds);
        return errorOf([&] { ds.Open(); });
    };
    EXPECT_EQ(openWith([](TClientDataSet& ds) {
                  ds.declareField(QStringLiteral("NO_HAY"), FieldType::Integer, 0, false, QStringLiteral("No hay"));
              }),
              QStringLiteral("Field 'No hay' not found"));
    EXPECT_EQ(openWith([](TClientDataSet& ds) { ds.declareField(QStringLiteral("AJCI_FECINI"), FieldType::Integer); }),
              QStringLiteral("Type mismatch for field 'AJCI_FECINI', expecting: Integer actual: Date"));
    EXPECT_EQ(openWith([](TClientDataSet& ds) {
                  ds.declareField(QStringLiteral("AJCI_PORC"), FieldType::Decimal, 2, false, QStringLiteral("Porc"));
              }),
              QStringLiteral("Size mismatch for field 'Porc', expecting: 2 actual: 4"));
    // A text column shorter than the declared field shrinks the field.
    TClientDataSet ds;
    ds.Provider = &rig.PAjuste;
    TField& prefix = ds.declareField(QStringLiteral("AJCI_PREFNO"), FieldType::String, 10);
    ds.Open();
    EXPECT_EQ(prefix.Size(), 4);
    EXPECT_FALSE(rig.TAjuste.Active()); // no failed opening leaves the source open
}

using Filtering = YearFirstDates;

TEST_F(Filtering, ADateFilterShowsOnlyThatDay) {
    DataSetRig rig;
    rig.addAdjustment(1, QDate(2026, 5, 22), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.addAdjustment(2, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.addAdjustment(3, QDate(2026, 5, 23), Currency::fromInteger(5), Currency::fromUnits(8000));
    rig.addAdjustment(4, QDate(2026, 5, 24), Currency::fromInteger(0), Currency::fromUnits(8000));
    TClientDataSet& ds = rig.adjustments();
    ds.setFilter(QStringLiteral("AJCI_FECINI = ") + SqlQuoted(DateText(QDate(2026, 5, 23))));
    ds.setFiltered(true);
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 2);
    // Hidden rows are never found.
    EXPECT_FALSE(ds.Locate(QStringLiteral("AJCI_ID"), Value(4)));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 2);

    // The filter stays in force across closing and opening.
    ds.Close();
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 2);

    ds.setFilter(QStringLiteral("AJCI_FECINI = '2026/01/01'"));
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Eof());
    ds.setFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 4);
}

TEST_F(Filtering, DatesFollowTheWorkstationsOrder) {
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yy");
    FormatSettings::setCurrent(dayFirst);
    EXPECT_EQ(DateText(QDate(2026, 5, 6)), QStringLiteral("06/05/2026")); // four-digit year always

    DataSetRig rig;
    rig.addAdjustment(1, QDate(2026, 5, 6), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.addAdjustment(2, QDate(2026, 6, 5), Currency::fromInteger(19), Currency::fromUnits(8000));
    TClientDataSet& ds = rig.adjustments();
    ds.setFiltered(true);
    ds.setFilter(QStringLiteral("AJCI_FECINI = '06/05/2026'"));
    ds.Open();
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 1);

    EXPECT_EQ(errorOf([&] { ds.setFilter(QStringLiteral("AJCI_FECINI = '2026/05/06'")); }),
              QStringLiteral("'2026/05/06' is not a valid date"));
    EXPECT_EQ(ds.Filter(), QStringLiteral("AJCI_FECINI = '06/05/2026'")); // the failed text is not kept
    EXPECT_EQ(errorOf([&] { ds.setFilter(QStringLiteral("NO_HAY = 1")); }), QStringLiteral("Field 'NO_HAY' not found"));
}

TEST_F(Filtering, LocateComparesInTheFieldsType) {
    DataSetRig rig;
    rig.addAdjustment(1, QDate(2026, 5, 23), Currency::fromInteger(5), Currency::fromUnits(8000), QStringLiteral("PV"));
    rig.addAdjustment(2, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000), QStringLiteral("pv"));
    TClientDataSet& ds = rig.adjustments();
    ds.Open();
    EXPECT_TRUE(ds.Locate(QStringLiteral("AJCI_PORC"), Value(19)));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 2);
    EXPECT_TRUE(ds.Locate(QStringLiteral("AJCI_PREFNO"), Value(QStringLiteral("PV"))));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 1);
    EXPECT_FALSE(ds.Locate(QStringLiteral("AJCI_PREFNO"), Value(QStringLiteral("P")))); // whole values only
    EXPECT_FALSE(ds.Locate(QStringLiteral("AJCI_PORC"), Value(7)));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("AJCI_ID")).AsInteger(), 1);
}

} // namespace
