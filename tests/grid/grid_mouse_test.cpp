// The mouse on the grid: clicks on cells, indicator and titles, sizing and moving
// columns by their titles, and the wheel; and the focus leaving the grid.

#include "data/FormatSettings.h"
#include "tests/grid/GridFixture.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace {

class Mouse : public GridTest {
protected:
    QWidget* view() const { return grid->viewport(); }
    int rightEdge(int column) const { return grid->titleRect(column).right() + 1; }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(view(), button, {}, from);
        QTest::mouseMove(view(), (from + to) / 2);
        QTest::mouseMove(view(), to);
        QTest::mouseRelease(view(), button, {}, to);
    }
    QStringList order() const {
        QStringList names;
        for (const GridColumn& c : grid->columns())
            names << c.fieldName;
        return names;
    }
    void wheel(int notches) {
        QWheelEvent event(QPointF(50, 40), view()->mapToGlobal(QPointF(50, 40)), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view(), &event);
    }
};

TEST_F(Mouse, AClickMovesTheCurrentCellAndASecondOneOpensTheEditor) {
    open(3);
    elsewhere->setFocus();
    click(cellCentre(FecFin, 2));
    EXPECT_EQ(focused(), grid);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(grid->currentColumn(), FecFin);
    EXPECT_FALSE(grid->editorShown());
    click(cellCentre(FecFin, 2));
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(grid->editor()->selectedText(), cell(FecFin, 2));
    // The indicator picks the record and keeps the column.
    click(QPoint(5, cellCentre(FecIni, 0).y()));
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_EQ(grid->currentColumn(), FecFin);
    EXPECT_FALSE(grid->editorShown());
    // Below the last record nothing moves.
    click(cellCentre(Porc, 4));
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_EQ(grid->currentColumn(), FecFin);
}

TEST_F(Mouse, AClickWritesTheTypedTextFirstAndStaysWhenTheFieldRefusesIt) {
    open(3);
    type(QStringLiteral("2026/6/1"));
    click(cellCentre(Porc, 1));
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(cell(FecIni, 0), DateText(QDate(2026, 6, 1)));
    type(QStringLiteral("7-7"));
    click(cellCentre(FecIni, 2));
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(grid->currentColumn(), Porc);
    EXPECT_EQ(grid->editor()->text(), QStringLiteral("7-7"));
}

TEST_F(Mouse, AClickOnATitleWritesTheTextAndChangesNothingElse) {
    open(2);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    type(QStringLiteral("7"));
    click(grid->titleRect(FecIni).center());
    EXPECT_EQ(field("AJCI_PORC").AsCurrency(), Currency::fromInteger(7));
    EXPECT_EQ(order().front(), QStringLiteral("AJCI_FECINI"));
    EXPECT_EQ(grid->currentColumn(), Porc);
    EXPECT_EQ(ds.RecNo(), 0);
}

