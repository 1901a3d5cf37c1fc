// The closing-adjustment panels end to end: F5 and F7 open, edit and save the rows
// of "Tarifas" and "Tarifas previstas" through their grids.

#include "app/CaptionedPanel.h"
#include "grid/DataGrid.h"
#include "grid/RecordNavigator.h"
#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QDateEdit>
#include <QTest>
#include <QToolButton>

namespace {

const QDate kDay(2026, 5, 23);

// The rows of a table as "id?/start/rate/factor/prefix", by rate then start; the
// key shows only whether it is one the database gave (1..999) or a fixed one.
QStringList rows(const CompanyDatabase& db, const QString& table) {
    TSQLConnection c;
    db.connect(c);
    auto cur = c.OpenCursor(QStringLiteral("select AJCI_ID, AJCI_FECINI, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO from ") +
                            table + QStringLiteral(" order by AJCI_PORC, AJCI_FECINI"));
    QStringList out;
    while (cur->next()) {
        const qint64 id = cur->value(0).get<qint64>();
        out << (id >= 1000 ? QString::number(id) : QStringLiteral("new")) + QLatin1Char('/') +
                   cur->value(1).debugText() + QLatin1Char('/') + cur->value(2).debugText() + QLatin1Char('/') +
                   cur->value(3).debugText() + QLatin1Char('/') + cur->value(4).debugText();
    }
    return out;
}

class PanelsTest : public WindowTest {
protected:
    Tfvestacol& connected() {
        Tfvestacol& w = openWindowFor(db);
        typeLogin(db);
        leaveCia();
        w.EFecIni->setDate(kDay);
        w.EFecFin->setDate(kDay.addDays(6));
        return w;
    }
    // A key pressed while the grid of the open panel has the focus.
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { press(k, m); }
    void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    CompanyDatabase db;
};

TEST_F(PanelsTest, TarifasReplacesTheDaysRowsWithOneFreshRowPerRate) {
    {
        TSQLConnection c;
        db.connect(c);
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE values (5000, '2026-05-23', '2026-05-23', 19, 0.5, 'OLD')"));
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE values (5001, '2026-05-24', '2026-05-24', 19, 0.5, null)"));
    }
    Tfvestacol& w = connected();
    key(Qt::Key_F5);
    ASSERT_FALSE(w.AdvPanel1->isHidden());
    TClientDataSet& ds = w.data().CAjuste;
    EXPECT_EQ(QApplication::focusWidget(), w.DBGridEh2);
    // Three rates give three rows, in reverse order of the rates, the cursor on the last.
    ASSERT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(w.data().CAjusteAJCI_PORC->AsCurrency(), Currency::fromInteger(0));
    EXPECT_EQ(w.data().CAjusteAJCI_FACTOR->AsCurrency(), Currency::fromUnits(8000));
    EXPECT_EQ(ds.ChangeCount(), 4); // one deletion and three insertions

    key(Qt::Key_F5);
    EXPECT_TRUE(w.AdvPanel1->isHidden());
    EXPECT_FALSE(ds.Active());
    EXPECT_EQ(rows(db, QStringLiteral("AJUSTE_CIERRE")),
              (QStringList{QStringLiteral("new/2026-05-23/0.0000/0.8000/null"),
                           QStringLiteral("new/2026-05-23/5.0000/0.8000/null"),
                           QStringLiteral("new/2026-05-23/19.0000/0.8000/null"),
                           QStringLiteral("5001/2026-05-24/19.0000/0.5000/null")}));

    // Opening again: one row per rate again, built the same way.
    key(Qt::Key_F5);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(w.data().CAjusteAJCI_PORC->AsCurrency(), Currency::fromInteger(0));
}

TEST_F(PanelsTest, AFactorEditedInTheGridIsSavedByTheKey) {
    Tfvestacol& w = connected();
    key(Qt::Key_F5);
    // On the last row (rate 0): to the factor column and type a new value.
    w.DBGridEh2->setCurrentColumn(3);
    type(QStringLiteral("0,75"));
    key(Qt::Key_F5);
    EXPECT_TRUE(w.AdvPanel1->isHidden());
    EXPECT_TRUE(rows(db, QStringLiteral("AJUSTE_CIERRE")).contains(QStringLiteral("new/2026-05-23/0.0000/0.7500/null")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelsTest, ANewStandingRowHasKeyZeroBeforeAnythingIsTyped) {
    Tfvestacol& w = connected();
    key(Qt::Key_F7);
    ASSERT_FALSE(w.AdvPanel2->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), w.DBGridEh1);
    w.DBNavigator2->button(NavigatorButton::Insert)->click();
    EXPECT_EQ(w.data().CAjusteAu.State(), TDataSetState::dsInsert);
    EXPECT_EQ(w.data().CAjusteAuAJCI_ID->value(), Value(qint64(0)));
}

TEST_F(PanelsTest, AFailedSaveKeepsThePanelOpenWithEveryChange) {
    Tfvestacol& w = connected();
    key(Qt::Key_F7);
    TClientDataSet& ds = w.data().CAjusteAu;
    ds.Insert();
    w.data().CAjusteAuAJCI_PORC->setAsCurrency(Currency::fromInteger(7)); // no such rate
    w.data().CAjusteAuAJCI_FACTOR->setAsCurrency(Currency::fromUnits(9000));
    ds.Post();
    ds.Insert();
    w.data().CAjusteAuAJCI_PORC->setAsCurrency(Currency::fromInteger(5));
    ds.Post();

    key(Qt::Key_F7);
    const auto dialogs = messages.ofKind(MessageKind::ErrorDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].text, QStringLiteral("Está borrando o insertando un registro en la tabla AjusteAu que tiene "
                                              "una relación con otra tabla."));
    EXPECT_FALSE(w.AdvPanel2->isHidden());
    EXPECT_TRUE(ds.Active());
    EXPECT_EQ(ds.ChangeCount(), 2);
    EXPECT_TRUE(rows(db, QStringLiteral("AJUSTE_CIERRE_AUTO")).isEmpty());

    // Corrected, the key saves and closes.
    ASSERT_TRUE(ds.Locate(QStringLiteral("AJCI_PORC"), Value(7)));
    ds.Edit();
    w.data().CAjusteAuAJCI_PORC->setAsCurrency(Currency::fromInteger(19));
    ds.Post();
    key(Qt::Key_F7);
    EXPECT_TRUE(w.AdvPanel2->isHidden());
    EXPECT_EQ(rows(db, QStringLiteral("AJUSTE_CIERRE_AUTO")).size(), 2);
}

TEST_F(PanelsTest, ARowThatCannotBePostedStopsTheKeyWithThePanelShown) {
    Tfvestacol& w = connected();
    key(Qt::Key_F5);
    TClientDataSet& ds = w.data().CAjuste;
    ds.Insert(); // "Tarifas" rows get no key by themselves
    w.data().CAjusteAJCI_PORC->setAsCurrency(Currency::fromInteger(5));
    key(Qt::Key_F5);
    const auto dialogs = messages.ofKind(MessageKind::ErrorDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].text, QStringLiteral("Los campos AJCI_ID,  son obligatorios."));
    EXPECT_FALSE(w.AdvPanel1->isHidden());
    EXPECT_EQ(ds.State(), TDataSetState::dsInsert);
    EXPECT_TRUE(messages.ofKind(MessageKind::DefaultError).empty()); // the abort is silent
    EXPECT_TRUE(rows(db, QStringLiteral("AJUSTE_CIERRE")).isEmpty());
}

TEST_F(PanelsTest, F2SavesAnOpenTarifasAndPosts) {
    addCashInvoice(db, 1, kDay);
    Tfvestacol& w = connected();
    key(Qt::Key_F5);
    key(Qt::Key_F2);
    EXPECT_TRUE(windowDestroyed());
    EXPECT_EQ(rows(db, QStringLiteral("AJUSTE_CIERRE")).size(), 3);
    EXPECT_EQ(queryValue(db, QStringLiteral("select count(*) from FACTURA where FACT_COMP_LOCAL is not null")), Value(1));
    (void)w;
}

TEST_F(PanelsTest, EscWithAPanelOpenDiscardsItsChanges) {
    {
        TSQLConnection c;
        db.connect(c);
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE values (5000, '2026-05-23', '2026-05-23', 19, 0.5, null)"));
    }
    connected();
    key(Qt::Key_F5);
    key(Qt::Key_Escape);
    EXPECT_TRUE(windowDestroyed());
    EXPECT_EQ(rows(db, QStringLiteral("AJUSTE_CIERRE")),
              QStringList{QStringLiteral("5000/2026-05-23/19.0000/0.5000/null")});
}

} // namespace
