// The drop-down calendar of the date cells: where it opens and on which day, the
// keys and the wheel that move its day, and what choosing or leaving it does.

#include "data/FormatSettings.h"
#include "grid/CalendarPopup.h"
#include "tests/grid/GridFixture.h"

#include <QCalendarWidget>
#include <QToolButton>
#include <QWheelEvent>

namespace {

class Calendar : public GridTest {
protected:
    CalendarPopup* popup() const { return grid->editor()->calendar(); }
    bool open() const { return grid->editor()->calendarOpen(); }
    QDate shownDay() const { return popup()->selectedDate(); }
    void wheel(int notches) {
        QWidget* target = popup()->calendar();
        QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(Calendar, AltDownOnAnEmptyCellOpensOnTodayAndEscLeavesEverythingAsItWas) {
    GridTest::open(0);
    press(Qt::Key_Down); // a blank record
    ASSERT_EQ(state(), TDataSetState::dsInsert);
    press(Qt::Key_F2);
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(open());
    EXPECT_EQ(shownDay(), QDate::currentDate());
    EXPECT_TRUE(grid->editor()->dropDownButton()->isDown());
    press(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_FALSE(grid->editor()->dropDownButton()->isDown());
    // The Esc was the calendar's: the cell and the new record are untouched.
    EXPECT_TRUE(grid->editorShown());
    EXPECT_EQ(grid->editor()->text(), QString());
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(Calendar, KeysInTheEditorAndTheWheelMoveTheChosenDay) {
    GridTest::open(1); // 2026/05/23
    press(Qt::Key_F2);
    press(Qt::Key_Up, Qt::AltModifier);
    ASSERT_TRUE(open());
    EXPECT_EQ(shownDay(), QDate(2026, 5, 23));
    press(Qt::Key_Right);
    EXPECT_EQ(shownDay(), QDate(2026, 5, 24));
    press(Qt::Key_Down);
    EXPECT_EQ(shownDay(), QDate(2026, 5, 31));
    press(Qt::Key_PageDown);
    EXPECT_EQ(shownDay(), QDate(2026, 6, 30));
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(shownDay(), QDate(2026, 6, 1));
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(shownDay(), QDate(2026, 6, 30));
    press(Qt::Key_Left);
    press(Qt::Key_Up);
    press(Qt::Key_PageUp);
    EXPECT_EQ(shownDay(), QDate(2026, 5, 22));
    wheel(-2); // two notches down: two days later
    EXPECT_EQ(shownDay(), QDate(2026, 5, 24));
    wheel(1);
    EXPECT_EQ(shownDay(), QDate(2026, 5, 23));
    // The keys went to the calendar, not to the grid.
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
}

TEST_F(Calendar, EnterTakesTheDayIntoTheCellAndGoesNoFurther) {
    GridTest::open(2);
    press(Qt::Key_Right); // F.Hasta
    press(Qt::Key_F2);
    press(Qt::Key_Return, Qt::ControlModifier); // opens while closed
    ASSERT_TRUE(open());
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(state(), TDataSetState::dsEdit);
    EXPECT_EQ(field("AJCI_FECFIN").AsDateTime().date(), QDate(2026, 5, 25));
    EXPECT_EQ(grid->editor()->text(), DateText(QDate(2026, 5, 25)));
    // Enter closed the calendar and did not move on.
    EXPECT_EQ(grid->currentColumn(), FecFin);
    EXPECT_TRUE(grid->editorShown());
    press(Qt::Key_Down);
    EXPECT_EQ(cell(FecFin, 0), DateText(QDate(2026, 5, 25)));
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
}

TEST_F(Calendar, AltDownAgainChoosesAndTheButtonOpensIt) {
    GridTest::open(1);
    press(Qt::Key_F2);
    QToolButton* button = grid->editor()->dropDownButton();
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->geometry().right(), grid->editor()->width() - 1);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(open());
    EXPECT_TRUE(button->isDown());
    QTest::keyClick(popup(), Qt::Key_Left); // as the keyboard delivers keys to an open popup
    QTest::keyClick(popup(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(open());
    EXPECT_EQ(field("AJCI_FECINI").AsDateTime().date(), QDate(2026, 5, 22));
}

TEST_F(Calendar, ATextThatIsNoDateStartsOnTheFieldsDay) {
    GridTest::open(1);
    type(QStringLiteral("20"));
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(open());
    EXPECT_EQ(shownDay(), QDate(2026, 5, 23));
    press(Qt::Key_Escape);
    grid->editor()->setText(QStringLiteral("2027/02/03"));
    press(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(shownDay(), QDate(2027, 2, 3));
    press(Qt::Key_Escape);
}

TEST_F(Calendar, ItHidesWithTheEditor) {
    GridTest::open(1);
    press(Qt::Key_F2);
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(open());
    grid->hideEditor();
    EXPECT_FALSE(open());
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
}

TEST(CalendarPlacement, BelowWhenItFitsElseAboveCutToTheRoom) {
    const QRect work(0, 0, 800, 600);
    const QSize popup(200, 150);
    // Room below: under the editor, left-aligned.
    EXPECT_EQ(calendarPlacement(QRect(100, 100, 75, 16), popup, work), QRect(100, 116, 200, 150));
    // No room below but room above.
    EXPECT_EQ(calendarPlacement(QRect(100, 500, 75, 16), popup, work), QRect(100, 350, 200, 150));
    // Room on neither side: the larger one, the height cut to it.
    const QSize tall(200, 400);
    EXPECT_EQ(calendarPlacement(QRect(100, 350, 75, 16), tall, work), QRect(100, 0, 200, 350));
    EXPECT_EQ(calendarPlacement(QRect(100, 250, 75, 16), tall, work), QRect(100, 266, 200, 334));
}

} // namespace
