// The grid's keys: moving through cells and records, the blank record that Down
// and Tab append and Up drops, Insert, Ctrl+Delete, Ctrl+' and the keys the grid
// leaves to its window.

#include "tests/grid/GridFixture.h"

#include <QKeyEvent>

namespace {

using Keys = GridTest;

TEST_F(Keys, OnAnEmptyDatasetDownAppendsAndUpTakesItBack) {
    open(0);
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(questions.isEmpty());
    press(Qt::Key_Down);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecordCount(), 1);
    press(Qt::Key_Down);
    EXPECT_EQ(ds.RecordCount(), 1); // one blank record is enough
    press(Qt::Key_Up);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_TRUE(ds.IsEmpty());
    // Typing starts a record under the editor, which stays open.
    press(Qt::Key_End);
    type(QStringLiteral("FV"));
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(grid->editor()->text(), QStringLiteral("FV"));
    press(Qt::Key_Up); // posts it: the only record
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(cell(PrefNo, 0), QStringLiteral("FV"));
}

TEST_F(Keys, DownOnTheLastRecordAppendsOneBlankRecordAtATime) {
    open(3);
    press(Qt::Key_Right);
    press(Qt::Key_Right); // Porc
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Down);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_EQ(grid->currentColumn(), Porc); // same column
    press(Qt::Key_Down);
    EXPECT_EQ(ds.RecordCount(), 4);
    type(QStringLiteral("16"));
    press(Qt::Key_Down);
    EXPECT_EQ(ds.RecordCount(), 5);
    EXPECT_EQ(ds.RecNo(), 4);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(cell(Porc, 3), QStringLiteral("16"));
    // Up from the untouched blank record drops it and lands on the one before.
    press(Qt::Key_Up);
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
}

TEST_F(Keys, DownFromABlankRecordInsertedBetweenOthersDropsIt) {
    open(3);
    press(Qt::Key_Down);
    press(Qt::Key_Insert);
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_EQ(ds.RecNo(), 1);
    press(Qt::Key_Down);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_EQ(currentId(), 2); // the record that was current when the insert began
}

TEST_F(Keys, PageDownAndCtrlEndNeverAppend) {
    open(3);
    press(Qt::Key_PageDown);
    EXPECT_EQ(ds.RecNo(), 2);
    press(Qt::Key_PageDown);
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
}

TEST_F(Keys, TabRunsThroughTheColumnsAndAppendsAfterTheLastCell) {
    open(2);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(ds.RecNo(), 0); // nothing above the first record
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    press(Qt::Key_Home);
    press(Qt::Key_Down);
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Tab);
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    EXPECT_EQ(ds.RecNo(), 1);
    press(Qt::Key_Tab);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(grid->currentColumn(), FecIni);
    // Back over the edge: the untouched blank record goes, the last column of the one before.
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    // Tab and Shift+Tab never take the focus out of the grid.
    EXPECT_EQ(focused(), grid);
    type(QStringLiteral("X"));
    press(Qt::Key_Tab);
    EXPECT_TRUE(focused() == grid || grid->isAncestorOf(focused()));
}

TEST_F(Keys, ColumnKeysStopAtTheEdgesAndKeepTheRecord) {
    open(3);
    press(Qt::Key_Down);
    press(Qt::Key_Left);
    EXPECT_EQ(grid->currentColumn(), FecIni);
    press(Qt::Key_Right);
    press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid->currentColumn(), Porc);
    press(Qt::Key_End);
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    press(Qt::Key_Right);
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    press(Qt::Key_Home);
    EXPECT_EQ(grid->currentColumn(), FecIni);
    press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(grid->currentColumn(), FecIni);
    EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(Keys, PageAndCtrlKeysMoveWithinTheRowsInView) {
    open(40);
    const int rows = grid->fullyVisibleRows();
    press(Qt::Key_PageDown);
    EXPECT_EQ(ds.RecNo(), rows);
    press(Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(ds.RecNo(), 0);
    press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), rows - 1);
    EXPECT_EQ(grid->topRecord(), 0);
    press(Qt::Key_Down);
    press(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), 1); // the topmost row in view, not the first record
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), rows);
    press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), 1);
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), 39);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), 0);
}

TEST_F(Keys, InsertPutsABlankRecordBeforeTheCurrentOne) {
    open(3);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    press(Qt::Key_Insert);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(grid->currentColumn(), FecFin);
    EXPECT_EQ(cell(FecFin, 1), QString());
    EXPECT_EQ(ds.valueAt(2, field("AJCI_ID")), Value(qint64(2)));
}

TEST_F(Keys, CtrlDeleteAsksAndDeletesOnlyOnOk) {
    open(3);
    press(Qt::Key_Down);
    press(Qt::Key_Delete); // without Ctrl: nothing
    EXPECT_TRUE(questions.isEmpty());
    answer = false;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(questions, QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(ds.RecordCount(), 3);
    answer = true;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(focused(), grid);
    // From the editor as well; what was typed goes with the record.
    type(QStringLiteral("2026"));
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_EQ(currentId(), 1);
}

TEST_F(Keys, CtrlApostropheCopiesTheRecordShownAbove) {
    rig.addAdjustment(1, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.addAdjustment(2, QDate(2026, 5, 23), Currency::fromInteger(5), Currency::fromUnits(9000));
    open(0);
    press(Qt::Key_Right);
    press(Qt::Key_Right); // Porc
    press(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_FALSE(grid->editorShown()); // nothing above the topmost row
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    press(Qt::Key_Down);
    press(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(state(), TDataSetState::dsEdit);
    EXPECT_EQ(field("AJCI_PORC").AsCurrency(), Currency::fromInteger(19));
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(grid->editor()->text(), QStringLiteral("19"));
    EXPECT_EQ(grid->editor()->selectedText(), QStringLiteral("19"));
}

TEST_F(Keys, CtrlApostropheDoesNothingOnTheTopmostRowInView) {
    open(40);
    const int rows = grid->fullyVisibleRows();
    for (int i = 0; i < rows + 2; ++i)
        press(Qt::Key_Down);
    press(Qt::Key_Up, Qt::ControlModifier);
    ASSERT_GT(ds.RecNo(), 0); // records lie above, off screen
    ASSERT_EQ(ds.RecNo(), grid->topRecord());
    press(Qt::Key_Apostrophe, Qt::ControlModifier);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_FALSE(grid->editorShown());
}

TEST_F(Keys, TheGridKeepsItsKeysAndLeavesTheOthersToTheWindow) {
    open(2);
    const auto accepted = [this](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(focused(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(accepted(Qt::Key_Return, Qt::NoModifier));
    EXPECT_TRUE(accepted(Qt::Key_Tab, Qt::NoModifier));
    EXPECT_TRUE(accepted(Qt::Key_C, Qt::ControlModifier));
    EXPECT_FALSE(accepted(Qt::Key_F5, Qt::NoModifier));
    EXPECT_FALSE(accepted(Qt::Key_Tab, Qt::AltModifier));
    press(Qt::Key_F2);
    ASSERT_EQ(focused(), grid->editor());
    EXPECT_FALSE(accepted(Qt::Key_F7, Qt::NoModifier));
    EXPECT_TRUE(accepted(Qt::Key_Return, Qt::NoModifier));
}

} // namespace
