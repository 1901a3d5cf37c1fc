// What posting a day reads: that day's invoices and their lines, however many
// days are already posted and whatever the index statistics say.

#include "tests/db/CashPostingTest.h"

namespace {

class PostingReads : public CashPosting {
protected:
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
    // A day of sales at two points of sale, two lines per invoice.
    void day(QDate d) {
        for (const char* prefix : {"PV01", "PV02"})
            for (int i = 0; i < kInvoicesPerPrefix; ++i)
                cashInvoice(d, {{5, 10000 + i, 500}, {19, 20000 + i, 3800}}, QString::fromLatin1(prefix));
    }
    static constexpr int kInvoicesPerDay = 2 * kInvoicesPerPrefix;
    static constexpr int kLinesPerDay = 2 * kInvoicesPerDay;

    // Posts one day in the local book and returns what that read of each table.
    std::pair<Reads, Reads> postAndMeasure(QDate d) {
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
    const QDate first = kDay.addDays(-40);
    day(first);
    const auto [invoicesAlone, linesAlone] = postAndMeasure(first);

    // Forty days of history, posted in both books, with the statistics of a new
    // database (all zero): the optimizer left alone would walk every line.
    for (int d = 1; d <= 40; ++d)
        day(first.addDays(d));
    ASSERT_EQ(post(kLocal, first.addDays(1), kDay.addDays(-1)).size(), 2u * 39);
    ASSERT_EQ(post(kNiif, first, kDay.addDays(-1)).size(), 2u * 40);
    ASSERT_EQ(count(QStringLiteral("select count(*) from FACTURA_DET")), 41 * kLinesPerDay);
    const auto [invoicesAfterHistory, linesAfterHistory] = postAndMeasure(kDay);

    // Fresh statistics, then one more day.
    c.Execute(QStringLiteral("execute procedure ACTUALIZA_ESTADISTICAS"));
    day(kDay.addDays(1));
    const auto [invoicesFreshStatistics, linesFreshStatistics] = postAndMeasure(kDay.addDays(1));

    for (const auto& [name, invoiceReads, lineReads] :
         {std::tuple{"alone", invoicesAlone, linesAlone},
          std::tuple{"after history", invoicesAfterHistory, linesAfterHistory},
          std::tuple{"fresh statistics", invoicesFreshStatistics, linesFreshStatistics}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(invoiceReads.natural, 0);
        EXPECT_EQ(lineReads.natural, 0);
        // Each invoice and line is read a few times (grouping, marking, summing,
        // counting), never the other days' ones.
        EXPECT_LE(invoiceReads.indexed, 6 * kInvoicesPerDay);
        EXPECT_LE(lineReads.indexed, 3 * kLinesPerDay);
        EXPECT_GE(lineReads.indexed, kLinesPerDay);
    }
    EXPECT_EQ(invoicesAfterHistory.indexed, invoicesAlone.indexed);
    EXPECT_EQ(linesAfterHistory.indexed, linesAlone.indexed);
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
