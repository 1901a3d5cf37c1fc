#include "tests/db/CashPostingTest.h"

SqlParam dateParam(QDate d) {
    return {FieldType::Date, Value(d)};
}
SqlParam textParam(const QString& s) {
    return {FieldType::String, Value(s)};
}
SqlParam intParam(qint64 i) {
    return {FieldType::Integer, Value(i)};
}
SqlParam decimalParam(Currency c) {
    return {FieldType::Decimal, Value(c)};
}

Currency cents(qint64 c) {
    return Currency::fromUnits(c * 100);
}
Currency factor(qint64 tenThousandths) {
    return Currency::fromUnits(tenThousandths);
}

Value scalar(TSQLConnection& c, const QString& sql, const std::vector<SqlParam>& params) {
    auto cur = c.OpenCursor(sql, params);
    if (!cur->next()) {
        ADD_FAILURE() << "no row: " << sql.toStdString();
        return {};
    }
    Value v = cur->value(0);
    cur->close();
    return v;
}

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EDatabaseError& e) {
        return e.message();
    }
    return {};
}

qint64 CashPosting::invoice(const QString& prefix, QDate date, const QString& nit, std::initializer_list<Line> lines,
                            qint64 number) {
    const qint64 id = ++lastInvoice;
    c.Execute(QStringLiteral("insert into FACTURA (FACT_ID, FACT_PREFIJO, FACT_NUMERO, FACT_FECHA, FACT_NIT) "
                             "values (?, ?, ?, ?, ?)"),
              {intParam(id), textParam(prefix), intParam(number ? number : id), dateParam(date), textParam(nit)});
    for (const Line& l : lines)
        c.Execute(QStringLiteral("insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                                 "values (?, ?, ?, ?)"),
                  {intParam(id), decimalParam(Currency::fromInteger(l.rate)), decimalParam(cents(l.base)),
                   decimalParam(cents(l.vat))});
    return id;
}

qint64 CashPosting::cashInvoice(QDate date, std::initializer_list<Line> lines, const QString& prefix) {
    return invoice(prefix, date, kCashCustomer, lines);
}

void CashPosting::adjustment(QDate first, QDate last, int rate, Currency f, const Value& prefix,
                             const QString& table) {
    c.Execute(QStringLiteral("insert into ") + table +
                  QStringLiteral(" (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO) "
                                 "values (0, ?, ?, ?, ?, ?)"),
              {dateParam(first),
               dateParam(last),
               decimalParam(Currency::fromInteger(rate)),
               decimalParam(f),
               {FieldType::String, prefix}});
}

std::vector<Posted> CashPosting::fetchPosted(std::unique_ptr<SqlCursor> cur) {
    std::vector<Posted> rows;
    while (cur->next())
        rows.push_back({cur->value(0).get<QDate>(), cur->value(1).get<QString>(), cur->value(2).get<QString>(),
                        cur->value(3).get<qint64>(), cur->value(4).get<qint64>(), cur->value(5).get<Currency>()});
    return rows;
}

std::vector<Posted> CashPosting::post(const QString& procedure, QDate first, QDate last) {
    return fetchPosted(c.OpenCursor(QStringLiteral("select FECHA, PREFIJO, TIPO, NUMERO, FACTURAS, TOTAL from ") +
                                        procedure + QStringLiteral("(?, ?)"),
                                    {dateParam(first), dateParam(last)}));
}

qint64 CashPosting::count(const QString& sql, const std::vector<SqlParam>& params) {
    return scalar(c, sql, params).get<qint64>();
}

qint64 CashPosting::unpostedCashInvoices(QDate date) {
    return count(QStringLiteral("select count(*) from FACTURA where FACT_FECHA = ? and FACT_NIT = ? "
                                "and FACT_COMP_LOCAL is null"),
                 {dateParam(date), textParam(kCashCustomer)});
}

std::vector<VoucherLine> CashPosting::lines(const QString& kind, qint64 number) {
    auto cur = c.OpenCursor(QStringLiteral("select coalesce(d.CODE_CUENTA, d.CODE_CUENTA_NIIF), a.CUEN_PLAN, d.CODE_PORC, "
                                           "d.CODE_DEBITO, d.CODE_CREDITO "
                                           "from COMPROBANTE v join COMPROBANTE_DET d on d.COMP_ID = v.COMP_ID "
                                           "join CUENTA a on a.CUEN_CODIGO = coalesce(d.CODE_CUENTA, d.CODE_CUENTA_NIIF) "
                                           "where v.TICO_CODIGO = ? and v.COMP_NUMERO = ? order by d.CODE_LINEA"),
                            {textParam(kind), intParam(number)});
    std::vector<VoucherLine> result;
    while (cur->next())
        result.push_back({cur->value(0).get<QString>(), cur->value(1).get<QString>(), cur->value(2).get<Currency>(),
                          cur->value(3).get<Currency>(), cur->value(4).get<Currency>()});
    return result;
}

Currency CashPosting::debitTo(const QString& kind, qint64 number, const QString& account) {
    Currency sum;
    for (const VoucherLine& l : lines(kind, number))
        if (l.account == account)
            sum.units += l.debit.units;
    return sum;
}
