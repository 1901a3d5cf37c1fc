// The window's keys: F2 and Esc act only without Shift, Alt and Ctrl, every key
// still reaches the focused control, Enter moves to the next field, and every way
// of closing runs the same closing.

#include "data/DatabaseError.h"
#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

// Keeps the keys that reach one control (the modifier keys aside).
class KeySpy : public QObject {
public:
    explicit KeySpy(QWidget* control) { control->installEventFilter(this); }
    std::vector<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt)
                keys.push_back(key);
        }
        return false;
    }
};

const QString kDesignStatement =
    QStringLiteral("select * from contado_kalden('2003-09-01', '2003-09-01')");

} // namespace

TEST_F(WindowTest, FunctionKeysWithShiftAltOrCtrlDoNothing) {
    Tfvestacol& w = openWindow();
    w.Tusua->setFocus(Qt::OtherFocusReason);
    for (Qt::KeyboardModifier modifier :
         {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        for (int key : {Qt::Key_F2, Qt::Key_F5, Qt::Key_F7, Qt::Key_Escape})
            press(key, modifier);
    }
    EXPECT_FALSE(windowDestroyed());
    EXPECT_TRUE(w.isVisible());
    // No posting was started.
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(w.Panel5->isHidden());
    EXPECT_EQ(w.data().CRepArticulos.CommandText, kDesignStatement);

    press(Qt::Key_Escape);
    EXPECT_TRUE(windowDestroyed());
}

TEST_F(WindowTest, KeysReachTheFocusedControlAfterTheWindowActed) {
    Tfvestacol& w = openWindow();
    w.Tusua->setFocus(Qt::OtherFocusReason);
    KeySpy spy(w.Tusua);
    press(Qt::Key_F5);
    press(Qt::Key_F7);
    press(Qt::Key_F2, Qt::ShiftModifier);
    press(Qt::Key_A);
    press(Qt::Key_Escape);
    // F5 and F7 have no company to open panels on: their failure is shown, and a key
    // whose handler failed goes no further.
    EXPECT_EQ(messages.ofKind(MessageKind::DefaultError).size(), 2u);
    EXPECT_EQ(spy.keys, (std::vector<int>{Qt::Key_F2, Qt::Key_A, Qt::Key_Escape}));
    EXPECT_TRUE(windowDestroyed());
}

TEST_F(WindowTest, EnterMovesToTheNextFieldAndIsSwallowed) {
    Tfvestacol& w = openWindow();
    const std::pair<QWidget*, QWidget*> steps[] = {{w.Servidor, w.Tusua},  {w.Tusua, w.TClave},
                                                   {w.TClave, w.Cia},      {w.Cia, w.ckniif},
                                                   {w.EFecIni, w.EFecFin}, {w.EFecFin, w.Servidor}};
    for (const auto& [from, to] : steps) {
        SCOPED_TRACE(from->objectName().toStdString());
        for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
            from->setFocus(Qt::OtherFocusReason);
            KeySpy spy(from);
            press(key);
            EXPECT_EQ(QApplication::focusWidget(), to);
            EXPECT_TRUE(spy.keys.empty());
        }
    }
}

TEST_F(WindowTest, EnterInTheCheckBoxOrWithCtrlStaysPut) {
    Tfvestacol& w = openWindow();
    w.ckniif->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.ckniif);
    EXPECT_FALSE(w.ckniif->isChecked());

    w.Tusua->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.Tusua);
}

// Esc, the Cancelar button and the window's close box all run the same closing:
// the posting dataset is closed and the window destroyed.
TEST_F(WindowTest, EveryWayOfClosingClosesThePostingDatasetAndDestroysTheWindow) {
    CompanyDatabase db;
    enum Way { Escape, CancelButton, CloseBox };
    for (Way way : {Escape, CancelButton, CloseBox}) {
        SCOPED_TRACE(int(way));
        Tfvestacol& w = openWindowFor(db);
        db.connect(w.data().Quelmar);
        TClientDataSet& posting = w.data().CRepArticulos;
        posting.CommandText = QStringLiteral("select 1 from rdb$database");
        posting.Open();
        ASSERT_TRUE(posting.Active());

        switch (way) {
        case Escape:
            w.Tusua->setFocus(Qt::OtherFocusReason);
            press(Qt::Key_Escape);
            break;
        case CancelButton:
            QTest::mouseClick(w.SpeedButton2, Qt::LeftButton);
            break;
        case CloseBox:
            w.close();
            break;
        }
        EXPECT_FALSE(posting.Active());
        EXPECT_TRUE(windowDestroyed());
    }
}

// F2 before any company is connected still posts: the statement connects with the
// designed parameters, which name a database of another machine, and the failure
// is shown with the database's own message. The window stays as it was.
TEST_F(WindowTest, F2BeforeConnectingFailsWithTheDatabaseMessageAndKeepsTheWindow) {
    Tfvestacol& w = openWindow();
    w.Tusua->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_F2);

    ASSERT_EQ(messages.shown.size(), 1u);
    const ShownMessage& box = messages.shown[0];
    EXPECT_EQ(box.kind, MessageKind::DefaultError);
    EXPECT_EQ(box.caption, QStringLiteral("Contabiliza ventas contado"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("SQL Server Error: ")))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(QLatin1Char('.')));

    EXPECT_EQ(w.data().Quelmar.Params().value(QStringLiteral("Database")),
              QStringLiteral("C:\\QUELMARerp2017\\sop\\quelmar.fdb"));
    EXPECT_EQ(w.data().CRepArticulos.CommandText,
              QStringLiteral("select * from contado_kalden('2003-01-20', '2003-01-20')"));
    EXPECT_FALSE(w.data().Quelmar.Connected());
    EXPECT_FALSE(w.Panel5->isHidden());
    EXPECT_EQ(w.Panel5->text(), QStringLiteral("Generando informe. espere un momento..."));
    EXPECT_FALSE(w.SpeedButton3->isEnabled());
    EXPECT_FALSE(windowDestroyed());
    EXPECT_TRUE(w.isVisible());
}
