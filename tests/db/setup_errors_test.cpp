// A company set up wrongly for the posting: the fault is named in plain words,
// before anything is written, and the accounts of a rate keep to their charts.

#include "tests/db/CashPostingTest.h"

namespace {

class SetupErrors : public CashPosting {
protected:
    // Runs the posting, which must fail with the named exception and a message
    // containing every given text, and write nothing.
    void expectRefused(const QString& procedure, const QString& exception, const QStringList& texts) {
        const QString error = errorOf([&] { post(procedure, kDay, kDay.addDays(1)); });
        EXPECT_TRUE(error.contains(exception)) << error.toStdString();
        for (const QString& text : texts)
            EXPECT_TRUE(error.contains(text)) << text.toStdString() << " not in " << error.toStdString();
        EXPECT_EQ(count(QStringLiteral("select count(*) from COMPROBANTE")), 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from FACTURA where FACT_COMP_LOCAL is not null "
                                       "or FACT_COMP_NIIF is not null")),
                  0);
        EXPECT_EQ(count(QStringLiteral("select sum(TICO_CONSECUTIVO) from TIPO_COMPROBANTE")), 0);
    }
    // The fault is on the second day; the first would post.
    void twoDaysOfSales() {
        cashInvoice(kDay, {{0, 10000, 0}});
        cashInvoice(kDay.addDays(1), {{5, 10000, 500}, {19, 10000, 1900}});
    }
};

TEST_F(SetupErrors, AMissingOrMisplacedVoucherKindIsNamed) {
    twoDaysOfSales();
    c.Execute(QStringLiteral("delete from TIPO_COMPROBANTE where TICO_CODIGO = 'VCN'"));
    expectRefused(kNiif, QStringLiteral("E_CONTADO_TIPO"),
                  {QStringLiteral("Falta el tipo de comprobante VCN"), QStringLiteral("NIIF")});
    c.Execute(QStringLiteral("update TIPO_COMPROBANTE set TICO_LIBRO = 'N' where TICO_CODIGO = 'VC'"));
    expectRefused(kLocal, QStringLiteral("E_CONTADO_TIPO"), {QStringLiteral("VC"), QStringLiteral("libro NIIF")});
}

TEST_F(SetupErrors, AMissingAccountOfARateSoldInTheRangeIsNamed) {
    twoDaysOfSales();
    c.Execute(QStringLiteral("update CUENTA_TARIFA set CUTA_IVA_NIIF = null where CUTA_PORC = 19"));
    expectRefused(kNiif, QStringLiteral("E_CONTADO_CUENTAS"),
                  {QStringLiteral("CUTA_IVA_NIIF"), QStringLiteral("19.0000")});

    c.Execute(QStringLiteral("delete from CUENTA_TARIFA where CUTA_PORC = 5"));
    expectRefused(kLocal, QStringLiteral("E_CONTADO_CUENTAS"),
                  {QStringLiteral("No hay cuentas contables para la tarifa de IVA 5.0000")});

    // A rate nobody sold in the range stops nothing.
    EXPECT_EQ(post(kLocal, kDay, kDay).size(), 1u);
}

TEST_F(SetupErrors, AnAccountOfTheOtherChartIsNamed) {
    twoDaysOfSales();
    // As a database set up before the accounts were checked may hold.
    c.Execute(QStringLiteral("alter trigger CUENTA_TARIFA_BIU inactive"));
    c.Execute(QStringLiteral("update CUENTA_TARIFA set CUTA_INGRESO_NIIF = '41350503' where CUTA_PORC = 19"));
    c.Execute(QStringLiteral("alter trigger CUENTA_TARIFA_BIU active"));
    expectRefused(kNiif, QStringLiteral("E_CONTADO_PLAN"),
                  {QStringLiteral("41350503"), QStringLiteral("CUTA_INGRESO_NIIF"), QStringLiteral("plan local")});
    EXPECT_EQ(post(kLocal, kDay, kDay.addDays(1)).size(), 2u);
}

TEST_F(CashPosting, TheAccountsOfARateMustBeOfTheirColumnsChart) {
    const QStringList refused{
        QStringLiteral("update CUENTA_TARIFA set CUTA_CAJA_NIIF = '11050501'"),
        QStringLiteral("update CUENTA_TARIFA set CUTA_IVA = '2408010003' where CUTA_PORC = 19"),
        QStringLiteral("insert into CUENTA_TARIFA values (0, '1105050001', '1105050001', '13809501', '1380950001', "
                       "'41350501', '4135050001', null, null)"),
        // An account in use keeps its chart.
        QStringLiteral("update CUENTA set CUEN_PLAN = 'N' where CUEN_CODIGO = '11050501'"),
    };
    for (const QString& sql : refused) {
        const QString error = errorOf([&] { c.Execute(sql); });
        EXPECT_TRUE(error.contains(QStringLiteral("E_CONTADO_PLAN"))) << sql.toStdString() << ": "
                                                                      << error.toStdString();
    }
    EXPECT_TRUE(errorOf([&] { c.Execute(refused[0]); }).contains(QStringLiteral("CUTA_CAJA_NIIF")));

    // Accounts of the right chart are taken, and an account not in use may change chart.
    c.Execute(QStringLiteral("insert into CUENTA values ('11050502', 'Caja menor', 'L')"));
    EXPECT_EQ(errorOf([&] {
                  c.Execute(QStringLiteral("update CUENTA_TARIFA set CUTA_CAJA = '11050502'"));
              }),
              QString());
    EXPECT_EQ(errorOf([&] { c.Execute(QStringLiteral("update CUENTA set CUEN_PLAN = 'N' where CUEN_CODIGO = '11050501'")); }),
              QString());
}

} // namespace
