// What posting a day reads: that day's invoices and their lines, however many
// days are already posted and whatever the index statistics say.

#include "tests/db/CashPostingTest.h"

#include <QProcess>

namespace {

class PostingReads : public CashPosting {
protected:
    // The history is large: its pages are not forced to the disk one by one.
    void SetUp() override {
        QProcess gfix;
        gfix.start(QStringLiteral("gfix"), {QStringLiteral("-user"), QStringLiteral("SYSDBA"), QStringLiteral("-write"),
                                             QStringLiteral("async"), db.file()});
        ASSERT_TRUE(gfix.waitForFinished(60000) && gfix.exitCode() == 0);
        CashPosting::SetUp();
    }
    // Records this attachment has read from a table so far.
    struct Reads {
        qint64 natural = 0;
        qint64 indexed = 0;
    };
    Reads reads(const QString& table) {
        auto cur = c.OpenCursor(
            QStringLiteral("select r.MON$RECORD_SEQ_READS, r.MON$RECORD_IDX_READS from MON$TABLE_STATS t "
                           "join MON$RECORD_STATS r on r.MON$STAT_ID = t.MON$RECORD_STAT_ID "
                           "join MON$ATTACHMENTS a on a.MON$STAT_ID = t.MON$STAT_ID "
                           "where a.MON$ATTACHMENT_ID = current_connection and t.MON$TABLE_NAME = ?"),
            {textParam(table)});
        Reads r;
        if (cur->next())
            r = {cur->value(0).get<qint64>(), cur->value(1).get<qint64>()};
        cur->close();
        return r;
    }

    static constexpr int kInvoicesPerPrefix = 6;
    // Days of sales at two points of sale, two lines per invoice, written by the
    // database itself in one statement.
    void days(QDate first, int count, int invoicesPerPrefix = kInvoicesPerPrefix) {
        c.Execute(QStringLiteral(
                      "execute block (first_day date = ?, days integer = ?, per_prefix integer = ?, "
                      "nit varchar(20) = ?) as "
                      "declare d integer = 0; declare p integer; declare i integer; declare f integer; "
                      "begin while (d < days) do begin p = 1; while (p <= 2) do begin i = 0; "
                      "while (i < per_prefix) do begin "
                      "f = gen_id(GEN_FACTURA, 1); "
                      "insert into FACTURA (FACT_ID, FACT_PREFIJO, FACT_NUMERO, FACT_FECHA, FACT_NIT) "
                      "values (:f, 'PV0' || :p, :f, dateadd(:d day to :first_day), :nit); "
                      "insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                      "values (:f, 5, 100 + :i, 5); "
                      "insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                      "values (:f, 19, 200 + :i, 38); "
                      "i = i + 1; end p = p + 1; end d = d + 1; end end"),
                  {dateParam(first), intParam(count), intParam(invoicesPerPrefix), textParam(kCashCustomer)});
    }
    void day(QDate d) { days(d, 1); }
    static constexpr int kInvoicesPerDay = 2 * kInvoicesPerPrefix;
    static constexpr int kLinesPerDay = 2 * kInvoicesPerDay;

    // Posts one day in the local book, as the tool does on an attachment of its
    // own (which compiles the procedures afresh for the tables as they are now),
    // and returns what that read of each table.
    std::pair<Reads, Reads> postAndMeasure(QDate d) {
        db.connect(c);
        const Reads invoicesBefore = reads(QStringLiteral("FACTURA"));
        const Reads linesBefore = reads(QStringLiteral("FACTURA_DET"));
        EXPECT_EQ(post(kLocal, d, d).size(), 2u);
        const Reads invoicesAfter = reads(QStringLiteral("FACTURA"));
        const Reads linesAfter = reads(QStringLiteral("FACTURA_DET"));
        return {{invoicesAfter.natural - invoicesBefore.natural, invoicesAfter.indexed - invoicesBefore.indexed},
                {linesAfter.natural - linesBefore.natural, linesAfter.indexed - linesBefore.indexed}};
    }
};

TEST_F(PostingReads, ADayReadsItsOwnInvoicesAndLinesWhateverTheHistoryAndTheStatistics) {
    // Each invoice and line of the day is read a few times (grouping, marking,
    // summing, counting), never another day's, and never by walking a table.
    const auto expectOnlyTheDay = [](const char* when, const Reads& invoices, const Reads& lines) {
        SCOPED_TRACE(when);
        EXPECT_EQ(invoices.natural, 0);
        EXPECT_EQ(lines.natural, 0);
        EXPECT_LE(invoices.indexed, 6 * kInvoicesPerDay);
        EXPECT_LE(lines.indexed, 3 * kLinesPerDay);
        EXPECT_GE(lines.indexed, kLinesPerDay);
    };
    const QDate first = kDay.addDays(-40);
    day(first);
    const auto [invoicesAlone, linesAlone] = postAndMeasure(first);
    expectOnlyTheDay("alone", invoicesAlone, linesAlone);

    // Forty days of history, 24,000 lines, posted in both books, with the
    // statistics of a new database (all zero): the optimizer left alone would
    // walk every line for every voucher.
    days(first.addDays(1), 39, 150);
    day(kDay);
    ASSERT_EQ(post(kLocal, first.addDays(1), kDay.addDays(-1)).size(), 2u * 39);
    ASSERT_EQ(post(kNiif, first, kDay.addDays(-1)).size(), 2u * 40);
    ASSERT_EQ(count(QStringLiteral("select count(*) from FACTURA_DET")), 39 * 600 + 2 * kLinesPerDay);
    const auto [invoicesAfterHistory, linesAfterHistory] = postAndMeasure(kDay);
    expectOnlyTheDay("after history", invoicesAfterHistory, linesAfterHistory);
    EXPECT_EQ(invoicesAfterHistory.indexed, invoicesAlone.indexed);
    EXPECT_EQ(linesAfterHistory.indexed, linesAlone.indexed);

    // Fresh statistics, then one more day.
    c.Execute(QStringLiteral("execute procedure ACTUALIZA_ESTADISTICAS"));
    day(kDay.addDays(1));
    const auto [invoicesFresh, linesFresh] = postAndMeasure(kDay.addDays(1));
    expectOnlyTheDay("fresh statistics", invoicesFresh, linesFresh);
}

TEST(CompanyStatistics, ANewCompanyHasTheStatisticsOfTheRowsItWasCreatedWith) {
    CompanyDatabase db(/*demo=*/true);
    TSQLConnection c;
    db.connect(c);
    // The demo's invoices are unique by key: the index's selectivity is one in
    // their number, not the zero of an index never measured.
    const Value selectivity = scalar(c, QStringLiteral("select cast(1 / i.RDB$STATISTICS as integer) from RDB$INDICES i "
                                                       "where i.RDB$INDEX_NAME = 'PK_FACTURA'"));
    const Value invoices = scalar(c, QStringLiteral("select count(*) from FACTURA"));
    EXPECT_EQ(selectivity.get<qint64>(), invoices.get<qint64>());
}

} // namespace
