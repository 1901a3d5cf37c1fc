// The trail of the postings: who posted each voucher, posted data that cannot
// change, reversal as the one way to undo a posting, and no voucher for an
// invoice with nothing to post.

#include "tests/db/CashPostingTest.h"

namespace {

class Trail : public CashPosting {
protected:
    // A connection of a clerk who may only run the given procedures.
    void connectClerk(TSQLConnection& clerk, const QStringList& procedures) {
        for (const QString& p : procedures)
            c.Execute(QStringLiteral("grant execute on procedure ") + p + QStringLiteral(" to CONTADOR"));
        // The embedded engine takes the user name as given.
        clerk.Params().setValue(QStringLiteral("Database"), db.databasePath(ConnectionKind::Embedded));
        clerk.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("CONTADOR"));
        clerk.Params().setValue(QStringLiteral("password"), QStringLiteral("x"));
        clerk.setConnected(true);
    }
    QString voucherColumn(const QString& column, const QString& kind, qint64 number) {
        return scalar(c,
                      QStringLiteral("select ") + column +
                          QStringLiteral(" from COMPROBANTE where TICO_CODIGO = ? and COMP_NUMERO = ?"),
                      {textParam(kind), intParam(number)})
            .debugText();
    }
    // The voucher's lines as "account debit credit", in line order.
    QStringList lineTexts(const QString& kind, qint64 number) {
        QStringList texts;
        for (const VoucherLine& l : lines(kind, number))
            texts << l.account + QLatin1Char(' ') + Value(l.debit).debugText() + QLatin1Char(' ') +
                         Value(l.credit).debugText();
        return texts;
    }
    struct Reversed {
        QDate date;
        QString prefix;
        qint64 number;
        qint64 reverses;
        qint64 invoices;
        Currency total;
    };
    std::vector<Reversed> reverse(QDate first, QDate last, const QString& book,
                                  TSQLConnection* connection = nullptr) {
        auto cur = (connection ? connection : &c)
                       ->OpenCursor(QStringLiteral("select FECHA, PREFIJO, NUMERO, REVIERTE, FACTURAS, TOTAL "
                                                   "from REVIERTE_CONTADO(?, ?, ?)"),
                                    {dateParam(first), dateParam(last), textParam(book)});
        std::vector<Reversed> rows;
        while (cur->next())
            rows.push_back({cur->value(0).get<QDate>(), cur->value(1).get<QString>(), cur->value(2).get<qint64>(),
                            cur->value(3).get<qint64>(), cur->value(4).get<qint64>(),
                            cur->value(5).get<Currency>()});
        return rows;
    }
    QString failureOf(const QString& sql) {
        return errorOf([&] { c.Execute(sql); });
    }
};

TEST_F(Trail, EachVoucherRecordsTheDatabaseUserWhoPostedIt) {
    cashInvoice(kDay, {{19, 10000, 1900}});
    TSQLConnection clerk;
    connectClerk(clerk, {QStringLiteral("CONTADO_KALDEN")});
    ASSERT_EQ(fetchPosted(clerk.OpenCursor(QStringLiteral("select * from contado_kalden('2026-05-23', '2026-05-23')")))
                  .size(),
              1u);
    ASSERT_EQ(post(kNiif, kDay, kDay).size(), 1u);
    EXPECT_EQ(voucherColumn(QStringLiteral("COMP_USUARIO"), QStringLiteral("VC"), 1), QStringLiteral("'CONTADOR'"));
    EXPECT_EQ(voucherColumn(QStringLiteral("COMP_USUARIO"), QStringLiteral("VCN"), 1), QStringLiteral("'SYSDBA'"));
    EXPECT_NE(voucherColumn(QStringLiteral("COMP_CREADO"), QStringLiteral("VC"), 1), QStringLiteral("null"));

    // A voucher written by hand cannot claim another author.
    c.Execute(QStringLiteral("insert into COMPROBANTE (COMP_ID, TICO_CODIGO, COMP_NUMERO, COMP_FECHA, COMP_PREFIJO, "
                             "COMP_LOTE, COMP_USUARIO) values (1000, 'VC', 1000, '2026-05-23', 'PV01', 0, 'OTRO')"));
    EXPECT_EQ(voucherColumn(QStringLiteral("COMP_USUARIO"), QStringLiteral("VC"), 1000), QStringLiteral("'SYSDBA'"));
}