TEST_F(Mouse, DraggingATitleEdgeSizesTheColumn) {
    open(1);
    const int left = grid->titleRect(FecIni).left();
    const int edge = rightEdge(FecIni);
    QTest::mouseMove(view(), QPoint(edge - 3, 5));
    EXPECT_EQ(view()->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(view(), QPoint(edge - 4, 5));
    EXPECT_NE(view()->cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(view(), QPoint(edge + 4, 5));
    EXPECT_EQ(view()->cursor().shape(), Qt::SplitHCursor);

    drag(QPoint(edge + 4, 5), QPoint(left + 95, 8));
    EXPECT_EQ(grid->columns()[FecIni].width, 95);
    EXPECT_EQ(grid->cellRect(FecFin, 0).left(), left + 95 + 1);
    // Onto its own left edge, or one pixel right of it: the width stays.
    drag(QPoint(rightEdge(FecIni), 5), QPoint(left, 5));
    EXPECT_EQ(grid->columns()[FecIni].width, 95);
    drag(QPoint(rightEdge(FecIni), 5), QPoint(left + 1, 5));
    EXPECT_EQ(grid->columns()[FecIni].width, 95);
    drag(QPoint(rightEdge(FecIni), 5), QPoint(left + 2, 5));
    EXPECT_EQ(grid->columns()[FecIni].width, 2);
    // Esc while sizing leaves the width.
    QTest::mousePress(view(), Qt::LeftButton, {}, QPoint(rightEdge(FecFin), 5));
    QTest::mouseMove(view(), QPoint(rightEdge(FecFin) + 30, 5));
    press(Qt::Key_Escape);
    QTest::mouseRelease(view(), Qt::LeftButton, {}, QPoint(rightEdge(FecFin) + 30, 5));
    EXPECT_EQ(grid->columns()[FecFin].width, 75);
    // Data rows cannot be sized.
    EXPECT_NE(grid->cellRect(FecIni, 0).bottom() + 1, 0);
    QTest::mouseMove(view(), QPoint(edge, grid->cellRect(FecIni, 0).bottom() + 1));
    EXPECT_NE(view()->cursor().shape(), Qt::SplitHCursor);
}

TEST_F(Mouse, DraggingATitleMovesTheColumnAndTheCurrentColumnGoesWithIt) {
    open(1);
    drag(grid->titleRect(Porc).center(), grid->titleRect(FecIni).center());
    EXPECT_EQ(order(), (QStringList{QStringLiteral("AJCI_PORC"), QStringLiteral("AJCI_FECINI"),
                                    QStringLiteral("AJCI_FECFIN"), QStringLiteral("AJCI_FACTOR"),
                                    QStringLiteral("AJCI_PREFNO")}));
    EXPECT_EQ(grid->currentColumn(), 1);
    EXPECT_EQ(grid->currentField()->FieldName, QStringLiteral("AJCI_FECINI"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("5"));
    // The right button moves as well; a drag back onto itself changes nothing.
    drag(grid->titleRect(3).center(), grid->titleRect(4).center(), Qt::RightButton);
    EXPECT_EQ(order().back(), QStringLiteral("AJCI_FACTOR"));
    drag(grid->titleRect(2).center(), grid->titleRect(2).center() + QPoint(5, 0));
    EXPECT_EQ(order()[2], QStringLiteral("AJCI_FECFIN"));
}

TEST_F(Mouse, MovingAColumnPastTheEdgeScrollsTheColumns) {
    open(1);
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0);
    QTest::mousePress(view(), Qt::LeftButton, {}, grid->titleRect(FecFin).center());
    QTest::mouseMove(view(), QPoint(view()->width() + 20, 5));
    QTest::qWait(200);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    QTest::mouseRelease(view(), Qt::LeftButton, {}, QPoint(view()->width() + 20, 5));
}

TEST_F(Mouse, EachWheelNotchIsOneRecordAndTheScrollBarMovesTheDataset) {
    open(5);
    QScrollBar* bar = grid->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(ds.RecNo(), 4);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_EQ(bar->value(), 3);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    wheel(-1);
    EXPECT_EQ(ds.RecNo(), 1);
    wheel(-2);
    EXPECT_EQ(ds.RecNo(), 3);
    wheel(1);
    EXPECT_EQ(ds.RecNo(), 2);
    wheel(-5);
    EXPECT_EQ(ds.RecordCount(), 5); // no blank record at the end
}

using Leaving = GridTest;

TEST_F(Leaving, AnUntouchedNewRecordGoesAway) {
    open(2);
    press(Qt::Key_Insert);
    press(Qt::Key_F2);
    elsewhere->setFocus();
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_FALSE(grid->editorShown());
}

TEST_F(Leaving, TypedTextGoesIntoTheFieldWithoutPosting) {
    open(2);
    press(Qt::Key_End);
    type(QStringLiteral("AB"));
    elsewhere->setFocus();
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(field("AJCI_PREFNO").AsString(), QStringLiteral("AB"));
    EXPECT_EQ(state(), TDataSetState::dsEdit);
    EXPECT_EQ(ds.ChangeCount(), 0);
    // Another window coming to the front is no leaving: the editor stays as it is.
    grid->setFocus();
    type(QStringLiteral("C"));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_TRUE(grid->editorShown());
    EXPECT_TRUE(grid->cellModified());
    EXPECT_EQ(field("AJCI_PREFNO").AsString(), QStringLiteral("AB"));
}

TEST_F(Leaving, ATextTheFieldRefusesKeepsTheFocusInTheGrid) {
    open(2);
    type(QStringLiteral("13/"));
    elsewhere->setFocus();
    EXPECT_EQ(errors().size(), 1);
    EXPECT_TRUE(grid->editorShown());
    EXPECT_EQ(focused(), grid->editor());
    EXPECT_EQ(grid->editor()->text(), QStringLiteral("13/"));
}

} // namespace
