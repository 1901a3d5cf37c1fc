// Finding a cell by its text: the walk over rows and columns, and the find dialog
// that the second Ctrl+F opens, shared by every grid of the program.

#include "data/FormatSettings.h"
#include "tests/grid/SearchFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

using FindCellText = SearchTest;

constexpr FindOptions kWholeCells = FindOption::MatchDisplayText;
constexpr FindOptions kAllCells = FindOption::MatchDisplayText | FindOption::AllColumns;

TEST_F(FindCellText, AllColumnsGoOnFromTheNextCellAndTurnAtTheRowEnds) {
    openRows({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    goToColumn(Factor); // every factor reads 0.8
    const QString factor = QStringLiteral("0.8");
    ASSERT_TRUE(grid->FindCellText({}, factor, kAllCells, FindDirection::Down, FindMatching::WholeField));
    EXPECT_EQ(currentId(), 2); // the cell it starts on is not examined
    EXPECT_EQ(grid->currentColumn(), Factor);
    goToColumn(FecIni);
    ASSERT_TRUE(grid->FindCellText({}, factor, kAllCells, FindDirection::Up, FindMatching::WholeField));
    EXPECT_EQ(currentId(), 1); // up: the prior row from its last column
    EXPECT_EQ(grid->currentColumn(), Factor);

    // From the first row, but from the current column's place in it: the first
    // row's cells to its left are not examined.
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_FALSE(grid->FindCellText({}, QStringLiteral("2026/05/01"), kAllCells, FindDirection::FromFirst,
                                    FindMatching::WholeField));
    EXPECT_EQ(currentId(), 3);
    EXPECT_EQ(grid->currentColumn(), Factor);
    EXPECT_TRUE(grid->FindCellText({}, QStringLiteral("2026/05/02"), kAllCells, FindDirection::FromFirst,
                                   FindMatching::WholeField));
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(grid->currentColumn(), FecIni);
}

TEST_F(FindCellText, NothingFoundBringsBackTheRowAndTheRowsInView) {
    open(60);
    for (int i = 0; i < 5; ++i)
        press(Qt::Key_PageDown);
    press(Qt::Key_Up);
    const int row = ds.RecNo(), top = grid->topRecord();
    ASSERT_GT(top, 0);
    ASSERT_GT(row, top);
    EXPECT_FALSE(grid->FindCellText(QStringLiteral("ajci_porc"), QStringLiteral("7"), kWholeCells,
                                    FindDirection::FromFirst, FindMatching::AnyPart));
    EXPECT_EQ(ds.RecNo(), row);
    EXPECT_EQ(grid->topRecord(), top);
    EXPECT_FALSE(ds.ControlsDisabled());
    // A column the grid does not show is searched nowhere.
    EXPECT_FALSE(grid->FindCellText(QStringLiteral("AJCI_ID"), QStringLiteral("1"), kWholeCells,
                                    FindDirection::FromFirst, FindMatching::AnyPart));
    // Found, by the column's field name in any case: the grid follows the row.
    EXPECT_TRUE(grid->FindCellText(QStringLiteral("ajci_porc"), QStringLiteral("19"), kWholeCells,
                                   FindDirection::FromFirst, FindMatching::FromBeginning));
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(grid->currentScreenRow(), 0);
    EXPECT_EQ(grid->currentColumn(), Porc);
}

TEST_F(FindCellText, WithoutTheFormatTheFieldsPlainValueIsCompared) {
    const FormatSettings before = FormatSettings::current();
    FormatSettings comma;
    comma.decimalSeparator = QLatin1Char(',');
    FormatSettings::setCurrent(comma);
    open(2);
    const QString factor = QStringLiteral("AJCI_FACTOR");
    EXPECT_FALSE(grid->FindCellText(factor, QStringLiteral("0.8"), kWholeCells, FindDirection::FromFirst,
                                    FindMatching::FromBeginning));
    EXPECT_TRUE(grid->FindCellText(factor, QStringLiteral("0,8"), kWholeCells, FindDirection::FromFirst,
                                   FindMatching::FromBeginning));
    EXPECT_TRUE(grid->FindCellText(factor, QStringLiteral("0.8"), {}, FindDirection::FromFirst,
                                   FindMatching::FromBeginning));
    FormatSettings::setCurrent(before);
}

// ---- The dialog

class FindDialog : public SearchTest {
protected:
    void openDialog() {
        press(Qt::Key_F, Qt::ControlModifier);
        press(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(dialog().isVisible());
    }
    void findNext(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        combo("cbText")->setEditText(text);
        QTest::mouseClick(control<QPushButton>("bFind"), Qt::LeftButton, modifiers);
    }
    void choose(const char* name, int index) { combo(name)->setCurrentIndex(index); }
    enum { Up, Down, All };
    enum { AnyPart, WholeField, FromBeginning };
};

TEST_F(FindDialog, OpensEmptyOverTheGridWithItsColumnsAndTheCurrentOneChosen) {
    openRows({QStringLiteral("A")});
    goToColumn(PrefNo);
    openDialog();
    EXPECT_FALSE(grid->incSearchActive());
    EXPECT_EQ(dialog().grid(), grid);
    EXPECT_EQ(dialog().size(), QSize(505, 124));
    EXPECT_TRUE(combo("cbText")->currentText().isEmpty());
    EXPECT_EQ(dialog().focusWidget(), combo("cbText"));
    const QComboBox* findIn = combo("cbFindIn");
    QStringList items;
    for (int i = 0; i < findIn->count(); ++i)
        items << findIn->itemText(i);
    EXPECT_EQ(items.join(QLatin1Char('|')), QStringLiteral("F.Desde|F.Hasta|Porc|Factor|Pref.N/A|<All>"));
    EXPECT_EQ(findIn->currentText(), QStringLiteral("Pref.N/A"));
    EXPECT_EQ(combo("cbMatchinType")->currentIndex(), int(AnyPart));
    EXPECT_EQ(combo("cbFindDirection")->currentIndex(), int(All));
    EXPECT_FALSE(control<QCheckBox>("cbCharCase")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("cbUseFormat")->isChecked());
}

TEST_F(FindDialog, AllStartsAtTheFirstRowThenGoesOnDownUntilTheTextChanges) {
    openRows({QStringLiteral("ab1"), QStringLiteral("x"), QStringLiteral("Ab2")});
    goToColumn(PrefNo);
    press(Qt::Key_End, Qt::ControlModifier);
    openDialog();
    findNext(QStringLiteral("b"));
    EXPECT_EQ(currentId(), 1);
    EXPECT_FALSE(dialog().firstTry());
    findNext(QStringLiteral("b"));
    EXPECT_EQ(currentId(), 3);
    findNext(QStringLiteral("b")); // nothing further down: nothing changes
    EXPECT_EQ(currentId(), 3);
    EXPECT_TRUE(dialog().isVisible());
    findNext(QStringLiteral("ab")); // a new text starts at the top again
    EXPECT_EQ(currentId(), 1);
    EXPECT_EQ(dialog().history(), (QStringList{QStringLiteral("b"), QStringLiteral("ab")}));
}

TEST_F(FindDialog, CtrlHeldTurnsTheDirectionRound) {
    openRows({QStringLiteral("k"), QStringLiteral("k"), QStringLiteral("k"), QStringLiteral("k")});
    goToColumn(PrefNo);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    openDialog();
    choose("cbFindDirection", Down);
    findNext(QStringLiteral("k"), Qt::ControlModifier);
    EXPECT_EQ(currentId(), 2);
    choose("cbFindDirection", All);
    findNext(QStringLiteral("k"), Qt::ControlModifier);
    EXPECT_EQ(currentId(), 1);
    choose("cbFindDirection", Up);
    findNext(QStringLiteral("k"), Qt::ControlModifier);
    EXPECT_EQ(currentId(), 2);
    // Ctrl+Enter in the dialog is a Find next with Ctrl held.
    choose("cbFindDirection", Down);
    QTest::keyClick(combo("cbText"), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(currentId(), 1);
}

TEST_F(FindDialog, AnEmptyTextMatchesEveryStartAndWholeOnlyAnEmptyCell) {
    openRows({QStringLiteral("x"), QString(), QStringLiteral("y")});
    goToColumn(PrefNo);
    press(Qt::Key_End, Qt::ControlModifier);
    openDialog();
    choose("cbMatchinType", FromBeginning);
    findNext(QString());
    EXPECT_EQ(currentId(), 1);
    press(Qt::Key_End, Qt::ControlModifier);
    choose("cbMatchinType", WholeField);
    // Another direction, and back, makes it a first try again: from the first row.
    choose("cbFindDirection", Up);
    choose("cbFindDirection", All);
    findNext(QString());
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(dialog().history(), QStringList{QString()});
}

TEST_F(FindDialog, MatchCaseOverAllColumnsMakesTheFoundColumnCurrent) {
    openRows({QStringLiteral("ab"), QStringLiteral("Ab")});
    openDialog();
    choose("cbFindIn", combo("cbFindIn")->count() - 1); // <All>
    control<QCheckBox>("cbCharCase")->setChecked(true);
    findNext(QStringLiteral("Ab"));
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(grid->currentColumn(), PrefNo);
}

TEST_F(FindDialog, TheHistoryAndSettingsAreTheSameForBothGrids) {
    openRows({QStringLiteral("ab")});
    // The "Tarifas previstas" grid, over the same rows here.
    auto* other = new DataGrid(&window);
    other->setColumns({{QStringLiteral("AJCI_FECINI"), QStringLiteral("Fec.Desde"), 75},
                       {QStringLiteral("AJCI_FECFIN"), QStringLiteral("Fec.Hasta"), 75},
                       {QStringLiteral("AJCI_PORC"), QStringLiteral("Porc."), 38},
                       {QStringLiteral("AJCI_FACTOR"), QStringLiteral("Factor"), 50},
                       {QStringLiteral("AJCI_PREFNO"), QStringLiteral("Pref.N/A"), 46}});
    other->setDataSet(&ds);
    other->show();
    openDialog();
    choose("cbMatchinType", WholeField);
    choose("cbFindDirection", Down);
    control<QCheckBox>("cbUseFormat")->setChecked(false);
    findNext(QStringLiteral("ab"));
    dialog().close();

    other->setCurrentColumn(Porc);
    QTest::keyClick(other, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(other, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(dialog().grid(), other);
    EXPECT_EQ(combo("cbFindIn")->itemText(0), QStringLiteral("Fec.Desde"));
    EXPECT_EQ(combo("cbFindIn")->currentText(), QStringLiteral("Porc."));
    EXPECT_TRUE(combo("cbText")->currentText().isEmpty());
    EXPECT_EQ(dialog().history(), QStringList{QStringLiteral("ab")});
    EXPECT_EQ(combo("cbMatchinType")->currentIndex(), int(WholeField));
    EXPECT_EQ(combo("cbFindDirection")->currentIndex(), int(Down));
    EXPECT_FALSE(control<QCheckBox>("cbUseFormat")->isChecked());
    other->setDataSet(nullptr);
}

TEST_F(FindDialog, EnterSearchesAndEscClosesExceptRightAfterTheTextWasEdited) {
    openRows({QStringLiteral("x"), QStringLiteral("ab")});
    goToColumn(PrefNo);
    openDialog();
    QComboBox* text = combo("cbText");
    QTest::keyClicks(text, QStringLiteral("ab"));
    QTest::keyClick(text, Qt::Key_Escape); // the box keeps this one
    EXPECT_TRUE(dialog().isVisible());
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(currentId(), 2);
    EXPECT_EQ(dialog().history(), QStringList{QStringLiteral("ab")});
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(FindDialog, ShownModallyItBlocksUntilClosedAndTheGridHasTheFocusAgain) {
    openRows({QStringLiteral("x"), QStringLiteral("ab")});
    goToColumn(PrefNo);
    GridFindDialog::setShowModal({});
    QTimer::singleShot(0, [this] {
        ASSERT_TRUE(dialog().isModal());
        QTest::keyClicks(combo("cbText"), QStringLiteral("ab"));
        QTest::keyClick(combo("cbText"), Qt::Key_Return);
        QTest::keyClick(combo("cbText"), Qt::Key_Escape);
    });
    grid->ShowFindDialog();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(currentId(), 2);
    EXPECT_TRUE(QTest::qWaitFor([this] { return grid->hasFocus(); }));
}

} // namespace
