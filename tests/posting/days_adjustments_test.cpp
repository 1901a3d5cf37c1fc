// The rules of the day's closing adjustments on a real company database, with no
// window: what a person starts from, what an unattended run derives, what is saved.

#include "posting/DaysAdjustments.h"
#include "posting/StandingAdjustmentQuery.h"
#include "tests/fixtures/CompanyRows.h"
#include "tests/fixtures/DataSetRig.h"
#include "tests/fixtures/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// AJUSTE_CIERRE as "id:first..last rate/factor/prefix" lines, by start and rate.
QStringList storedAdjustments(const CompanyDatabase& db) {
    TSQLConnection c;
    db.connect(c);
    auto cur = c.OpenCursor(QStringLiteral("select AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, "
                                           "AJCI_PREFNO from AJUSTE_CIERRE order by AJCI_FECINI, AJCI_PORC"));
    QStringList rows;
    while (cur->next())
        rows << cur->value(1).debugText() + QStringLiteral("..") + cur->value(2).debugText() + QLatin1Char(' ') +
                    cur->value(3).debugText() + QLatin1Char('/') + cur->value(4).debugText() + QLatin1Char('/') +
                    cur->value(5).debugText();
    return rows;
}

class DaysAdjustmentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Another day's row and two rows of the day that the day's rules replace; keys
        // above the ones the generator hands out.
        rig.addAdjustment(101, day.addDays(-1), Currency::fromInteger(19), Currency::fromUnits(5000));
        rig.addAdjustment(102, day, Currency::fromInteger(19), Currency::fromUnits(1000), Value(QStringLiteral("PV09")));
        rig.addAdjustment(103, day, Currency::fromInteger(5), Currency::fromUnits(2000));
        rig.Quelmar.setConnected(true);
    }
    const QDate day{2026, 5, 23};
    const QDate last{2026, 5, 25};
    DataSetRig rig;
};

const QString kYesterday = QStringLiteral("2026-05-22..2026-05-22 19.0000/0.5000/null");

} // namespace

TEST_F(DaysAdjustmentsTest, EmptyingMarksOnlyTheDaysRowsDeletedUntilTheyAreSaved) {
    openDaysAdjustmentsEmptied(rig, day);
    EXPECT_TRUE(rig.CAjuste.IsEmpty());
    EXPECT_EQ(rig.CAjuste.ChangeCount(), 2);
    EXPECT_EQ(rig.countAdjustments(), 3); // nothing written yet
    ASSERT_TRUE(saveDaysAdjustments(rig));
    EXPECT_EQ(storedAdjustments(rig.db), QStringList{kYesterday});
}

TEST_F(DaysAdjustmentsTest, APersonStartsFromOneRowPerRateAtTheDefaultFactor) {
    startDaysAdjustments(rig, day, last);
    // The company's rates are 0, 5 and 19: the day's old rows give way to new ones
    // over the whole range.
    EXPECT_EQ(rig.CAjuste.RecordCount(), 3);
    ASSERT_TRUE(saveDaysAdjustments(rig));
    EXPECT_EQ(storedAdjustments(rig.db),
              (QStringList{kYesterday, QStringLiteral("2026-05-23..2026-05-25 0.0000/0.8000/null"),
                           QStringLiteral("2026-05-23..2026-05-25 5.0000/0.8000/null"),
                           QStringLiteral("2026-05-23..2026-05-25 19.0000/0.8000/null")}));
}

TEST_F(DaysAdjustmentsTest, AnUnattendedRunCopiesTheLatestStandingRowOfEachCoveredRate) {
    // 19: two standing rows cover the day, the later start wins; 5: its prefix is
    // copied; 0: the only row starts the day after, so no row.
    addStanding(rig.db, 1, day.addDays(-30), day.addDays(30), 19, 9000);
    addStanding(rig.db, 2, day.addDays(-1), day, 19, 7500);
    addStanding(rig.db, 3, day.addDays(-5), day, 5, 6000, Value(QStringLiteral("PV01")));
    addStanding(rig.db, 4, day.addDays(1), day.addDays(9), 0, 5000);

    deriveDaysAdjustments(rig, day, last);
    ASSERT_TRUE(saveDaysAdjustments(rig));
    EXPECT_EQ(storedAdjustments(rig.db),
              (QStringList{kYesterday, QStringLiteral("2026-05-23..2026-05-25 5.0000/0.6000/'PV01'"),
                           QStringLiteral("2026-05-23..2026-05-25 19.0000/0.7500/null")}));
}

TEST_F(DaysAdjustmentsTest, NoStandingRowsLeaveTheDayEmpty) {
    deriveDaysAdjustments(rig, day, day);
    EXPECT_TRUE(rig.CAjuste.IsEmpty());
    ASSERT_TRUE(saveDaysAdjustments(rig));
    EXPECT_EQ(storedAdjustments(rig.db), QStringList{kYesterday});
}

TEST_F(DaysAdjustmentsTest, ARefusedRowIsReportedAndNothingOfTheBatchIsLost) {
    startDaysAdjustments(rig, day, last);
    // A row whose key is taken by another day's row: the database refuses it.
    rig.CAjuste.Append();
    rig.CAjusteAJCI_ID->setAsInteger(101);
    rig.CAjusteAJCI_FECINI->setAsDateTime(QDateTime(day, QTime()));
    rig.CAjusteAJCI_FECFIN->setAsDateTime(QDateTime(day, QTime()));
    rig.CAjusteAJCI_PORC->setAsCurrency(Currency::fromInteger(12));
    rig.CAjusteAJCI_FACTOR->setAsCurrency(Currency::fromUnits(1));
    rig.CAjuste.Post();
    const QStringList before = storedAdjustments(rig.db);
    const int changes = rig.CAjuste.ChangeCount();
    EXPECT_FALSE(saveDaysAdjustments(rig));
    // The batch rolled back as one: the database is as it was, the changes wait.
    EXPECT_EQ(storedAdjustments(rig.db), before);
    EXPECT_EQ(rig.CAjuste.ChangeCount(), changes);
}

TEST_F(DaysAdjustmentsTest, ANewStandingRowStartsWithKeyZero) {
    rig.CAjusteAu.Open();
    rig.CAjusteAu.Append();
    startStandingRow(rig);
    EXPECT_EQ(rig.CAjusteAuAJCI_ID->AsInteger(), 0);
}

TEST(StandingAdjustmentQuery, WritesTheDayYearFirstAndTheRateWithAPoint) {
    EXPECT_EQ(standingAdjustmentQuery(QDate(2026, 5, 23), Currency::fromUnits(195000)),
              QStringLiteral("SELECT AJCI_ID FROM AJUSTE_CIERRE_AUTO WHERE AJCI_FECINI <= '2026-05-23' AND "
                             "AJCI_FECFIN >= '2026-05-23' AND AJCI_PORC = 19.5000 ORDER BY AJCI_FECINI DESC"));
}
