// The third party and the invoices a voucher posts: the cash customer's tax
// number on each revenue and VAT line, and the voucher's first and last
// invoice numbers.

#include "tests/db/CashPostingTest.h"

namespace {

TEST_F(CashPosting, RevenueAndVatLinesNameTheCashCustomerAndTheVoucherItsInvoices) {
    c.Execute(QStringLiteral("update EMPRESA set EMPR_NIT_CONTADO = '222222222' where EMPR_ID = 1"));
    const QString customer = QStringLiteral("222222222");
    invoice(QStringLiteral("PV01"), kDay, customer, {{19, 10000, 1900}}, 17);
    invoice(QStringLiteral("PV01"), kDay, customer, {{0, 5000, 0}, {5, 1000, 50}}, 9);
    invoice(QStringLiteral("PV01"), kDay, customer, {{19, 3000, 570}}, 12);
    invoice(QStringLiteral("PV01"), kDay, customer, {}, 30);                                // nothing to post
    invoice(QStringLiteral("PV01"), kDay, QStringLiteral("800197268"), {{19, 1000, 190}}, 4); // another customer
    invoice(QStringLiteral("PV02"), kDay, customer, {{0, 1000, 0}}, 2);
    adjustment(kDay, kDay, 19, factor(8000));

    for (const QString& procedure : {kLocal, kNiif}) {
        SCOPED_TRACE(procedure.toStdString());
        const auto posted = post(procedure, kDay, kDay);
        ASSERT_EQ(posted.size(), 2u);
        const auto range = c.OpenCursor(QStringLiteral("select COMP_FACT_PRIMERA, COMP_FACT_ULTIMA, COMP_FACTURAS "
                                                       "from COMPROBANTE where TICO_CODIGO = ? order by COMP_NUMERO"),
                                        {textParam(posted[0].kind)});
        ASSERT_TRUE(range->next());
        EXPECT_EQ(range->value(0), Value(9));
        EXPECT_EQ(range->value(1), Value(17));
        EXPECT_EQ(range->value(2), Value(3));
        ASSERT_TRUE(range->next());
        EXPECT_EQ(range->value(0), Value(2));
        EXPECT_EQ(range->value(1), Value(2));
        range->close();

        // Credits carry the tax number, debits (cash, card) none.
        auto cur = c.OpenCursor(
            QStringLiteral("select iif(d.CODE_CREDITO > 0, 'credit', 'debit'), coalesce(d.CODE_NIT, '-'), count(*) "
                           "from COMPROBANTE v join COMPROBANTE_DET d on d.COMP_ID = v.COMP_ID "
                           "where v.TICO_CODIGO = ? group by 1, 2 order by 1, 2"),
            {textParam(posted[0].kind)});
        QStringList groups;
        while (cur->next())
            groups << cur->value(0).get<QString>().trimmed() + QLatin1Char(' ') + cur->value(1).get<QString>() +
                          QLatin1Char(' ') + cur->value(2).debugText();
        // PV01: revenue at 0, 5, 19 and VAT at 5, 19; cash at 0, 5, 19 and card at 19.
        // PV02: revenue and cash at 0.
        EXPECT_EQ(groups, (QStringList{QStringLiteral("credit 222222222 6"), QStringLiteral("debit - 5")}));
    }
}

} // namespace
