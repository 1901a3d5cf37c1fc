#include "posting/DataModule.h"

namespace {

void bind(TClientDataSet& dataSet, const char* name, TDataSetProvider& provider,
          const char* providerName) {
    dataSet.Name = QString::fromLatin1(name);
    provider.Name = QString::fromLatin1(providerName);
    dataSet.ProviderName = provider.Name;
    dataSet.Provider = &provider;
}

// The columns of AJUSTE_CIERRE and AJUSTE_CIERRE_AUTO, labelled with the titles
// of their grid columns.
struct AdjustmentLabels {
    const char* fecini;
    const char* fecfin;
    const char* porc;
};

void declareAdjustmentFields(TClientDataSet& dataSet, const AdjustmentLabels& labels,
                             TField** fields) {
    auto declare = [&](int i, const char* column, FieldType type, int size, bool required,
                       const char* label) {
        TField& field = dataSet.declareField(QString::fromLatin1(column), type, size, required,
                                             QString::fromLatin1(label));
        field.Name = dataSet.Name + field.FieldName;
        fields[i] = &field;
    };
    declare(0, "AJCI_ID", FieldType::Integer, 0, true, "");
    declare(1, "AJCI_FECINI", FieldType::Date, 0, false, labels.fecini);
    declare(2, "AJCI_FECFIN", FieldType::Date, 0, false, labels.fecfin);
    declare(3, "AJCI_PORC", FieldType::Decimal, 4, false, labels.porc);
    declare(4, "AJCI_FACTOR", FieldType::Decimal, 4, false, "Factor");
    declare(5, "AJCI_PREFNO", FieldType::String, 4, false, "Pref.N/A");
}

} // namespace

DataModule::DataModule() {
    Quelmar.Name = QStringLiteral("Quelmar");

    SQLQuery1.Name = QStringLiteral("SQLQuery1");
    QTarifas.Name = QStringLiteral("QTarifas");
    TAjuste.Name = QStringLiteral("TAjuste");
    TAjuste.TableName = QStringLiteral("AJUSTE_CIERRE");
    TAjusteAu.Name = QStringLiteral("TAjusteAu");
    TAjusteAu.TableName = QStringLiteral("AJUSTE_CIERRE_AUTO");
    Scontapend.Name = QStringLiteral("Scontapend");
    Scontapend.StoredProcName = QStringLiteral("CONTABILIZA_PENDIENTE");
    Scontapend.Params.resize(1);
    Scontapend.Params[0].name = QStringLiteral("IDCNT");
    Scontapend.Params[0].type = FieldType::Integer;
    Scontapend.Params[0].value = Value(0);

    // The query providers take their statement from the cached dataset.
    PRepArticulos.Options = TProviderOption::poAllowCommandText;
    PBorrar.Options = TProviderOption::poAllowCommandText;
    Ptarifiva.Options = TProviderOption::poAllowCommandText;

    bind(CRepArticulos, "CRepArticulos", PRepArticulos, "PRepArticulos");
    bind(Cborrar, "Cborrar", PBorrar, "PBorrar");
    bind(CTarifas, "CTarifas", Ptarifiva, "Ptarifiva");
    bind(CAjuste, "CAjuste", PAjuste, "PAjuste");
    bind(CAjusteAu, "CAjusteAu", PAjusteAu, "PAjusteAu");

    // Replaced by the posting statement before every opening.
    CRepArticulos.CommandText =
        QStringLiteral("select * from contado_kalden('2003-09-01', '2003-09-01')");
    CTarifas.CommandText = QStringLiteral("SELECT DISTINCT TAIV_PORC FROM TARIFA_IVA");

    TField* ajuste[6];
    declareAdjustmentFields(CAjuste, {"F.Desde", "F.Hasta", "Porc"}, ajuste);
    CAjusteAJCI_ID = ajuste[0];
    CAjusteAJCI_FECINI = ajuste[1];
    CAjusteAJCI_FECFIN = ajuste[2];
    CAjusteAJCI_PORC = ajuste[3];
    CAjusteAJCI_FACTOR = ajuste[4];
    CAjusteAJCI_PREFNO = ajuste[5];

    TField* ajusteAu[6];
    declareAdjustmentFields(CAjusteAu, {"Fec.Desde", "Fec.Hasta", "Porc."}, ajusteAu);
    CAjusteAuAJCI_ID = ajusteAu[0];
    CAjusteAuAJCI_FECINI = ajusteAu[1];
    CAjusteAuAJCI_FECFIN = ajusteAu[2];
    CAjusteAuAJCI_PORC = ajusteAu[3];
    CAjusteAuAJCI_FACTOR = ajusteAu[4];
    CAjusteAuAJCI_PREFNO = ajusteAu[5];
}
