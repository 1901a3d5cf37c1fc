// The posting run: the statement, the result judged by its rows, and what is left
// when it fails. The posting procedures of a real company database do the posting.

#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

const QString kNothingPosted = QStringLiteral("No se pudo contabilizar las facturas.");

// Whether a book posted the invoice: "LOCAL" or "NIIF".
bool posted(const CompanyDatabase& db, int id, const char* book) {
    return queryValue(db, QStringLiteral("select count(*) from FACTURA where FACT_ID = %1 and "
                                         "FACT_COMP_%2 is not null")
                              .arg(id)
                              .arg(QString::fromLatin1(book)))
               .get<qint64>() == 1;
}

class PostingTest : public WindowTest {
protected:
    // Opens the window and connects it to the database as the user does.
    Tfvestacol& connectedWindow(const CompanyDatabase& db) {
        Tfvestacol& w = openWindowFor(db);
        typeLogin(db);
        leaveCia();
        EXPECT_TRUE(w.data().Quelmar.Connected());
        return w;
    }
    void setRange(QDate first, QDate last) {
        window->EFecIni->setDate(first);
        window->EFecFin->setDate(last);
    }
};

} // namespace

// Under a day-first date format the statement still carries the days unmistakably.
TEST_F(PostingTest, TheStatementNamesTheChosenProcedureWhateverTheDateFormat) {
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    FormatSettings::setCurrent(dayFirst);
    CompanyDatabase db;
    for (bool niif : {false, true}) {
        SCOPED_TRACE(niif);
        Tfvestacol& w = connectedWindow(db);
        setRange(QDate(2026, 5, 23), QDate(2026, 5, 23));
        w.ckniif->setChecked(niif);
        w.EFecIni->setFocus(Qt::OtherFocusReason);
        press(Qt::Key_F2);
        EXPECT_EQ(
            w.data().CRepArticulos.CommandText,
            niif ? QStringLiteral("select * from contado_kalden_niif('2026-05-23', '2026-05-23')")
                 : QStringLiteral("select * from contado_kalden('2026-05-23', '2026-05-23')"));
        EXPECT_TRUE(windowDestroyed());
    }
}

TEST_F(PostingTest, NothingToPostIsReportedAndTheWindowCloses) {
    CompanyDatabase db;
    Tfvestacol& w = connectedWindow(db);
    TClientDataSet& posting = w.data().CRepArticulos;
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Message);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Contabiliza ventas contado"));
    EXPECT_EQ(messages.shown[0].text, kNothingPosted);
    EXPECT_FALSE(posting.Active());
    EXPECT_TRUE(windowDestroyed());
}

TEST_F(PostingTest, PostedRowsCloseTheWindowWithoutAMessage) {
    CompanyDatabase db;
    const QDate today = QDate::currentDate();
    addCashInvoice(db, 1, today);
    addCashInvoice(db, 2, today.addDays(-1));
    for (const char* book : {"LOCAL", "NIIF"}) {
        SCOPED_TRACE(book);
        Tfvestacol& w = connectedWindow(db);
        w.ckniif->setChecked(QByteArray(book) == "NIIF");
        QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_TRUE(windowDestroyed());
        // Today's invoice only: the connection set the range to today.
        EXPECT_TRUE(posted(db, 1, book));
        EXPECT_FALSE(posted(db, 2, book));
    }
    // Each book was posted by its own procedure and only once.
    EXPECT_EQ(queryValue(db, QStringLiteral("select count(*) from COMPROBANTE")).get<qint64>(), 2);
}

// A day-first format must not post the day with day and month swapped: 5 June is
// not 6 May.
TEST_F(PostingTest, ADayFirstDateFormatPostsTheDayShown) {
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    FormatSettings::setCurrent(dayFirst);
    CompanyDatabase db;
    addCashInvoice(db, 1, QDate(2026, 6, 5));
    addCashInvoice(db, 2, QDate(2026, 5, 6));
    connectedWindow(db);
    setRange(QDate(2026, 6, 5), QDate(2026, 6, 5));
    QTest::mouseClick(window->SpeedButton3, Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(posted(db, 1, "LOCAL"));
    EXPECT_FALSE(posted(db, 2, "LOCAL"));
}

// A procedure that posts as it hands out its rows is read to its end before the
// posting dataset closes: a long result is never committed half posted.
TEST_F(PostingTest, AProcedureThatPostsRowByRowIsReadToItsEnd) {
    CompanyDatabase db;
    runIsql(db.file(), QStringLiteral("create table POSTED_ROW (N integer);\n"
                                      "set term ^;\n"
                                      "create or alter procedure CONTADO_KALDEN (FECINI date, "
                                      "FECFIN date) returns (N integer) as\n"
                                      "begin\n"
                                      "  N = 0;\n"
                                      "  while (N < 2500) do begin\n"
                                      "    N = N + 1;\n"
                                      "    insert into POSTED_ROW values (:N);\n"
                                      "    suspend;\n"
                                      "  end\n"
                                      "end^\n"
                                      "set term ;^\n"));
    Tfvestacol& w = connectedWindow(db);
    // The packet size the window's datasets work with.
    w.data().CRepArticulos.PacketRecords = 1000;
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(windowDestroyed());
    EXPECT_EQ(queryValue(db, QStringLiteral("select count(*) from POSTED_ROW")).get<qint64>(),
              2500);
}

TEST_F(PostingTest, AFailingPostingLeavesTheWindowOpenForAnotherRun) {
    CompanyDatabase db;
    const QDate today = QDate::currentDate();
    addCashInvoice(db, 1, today);
    {
        TSQLConnection c;
        db.connect(c);
        // A factor above 1: the procedure refuses to post.
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, "
                                 "AJCI_PORC, AJCI_FACTOR) values (0, ?, ?, 19, 2)"),
                  {{FieldType::Date, Value(today)}, {FieldType::Date, Value(today)}});
    }
    Tfvestacol& w = connectedWindow(db);
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::DefaultError);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("SQL Server Error: ")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("El factor de ajuste de cierre")))
        << messages.shown[0].text.toStdString();
    EXPECT_FALSE(windowDestroyed());
    EXPECT_FALSE(w.Panel5->isHidden());
    EXPECT_EQ(w.Panel5->text(), QStringLiteral("Generando informe. espere un momento..."));
    EXPECT_FALSE(posted(db, 1, "LOCAL"));

    // Put right, the next run posts and closes.
    {
        TSQLConnection c;
        db.connect(c);
        c.Execute(QStringLiteral("delete from AJUSTE_CIERRE"));
    }
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(windowDestroyed());
    EXPECT_TRUE(posted(db, 1, "LOCAL"));
}