TEST_F(Trail, PostedVouchersAndInvoicesWithTheirLinesCannotBeChangedOrDeleted) {
    const qint64 posted = cashInvoice(kDay, {{19, 10000, 1900}});
    const qint64 open = cashInvoice(kDay.addDays(1), {{5, 10000, 500}});
    ASSERT_EQ(post(kLocal, kDay, kDay).size(), 1u);
    const QString id = QString::number(posted);

    const QStringList voucherChanges{
        QStringLiteral("update COMPROBANTE set COMP_DETALLE = 'x'"),
        QStringLiteral("delete from COMPROBANTE"),
        QStringLiteral("update COMPROBANTE_DET set CODE_DEBITO = CODE_DEBITO + 1 where CODE_DEBITO > 0"),
        QStringLiteral("delete from COMPROBANTE_DET where CODE_LINEA = 1"),
        QStringLiteral("insert into COMPROBANTE_DET (CODE_ID, COMP_ID, CODE_LINEA, CODE_CUENTA, CODE_DEBITO) "
                       "select 1000, COMP_ID, 99, '11050501', 5 from COMPROBANTE"),
    };
    for (const QString& sql : voucherChanges) {
        const QString error = failureOf(sql);
        EXPECT_TRUE(error.contains(QStringLiteral("E_CONTADO_CERRADO"))) << sql.toStdString() << ": "
                                                                         << error.toStdString();
    }
    const QStringList invoiceChanges{
        QStringLiteral("update FACTURA_DET set FADE_BASE = 1 where FACT_ID = ") + id,
        QStringLiteral("delete from FACTURA_DET where FACT_ID = ") + id,
        QStringLiteral("insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) values (") + id +
            QStringLiteral(", 5, 1, 0)"),
        QStringLiteral("update FACTURA set FACT_FECHA = FACT_FECHA + 1 where FACT_ID = ") + id,
        QStringLiteral("update FACTURA set FACT_NIT = '800197268' where FACT_ID = ") + id,
        QStringLiteral("delete from FACTURA where FACT_ID = ") + id,
        // Clearing the mark by hand would erase the trail.
        QStringLiteral("update FACTURA set FACT_COMP_LOCAL = null where FACT_ID = ") + id,
        // Nor may an invoice be moved to another voucher, or marked by a posted one.
        QStringLiteral("update FACTURA set FACT_COMP_LOCAL = (select max(COMP_ID) from COMPROBANTE) where FACT_ID = ") +
            QString::number(open),
    };
    for (const QString& sql : invoiceChanges) {
        const QString error = failureOf(sql);
        EXPECT_TRUE(error.contains(QStringLiteral("E_CONTADO_FACTURA"))) << sql.toStdString() << ": "
                                                                         << error.toStdString();
    }
    EXPECT_EQ(lineTexts(QStringLiteral("VC"), 1),
              (QStringList{QStringLiteral("11050501 119.0000 0.0000"), QStringLiteral("41350503 0.0000 100.0000"),
                           QStringLiteral("24080103 0.0000 19.0000")}));
    EXPECT_EQ(unpostedCashInvoices(kDay), 0);

    // Invoices not posted yet are the point of sale's to correct, and the other
    // book still posts the posted one.
    EXPECT_EQ(failureOf(QStringLiteral("update FACTURA_DET set FADE_BASE = 200 where FACT_ID = ") +
                        QString::number(open)),
              QString());
    EXPECT_EQ(failureOf(QStringLiteral("delete from FACTURA where FACT_ID = ") + QString::number(open)), QString());
    EXPECT_EQ(post(kNiif, kDay, kDay.addDays(1)).size(), 1u);
}

