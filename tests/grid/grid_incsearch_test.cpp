// The incremental search: Ctrl+F and typing, the steps to the next and previous
// match, what ends the search, the yellow text, and a step that fails or is cut
// short by Esc.

#include "data/FormatSettings.h"
#include "tests/grid/SearchFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace {

using IncSearch = SearchTest;

const QRgb kYellow = qRgb(255, 255, 0);

// The leftmost and rightmost x of the yellow pixels inside a rectangle (-1 when none).
std::pair<int, int> yellowSpan(const QImage& image, const QRect& rect) {
    int left = -1, right = -1;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixel(x, y) == kYellow) {
                left = left < 0 ? x : std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

TEST_F(IncSearch, TypedLettersFindTheFirstRowStartingWithThemInTheCellsCapitals) {
    openRows({QStringLiteral("XA"), QStringLiteral("Abc"), QStringLiteral("abd")});
    goToColumn(PrefNo);
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(grid->incSearchActive());
    EXPECT_EQ(ds.RecNo(), 0); // turning it on searches nothing
    type(QStringLiteral("ab"));
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("Ab"));
    type(QStringLiteral("d")); // again from the first row
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("abd"));
    // A character that leads nowhere is dropped, silently.
    type(QStringLiteral("q"));
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("abd"));
    EXPECT_EQ(beeps, 0);
    // Backspace shortens the text down to nothing and keeps the row and the search.
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Backspace);
    EXPECT_EQ(currentId(), 3);
    EXPECT_TRUE(grid->incSearchActive());
    EXPECT_TRUE(grid->incSearchText().isEmpty());
    type(QStringLiteral("a"));
    EXPECT_EQ(currentId(), 2);
}

TEST_F(IncSearch, CtrlEnterAndCtrlShiftEnterStepBetweenMatchesWithoutWrapping) {
    openRows({QStringLiteral("K1"), QStringLiteral("X"), QStringLiteral("k2"), QStringLiteral("K3")});
    goToColumn(PrefNo);
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("k"));
    EXPECT_EQ(currentId(), 1);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("k"));
    press(Qt::Key_Return, Qt::ControlModifier);
    press(Qt::Key_Return, Qt::ControlModifier); // the last match: nothing after it
    EXPECT_EQ(currentId(), 4);
    press(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(currentId(), 3);
    EXPECT_TRUE(grid->incSearchActive());
}

TEST_F(IncSearch, DatesAndDecimalsAreComparedByTheTextTheCellShows) {
    const FormatSettings before = FormatSettings::current();
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    dayFirst.decimalSeparator = QLatin1Char(',');
    FormatSettings::setCurrent(dayFirst);
    openRows({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("03/05"));
    EXPECT_EQ(currentId(), 3);
    press(Qt::Key_Right); // ends it
    press(Qt::Key_Right);
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("5"));
    EXPECT_EQ(currentId(), 2);
    type(QStringLiteral(",")); // the cell shows 5, in its shortest form
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("5"));
    press(Qt::Key_Right);
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("0,8"));
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("0,8"));
    type(QStringLiteral("0")); // no "0,8000" to be found
    type(QStringLiteral(".")); // nor the stored value's point
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("0,8"));
    FormatSettings::setCurrent(before);
}

TEST_F(IncSearch, MovingElsewhereEndsItAndEnterOrF2StillDoTheirWork) {
    openRows({QStringLiteral("AA"), QStringLiteral("AB"), QStringLiteral("AC")});
    goToColumn(PrefNo);
    const auto start = [this] {
        press(Qt::Key_F, Qt::ControlModifier);
        type(QStringLiteral("ab"));
        ASSERT_TRUE(grid->incSearchActive());
    };
    start();
    press(Qt::Key_Down);
    EXPECT_FALSE(grid->incSearchActive());
    EXPECT_TRUE(grid->incSearchText().isEmpty());
    start();
    click(cellCentre(Factor, 0));
    EXPECT_FALSE(grid->incSearchActive());
    start();
    press(Qt::Key_Return); // ends the search, then moves on as Tab
    EXPECT_FALSE(grid->incSearchActive());
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    start();
    press(Qt::Key_F2);
    EXPECT_FALSE(grid->incSearchActive());
    EXPECT_TRUE(grid->editorShown());
}

