#include "bench/CompanySales.h"

#include "data/TSQLConnection.h"

#include <stdexcept>

namespace {

SqlParam date(QDate d) {
    return {FieldType::Date, Value(d)};
}

} // namespace

void connectTo(TSQLConnection& c, const QString& path) {
    c.setConnected(false);
    c.Params().setValue(QStringLiteral("Database"), path);
    c.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    c.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
    c.setConnected(true);
}

void writeSales(TSQLConnection& c, QDate first, int days, SalesShape shape) {
    // Sale i of a day has lines at 19 %, then 5 %, then 0 %, one to three of them.
    c.Execute(QStringLiteral(
                  "execute block (first_day date = ?, days integer = ?, points integer = ?, sales integer = ?) as "
                  "declare d integer = 0; declare p integer; declare i integer; declare f integer; "
                  "declare n integer = 0; declare day_ date; "
                  "begin while (d < days) do begin day_ = dateadd(d day to first_day); p = 1; "
                  "while (p <= points) do begin i = 0; "
                  "while (i < sales) do begin "
                  "f = gen_id(GEN_FACTURA, 1); "
                  "insert into FACTURA (FACT_ID, FACT_PREFIJO, FACT_NUMERO, FACT_FECHA, FACT_NIT) "
                  "values (:f, 'P' || lpad(:p, 3, '0'), :f, :day_, '222222222222'); "
                  "insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                  "values (:f, 19, 1000 + mod(:f, 997), round((1000 + mod(:f, 997)) * 0.19, 2)); "
                  "if (mod(i, 3) > 0) then insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                  "values (:f, 5, 500 + mod(:f, 89), round((500 + mod(:f, 89)) * 0.05, 2)); "
                  "if (mod(i, 3) > 1) then insert into FACTURA_DET (FACT_ID, FADE_PORC, FADE_BASE, FADE_IVA) "
                  "values (:f, 0, 200 + mod(:f, 31), 0); "
                  "i = i + 1; end p = p + 1; end "
                  "insert into AJUSTE_CIERRE (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, AJCI_FACTOR, AJCI_PREFNO) "
                  "select 0, :day_, :day_, TAIV_PORC, 0.8, null from TARIFA_IVA; "
                  "d = d + 1; end end"),
              {date(first),
               {FieldType::Integer, Value(days)},
               {FieldType::Integer, Value(shape.pointsOfSale)},
               {FieldType::Integer, Value(shape.salesPerDay)}});
}

PageCounts pageCounts(TSQLConnection& c) {
    auto cur = c.OpenCursor(QStringLiteral("select i.MON$PAGE_FETCHES, i.MON$PAGE_READS from MON$ATTACHMENTS a "
                                           "join MON$IO_STATS i on i.MON$STAT_ID = a.MON$STAT_ID "
                                           "where a.MON$ATTACHMENT_ID = current_connection"));
    if (!cur->next())
        throw std::runtime_error("no attachment statistics");
    const PageCounts counts{cur->value(0).get<qint64>(), cur->value(1).get<qint64>()};
    cur->close();
    return counts;
}

int postLocal(TSQLConnection& c, QDate first, QDate last) {
    // The statement the tool sends, dates quoted year first.
    auto cur = c.OpenCursor(QStringLiteral("select * from contado_kalden('") + first.toString(Qt::ISODate) +
                            QStringLiteral("', '") + last.toString(Qt::ISODate) + QStringLiteral("')"));
    int vouchers = 0;
    while (cur->next())
        ++vouchers;
    return vouchers;
}
