// The record navigator: which buttons a dataset state allows, what each does, and
// the question before a deletion.

#include "tests/grid/GridFixture.h"

#include <QToolButton>

namespace {

class Navigator : public GridTest {
protected:
    QString enabled() const {
        // One letter per enabled button, in button order.
        QString letters;
        const char names[] = "FPNLIDC";
        for (int b = 0; b < 7; ++b)
            letters += navigator->button(NavigatorButton(b))->isEnabled() ? QLatin1Char(names[b]) : QLatin1Char('-');
        return letters;
    }
    void push(NavigatorButton b) { QTest::mouseClick(navigator->button(b), Qt::LeftButton); }
};

TEST_F(Navigator, ButtonsFollowTheDatasetState) {
    EXPECT_EQ(enabled(), QStringLiteral("-------"));
    open(3);
    EXPECT_EQ(enabled(), QStringLiteral("--NLID-"));
    push(NavigatorButton::Next);
    EXPECT_EQ(enabled(), QStringLiteral("FPNLID-"));
    push(NavigatorButton::Last);
    EXPECT_EQ(enabled(), QStringLiteral("FP--ID-"));
    type(QStringLiteral("2"));
    EXPECT_EQ(enabled().back(), QLatin1Char('C'));
    push(NavigatorButton::Cancel);
    EXPECT_EQ(state(), TDataSetState::dsBrowse);
    EXPECT_EQ(enabled().back(), QLatin1Char('-'));
    ds.Close();
    EXPECT_EQ(enabled(), QStringLiteral("-------"));
}

TEST_F(Navigator, AnEmptyDatasetHasNothingToDelete) {
    open(0);
    EXPECT_EQ(enabled().mid(4), QStringLiteral("I--"));
    push(NavigatorButton::Insert);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(enabled().mid(4), QStringLiteral("IDC"));
}

TEST_F(Navigator, ButtonsMoveAndEditTheDatasetBehindTheGrid) {
    open(3);
    push(NavigatorButton::Last);
    EXPECT_EQ(currentId(), 3);
    push(NavigatorButton::Prior);
    EXPECT_EQ(currentId(), 2);
    push(NavigatorButton::First);
    EXPECT_EQ(currentId(), 1);
    push(NavigatorButton::Next);
    push(NavigatorButton::Insert);
    EXPECT_EQ(state(), TDataSetState::dsInsert);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(grid->currentScreenRow(), 1);
    EXPECT_EQ(focused(), grid); // the buttons leave the focus where it was
    push(NavigatorButton::Cancel);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(currentId(), 2);
}

TEST_F(Navigator, DeleteAsksFirst) {
    open(3);
    answer = false;
    push(NavigatorButton::Delete);
    EXPECT_EQ(questions, QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(ds.RecordCount(), 3);
    answer = true;
    push(NavigatorButton::Delete);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(currentId(), 2);
}

TEST_F(Navigator, AMoveWritesTheGridsTextAndPostsIt) {
    open(3);
    press(Qt::Key_End); // Pref.N/A
    type(QStringLiteral("NV"));
    push(NavigatorButton::Next);
    EXPECT_FALSE(grid->editorShown());
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(cell(PrefNo, 0), QStringLiteral("NV"));
    EXPECT_EQ(ds.ChangeCount(), 1);
    // A text the field refuses stops the move and reaches the application.
    press(Qt::Key_Home);
    type(QStringLiteral("1/"));
    push(NavigatorButton::Next);
    EXPECT_EQ(errors().size(), 1);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(grid->editorShown());
}

} // namespace