TEST_F(IncSearch, PaintsTheFoundCharactersBlackOnYellowOverTheCellsOwn) {
    openRows({QStringLiteral("XA"), QStringLiteral("Abc"), QStringLiteral("Q")});
    goToColumn(PrefNo);
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("ab"));
    const QFontMetrics metrics(grid->font());
    const QRect prefix = DataGrid::cellTextRect(grid->cellRect(PrefNo, 1));
    const auto [left, right] = yellowSpan(grid->viewport()->grab().toImage(), prefix);
    EXPECT_EQ(left, prefix.left());
    EXPECT_NEAR(right, prefix.left() + metrics.horizontalAdvance(QStringLiteral("Ab")) - 1, 1);
    // The indicator arrow turns yellow too.
    const QRect indicator(0, grid->cellRect(PrefNo, 1).top(), DataGrid::indicatorWidth, grid->dataRowHeight());
    EXPECT_GE(yellowSpan(grid->viewport()->grab().toImage(), indicator).first, 0);

    // Right-aligned: the yellow lies over the leading characters, where the cell has them.
    grid->setColumnWidth(Porc, 80); // the whole text in view
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("1"));
    EXPECT_EQ(currentId(), 3);
    const QRect porc = DataGrid::cellTextRect(grid->cellRect(Porc, 2));
    const auto [porcLeft, porcRight] = yellowSpan(grid->viewport()->grab().toImage(), porc);
    const int textLeft = porc.right() + 1 - metrics.horizontalAdvance(QStringLiteral("19"));
    EXPECT_NEAR(porcLeft, textLeft, 1);
    EXPECT_NEAR(porcRight, textLeft + metrics.horizontalAdvance(QStringLiteral("1")) - 1, 1);
    // Once the search ends the yellow goes.
    press(Qt::Key_Escape);
    EXPECT_EQ(yellowSpan(grid->viewport()->grab().toImage(), grid->viewport()->rect()).first, -1);
}

// A right-aligned text too wide for its cell starts at the cell's left edge: the
// yellow lies there, over the digits found.
TEST_F(IncSearch, TheMarkOfACutNumberLiesOverItsLeadingDigits) {
    rig.addAdjustment(1, QDate(2026, 5, 1), Currency::fromInteger(19), Currency::fromUnits(1234567));
    ds.Open();
    goToColumn(Factor);
    const QRect factor = DataGrid::cellTextRect(grid->cellRect(Factor, 0));
    const QFontMetrics metrics(grid->font());
    ASSERT_GT(metrics.horizontalAdvance(cell(Factor, 0)), factor.width()); // "123.4567" does not fit
    press(Qt::Key_F, Qt::ControlModifier);
    type(QStringLiteral("12"));
    ASSERT_EQ(grid->incSearchText(), QStringLiteral("12"));
    const auto [left, right] = yellowSpan(grid->viewport()->grab().toImage(), factor);
    EXPECT_EQ(left, factor.left());
    EXPECT_NEAR(right, factor.left() + metrics.horizontalAdvance(QStringLiteral("12")) - 1, 1);
}

TEST_F(IncSearch, AnEditedRowTakesNoTypingAndIsSettledByTheNextStep) {
    openRows({QStringLiteral("XA"), QStringLiteral("Abc")});
    goToColumn(PrefNo);
    type(QStringLiteral("Q")); // the editor, the row in edit state
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(grid->incSearchActive());
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(field("AJCI_PREFNO").AsString(), QStringLiteral("Q")); // the text went into the field
    type(QStringLiteral("a"));
    EXPECT_TRUE(grid->incSearchText().isEmpty());
    EXPECT_EQ(state(), TDataSetState::dsEdit);
    // Pasting still steps; its first move posts the row.
    QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(cell(PrefNo, 0), QStringLiteral("Q"));
    QGuiApplication::clipboard()->setText(QStringLiteral("q"));
    press(Qt::Key_Insert, Qt::ShiftModifier); // pastes too, and adds to the text
    EXPECT_EQ(grid->incSearchText(), QStringLiteral("Ab"));
}

TEST_F(IncSearch, APostFailingInTheWalkEndsItThereAndKeepsTheSearchAsItWas) {
    field("AJCI_ID").Required = true; // as in the window: new rows get no key here
    openRows({QStringLiteral("XA"), QStringLiteral("Abc")});
    goToColumn(PrefNo);
    press(Qt::Key_Down);
    press(Qt::Key_Insert);
    type(QStringLiteral("QQ"));
    press(Qt::Key_F, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
    press(Qt::Key_V, Qt::ControlModifier);
    const QStringList raised = errors();
    ASSERT_EQ(raised.size(), 1);
    EXPECT_TRUE(raised.front().contains(QStringLiteral("must have a value"))) << raised.front().toStdString();
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(field("AJCI_PREFNO").AsString(), QStringLiteral("QQ"));
    EXPECT_TRUE(grid->incSearchActive());
    EXPECT_TRUE(grid->incSearchText().isEmpty());
    EXPECT_FALSE(ds.ControlsDisabled());
}

TEST_F(IncSearch, EscWaitingDuringALongWalkStopsItAndIsThenHandled) {
    rig.fillAdjustments(3000); // no prefixes
    rig.addAdjustment(3001, QDate(2026, 5, 23), Currency{}, Currency{}, Value(QStringLiteral("ZZ")));
    ds.Open();
    goToColumn(PrefNo);
    press(Qt::Key_Down);
    press(Qt::Key_F, Qt::ControlModifier);
    // The Esc is typed before the walk starts and waits in the queue.
    QCoreApplication::postEvent(grid, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QTest::keyClick(grid, Qt::Key_Z);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(grid->incSearchText().isEmpty());
    EXPECT_TRUE(grid->incSearchActive()); // the Esc has not been handled yet
    QCoreApplication::processEvents();
    EXPECT_FALSE(grid->incSearchActive());
    EXPECT_EQ(ds.RecNo(), 1);
    // Without the Esc the same step walks to the last row.
    press(Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Z);
    EXPECT_EQ(currentId(), 3001);
}

} // namespace
