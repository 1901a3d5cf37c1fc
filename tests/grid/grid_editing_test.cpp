// Editing in place: how the editor opens, what typing may put into it, when its
// text reaches the field, and what Esc undoes.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "tests/grid/GridFixture.h"

namespace {

class Editing : public GridTest {
protected:
    void SetUp() override {
        open(3); // PORC 5, 19, 0; FACTOR 0.8
    }
    // Moves the current cell to a column of the first record.
    void goTo(Column column) {
        while (grid->currentColumn() < column)
            press(Qt::Key_Right);
    }
    CellEditor* editor() const { return grid->editor(); }
    Currency porcOf(int record) const { return ds.valueAt(record, field("AJCI_PORC")).get<Currency>(); }
};

TEST_F(Editing, ATypedCharacterOpensTheEditorAndReplacesTheText) {
    goTo(Porc);
    EXPECT_FALSE(grid->editorShown());
    type(QStringLiteral("7"));
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(focused(), editor());
    EXPECT_EQ(editor()->text(), QStringLiteral("7"));
    EXPECT_EQ(state(), TDataSetState::dsEdit);
    EXPECT_TRUE(grid->cellModified());
    type(QStringLiteral("2"));
    press(Qt::Key_Down);
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(state(), TDataSetState::dsBrowse); // posted by the move
    EXPECT_EQ(porcOf(0), Currency::fromInteger(72));
}

TEST_F(Editing, BackspaceEmptiesTheCellAndF2KeepsItsText) {
    goTo(Factor);
    press(Qt::Key_F2);
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(editor()->text(), QStringLiteral("0.8"));
    EXPECT_FALSE(editor()->hasSelectedText());
    EXPECT_EQ(editor()->cursorPosition(), 3);
    EXPECT_EQ(state(), TDataSetState::dsBrowse); // opening changes nothing
    press(Qt::Key_Escape);

    press(Qt::Key_Backspace);
    ASSERT_TRUE(grid->editorShown());
    EXPECT_EQ(editor()->text(), QString());
    press(Qt::Key_Tab);
    EXPECT_TRUE(field("AJCI_FACTOR").IsNull());
    EXPECT_EQ(grid->currentColumn(), PrefNo);
}

TEST_F(Editing, TheDecimalColumnRefusesALetterAndTakesEitherPoint) {
    goTo(Porc);
    type(QStringLiteral("a"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(editor()->text(), QStringLiteral("5"));
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_FALSE(grid->cellModified());

    type(QStringLiteral("3,5"));
    EXPECT_EQ(editor()->text(), QStringLiteral("3.5"));
    EXPECT_EQ(beeps, 1);
    press(Qt::Key_Tab);
    EXPECT_EQ(field("AJCI_PORC").AsCurrency(), Currency::fromUnits(35000));

    // Where the workstation writes a comma, a typed point becomes one.
    FormatSettings comma;
    comma.decimalSeparator = QLatin1Char(',');
    FormatSettings::setCurrent(comma);
    type(QStringLiteral("1.25"));
    EXPECT_EQ(editor()->text(), QStringLiteral("1,25"));
    press(Qt::Key_Tab);
    EXPECT_EQ(field("AJCI_FACTOR").AsCurrency(), Currency::fromUnits(12500));
    FormatSettings::setCurrent(FormatSettings{});
}

TEST_F(Editing, ThePrefixTakesFourCharactersAndNoLineBreak) {
    goTo(PrefNo);
    type(QStringLiteral("ABCDE"));
    EXPECT_EQ(editor()->text(), QStringLiteral("ABCD"));
    EXPECT_EQ(editor()->maxLength(), 4);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(grid->editorShown());
    EXPECT_EQ(editor()->text(), QStringLiteral("ABCD"));
    EXPECT_EQ(grid->currentColumn(), PrefNo);
    press(Qt::Key_Down);
    EXPECT_EQ(ds.valueAt(0, field("AJCI_PREFNO")), Value(QStringLiteral("ABCD")));
}

TEST_F(Editing, EnterWritesTheTextAndMovesOnLikeTab) {
    goTo(Porc);
    type(QStringLiteral("7"));
    press(Qt::Key_Return);
    EXPECT_EQ(grid->currentColumn(), Factor);
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(field("AJCI_PORC").AsCurrency(), Currency::fromInteger(7));
    EXPECT_EQ(state(), TDataSetState::dsEdit); // written, not posted
    press(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(grid->currentColumn(), Porc);
    EXPECT_EQ(focused(), grid);
}

TEST_F(Editing, ATextTheFieldCannotTakeStopsTheMoveAndStaysInTheEditor) {
    type(QStringLiteral("2026/13"));
    ASSERT_EQ(editor()->text(), QStringLiteral("2026/13"));
    press(Qt::Key_Tab);
    const QStringList shown = errors();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("2026/13"))) << shown[0].toStdString();
    EXPECT_EQ(grid->currentColumn(), FecIni);
    EXPECT_TRUE(grid->editorShown());
    EXPECT_EQ(editor()->text(), QStringLiteral("2026/13"));
    press(Qt::Key_Down);
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(ds.RecNo(), 0);
    // Esc gives the field's text back, and the way is free again.
    press(Qt::Key_Escape);
    EXPECT_EQ(cell(FecIni, 0), DateText(QDate(2026, 5, 23)));
    press(Qt::Key_Down);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(Editing, EscOnceRestoresTheCellAndTwiceTheRecord) {
    goTo(Porc);
    type(QStringLiteral("7"));
    press(Qt::Key_Tab);
    type(QStringLiteral("2"));
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(cell(Factor, 0), QStringLiteral("0.8"));
    EXPECT_EQ(cell(Porc, 0), QStringLiteral("7")); // the record keeps its other change
    EXPECT_EQ(state(), TDataSetState::dsEdit);
    press(Qt::Key_Escape);
    EXPECT_EQ(cell(Porc, 0), QStringLiteral("5"));
    EXPECT_EQ(state(), TDataSetState::dsBrowse);

    // A new record goes away on the second Esc.
    press(Qt::Key_Insert);
    type(QStringLiteral("9"));
    press(Qt::Key_Escape);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecordCount(), 4);
    press(Qt::Key_Escape);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(currentId(), 1);
}

TEST_F(Editing, TheEditorStaysShutWhileTheSearchMarkIsShown) {
    grid->setSearchMarkShown(true);
    type(QStringLiteral("2")); // goes to the search
    click(cellCentre(FecIni, 0));
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    // F2 ends the search, then opens the editor as always.
    press(Qt::Key_F2);
    EXPECT_FALSE(grid->searchMarkShown());
    EXPECT_TRUE(grid->editorShown());
}

TEST_F(Editing, APostThatFailsLeavesTheGridOnTheRecord) {
    // Like CAjuste in the window: no key for new rows, and the window's handler
    // answers the error with a silent abort.
    field("AJCI_ID").Required = true;
    QStringList handled;
    ds.OnPostError = [&](TClientDataSet&, const EDatabaseError& e, TDataAction& action) {
        handled << e.message();
        action = TDataAction::daAbort;
    };
    goTo(Porc);
    press(Qt::Key_Insert);
    type(QStringLiteral("7"));
    press(Qt::Key_Down);
    EXPECT_EQ(handled, QStringList{QStringLiteral("Field 'AJCI_ID' must have a value")});
    EXPECT_EQ(errors(), QStringList{kSilentAbort});
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_EQ(field("AJCI_PORC").AsCurrency(), Currency::fromInteger(7));
    EXPECT_EQ(grid->currentColumn(), Porc);
}

} // namespace
