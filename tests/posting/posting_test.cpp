// The posting with no window: the statement it sends and what its rows say.

#include "posting/DaysAdjustments.h"
#include "posting/PostingStatement.h"
#include "tests/fixtures/CompanyRows.h"
#include "tests/fixtures/DataSetRig.h"
#include "tests/fixtures/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(PostingStatement, NamesTheProcedureOfTheBookAndWritesDatesYearFirst) {
    EXPECT_EQ(postingStatement(QDate(2026, 5, 23), QDate(2026, 5, 23), false),
              QStringLiteral("select * from contado_kalden('2026-05-23', '2026-05-23')"));
    EXPECT_EQ(postingStatement(QDate(2026, 6, 5), QDate(2026, 5, 6), true),
              QStringLiteral("select * from contado_kalden_niif('2026-06-05', '2026-05-06')"));
}

TEST(PostCashSales, TellsWhetherTheChosenBookPostedAndAgainFindsNothingLeft) {
    DataSetRig rig;
    const QDate day(2026, 5, 23);
    addCashInvoice(rig.db, 1, day);
    addCashInvoice(rig.db, 2, day.addDays(1)); // outside the range
    rig.Quelmar.setConnected(true);

    EXPECT_TRUE(postCashSales(rig, day, day, /*niif=*/true));
    EXPECT_EQ(rig.CRepArticulos.CommandText, postingStatement(day, day, true));
    EXPECT_TRUE(rig.CRepArticulos.Active());
    const QString postedIn = QStringLiteral("select count(*) from FACTURA where FACT_COMP_%1 is not null");
    EXPECT_EQ(queryValue(rig.db, postedIn.arg(QStringLiteral("NIIF"))), Value(1));
    EXPECT_EQ(queryValue(rig.db, postedIn.arg(QStringLiteral("LOCAL"))), Value(0));

    EXPECT_FALSE(postCashSales(rig, day, day, /*niif=*/true));
    EXPECT_TRUE(postCashSales(rig, day, day.addDays(1), /*niif=*/false));
    EXPECT_EQ(queryValue(rig.db, postedIn.arg(QStringLiteral("LOCAL"))), Value(2));
}
