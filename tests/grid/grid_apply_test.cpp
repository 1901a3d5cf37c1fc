// What is typed into the grid reaches the database when the dataset's changes
// are applied.

#include "data/FormatSettings.h"
#include "tests/grid/GridFixture.h"

namespace {

class Apply : public GridTest {
protected:
    // The rows of AJUSTE_CIERRE as read back from the database, one text per row.
    QStringList stored() {
        TClientDataSet& q = rig.query(QStringLiteral(
            "select AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO from AJUSTE_CIERRE "
            "order by AJCI_PORC, AJCI_PREFNO"));
        q.Open();
        QStringList rows;
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList values;
            for (int i = 0; i < q.FieldCount(); ++i)
                values << q.Fields(i)->DisplayText();
            rows << values.join(QLatin1Char('|'));
        }
        q.Close();
        return rows;
    }
};

TEST_F(Apply, TypedRowsReachTheDatabase) {
    // Far from the keys the database's generator gives out.
    rig.addAdjustment(1000, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    open(0);
    press(Qt::Key_Down); // appended after the only row
    type(QStringLiteral("2026/05/23"));
    press(Qt::Key_Tab);
    type(QStringLiteral("2026/05/31"));
    press(Qt::Key_Tab);
    type(QStringLiteral("5"));
    press(Qt::Key_Tab);
    type(QStringLiteral("0,75"));
    press(Qt::Key_Tab);
    type(QStringLiteral("FVX"));
    press(Qt::Key_Tab); // posts it and appends a blank record, which the apply drops
    ASSERT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(rig.countAdjustments(), 2);
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("2026/05/23|2026/05/31|5|0.75|FVX"),
                                     QStringLiteral("2026/05/23|2026/05/23|19|0.8|")}));
}

TEST_F(Apply, TextStillInTheEditorIsWrittenBeforeTheApply) {
    rig.addAdjustment(1, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    open(0);
    press(Qt::Key_End);
    type(QStringLiteral("AB"));
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(stored(), QStringList{QStringLiteral("2026/05/23|2026/05/23|19|0.8|AB")});
}

TEST_F(Apply, ChangedAndDeletedRowsReachTheDatabase) {
    rig.addAdjustment(1, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.addAdjustment(2, QDate(2026, 5, 23), Currency::fromInteger(5), Currency::fromUnits(8000));
    rig.addAdjustment(3, QDate(2026, 5, 23), Currency::fromInteger(0), Currency::fromUnits(8000));
    open(0);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right); // Factor of the 19% row
    type(QStringLiteral("1"));
    press(Qt::Key_Down);
    press(Qt::Key_Delete, Qt::ControlModifier); // the 5% row
    press(Qt::Key_Down);
    press(Qt::Key_Down); // after the last row: a blank one
    press(Qt::Key_Escape); // and gone again
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.ApplyUpdates(0), 0);
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("2026/05/23|2026/05/23|0|0.8|"),
                                     QStringLiteral("2026/05/23|2026/05/23|19|1|")}));
}

} // namespace