TEST_F(Trail, AReversalUndoesAPostingOnRecordAndACorrectedPostingFollows) {
    const qint64 wrong = cashInvoice(kDay, {{19, 10000, 1900}});
    cashInvoice(kDay, {{0, 5000, 0}});
    cashInvoice(kDay.addDays(1), {{5, 10000, 500}});
    adjustment(kDay, kDay, 19, factor(5000));
    ASSERT_EQ(post(kLocal, kDay, kDay.addDays(1)).size(), 2u);
    ASSERT_EQ(post(kNiif, kDay.addDays(1), kDay.addDays(1)).size(), 1u);
    const QStringList original = lineTexts(QStringLiteral("VC"), 1);

    const auto reversed = reverse(kDay, kDay, QStringLiteral("L"));
    ASSERT_EQ(reversed.size(), 1u);
    const QDate today = scalar(c, QStringLiteral("select current_date from RDB$DATABASE")).get<QDate>();
    EXPECT_EQ(reversed[0].date, today);
    EXPECT_EQ(reversed[0].prefix, QStringLiteral("PV01"));
    EXPECT_EQ(reversed[0].number, 3); // the kind's next number
    EXPECT_EQ(reversed[0].reverses, 1);
    EXPECT_EQ(reversed[0].invoices, 2);
    EXPECT_EQ(reversed[0].total, cents(16900));
    // The original's lines, debit for credit; the original itself unchanged.
    QStringList swapped;
    for (const QString& line : original) {
        const QStringList parts = line.split(QLatin1Char(' '));
        swapped << parts[0] + QLatin1Char(' ') + parts[2] + QLatin1Char(' ') + parts[1];
    }
    EXPECT_EQ(lineTexts(QStringLiteral("VC"), 3), swapped);
    EXPECT_EQ(lineTexts(QStringLiteral("VC"), 1), original);
    EXPECT_EQ(voucherColumn(QStringLiteral("COMP_REVIERTE"), QStringLiteral("VC"), 3),
              voucherColumn(QStringLiteral("COMP_ID"), QStringLiteral("VC"), 1));
    EXPECT_EQ(voucherColumn(QStringLiteral("COMP_FECHA"), QStringLiteral("VC"), 3), Value(today).debugText());
    // The day's invoices are free in the local book; the other day stays posted.
    EXPECT_EQ(unpostedCashInvoices(kDay), 2);
    EXPECT_EQ(unpostedCashInvoices(kDay.addDays(1)), 0);

    // Corrected, and posted again under the next number.
    c.Execute(QStringLiteral("update FACTURA_DET set FADE_BASE = 200, FADE_IVA = 38 where FACT_ID = ") +
              QString::number(wrong));
    const auto again = post(kLocal, kDay, kDay.addDays(1));
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].number, 4);
    EXPECT_EQ(again[0].total, cents(28800));

    // The original is never reversed twice: the range now reverses only the new voucher.
    const QString twice = errorOf([&] {
        c.Execute(QStringLiteral("execute procedure REVIERTE_COMPROBANTE ((select COMP_ID from COMPROBANTE "
                                 "where TICO_CODIGO = 'VC' and COMP_NUMERO = 1), 0)"));
    });
    EXPECT_TRUE(twice.contains(QStringLiteral("E_CONTADO_REVERSION"))) << twice.toStdString();
    EXPECT_TRUE(twice.contains(QStringLiteral("VC 3"))) << twice.toStdString();
    const QString ofAReversal = errorOf([&] {
        c.Execute(QStringLiteral("execute procedure REVIERTE_COMPROBANTE ((select COMP_ID from COMPROBANTE "
                                 "where TICO_CODIGO = 'VC' and COMP_NUMERO = 3), 0)"));
    });
    EXPECT_TRUE(ofAReversal.contains(QStringLiteral("E_CONTADO_REVERSION"))) << ofAReversal.toStdString();

    // A clerk with EXECUTE only may reverse; the NIIF book is reversed on its own.
    TSQLConnection clerk;
    connectClerk(clerk, {QStringLiteral("REVIERTE_CONTADO")});
    const auto second = reverse(kDay, kDay, QStringLiteral("L"), &clerk);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].reverses, 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE where COMP_REVIERTE is not null")), 2);
    EXPECT_TRUE(reverse(kDay, kDay, QStringLiteral("L")).empty());
    EXPECT_TRUE(reverse(kDay, kDay, QStringLiteral("N")).empty()); // NIIF never posted that day
    ASSERT_EQ(reverse(kDay, kDay.addDays(1), QStringLiteral("N")).size(), 1u);
    EXPECT_EQ(count(QStringLiteral("select count(*) from FACTURA where FACT_COMP_NIIF is not null")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from FACTURA where FACT_COMP_LOCAL is not null")), 1);
}

TEST_F(Trail, AnInvoiceWithNothingToPostGetsNoVoucherAndNoNumber) {
    invoice(QStringLiteral("PV01"), kDay, kCashCustomer, {});
    invoice(QStringLiteral("PV01"), kDay, kCashCustomer, {{0, 0, 0}, {19, 0, 0}});
    invoice(QStringLiteral("PV02"), kDay, kCashCustomer, {});
    EXPECT_TRUE(post(kLocal, kDay, kDay).empty());
    EXPECT_TRUE(post(kNiif, kDay, kDay).empty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), 0);
    EXPECT_EQ(count(QStringLiteral("select sum(TICO_CONSECUTIVO) from TIPO_COMPROBANTE")), 0);

    // Beside a sale, they are still left out.
    cashInvoice(kDay, {{5, 10000, 500}});
    const auto posted = post(kLocal, kDay, kDay);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].number, 1);
    EXPECT_EQ(posted[0].invoices, 1);
    EXPECT_EQ(unpostedCashInvoices(kDay), 3);
}

} // namespace
