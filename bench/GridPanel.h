#pragma once
// A "Tarifas" grid over AJUSTE_CIERRE of a benchmark database, packets of 1000 rows
// as in the window, shown (offscreen) at the panel's size and holding the focus.

#include "bench/BenchDatabase.h"
#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"
#include "data/TSQLDataSet.h"
#include "grid/DataGrid.h"

struct GridPanel {
    BenchDatabase db;
    TSQLConnection connection;
    TSQLTable table{&connection};
    TDataSetProvider provider{&table};
    TClientDataSet cds;
    DataGrid grid;

    explicit GridPanel(int rows) {
        db.fillAdjustments(rows);
        connection.Params().setValue(QStringLiteral("Database"), db.path());
        connection.Params().setValue(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        connection.Params().setValue(QStringLiteral("password"), QStringLiteral("masterkey"));
        table.TableName = QStringLiteral("AJUSTE_CIERRE");
        cds.Name = QStringLiteral("CAjuste");
        cds.Provider = &provider;
        cds.PacketRecords = 1000;
        cds.declareField(QStringLiteral("AJCI_ID"), FieldType::Integer, 0, true);
        cds.declareField(QStringLiteral("AJCI_FECINI"), FieldType::Date, 0, false, QStringLiteral("F.Desde"));
        cds.declareField(QStringLiteral("AJCI_FECFIN"), FieldType::Date, 0, false, QStringLiteral("F.Hasta"));
        cds.declareField(QStringLiteral("AJCI_PORC"), FieldType::Decimal, 4, false, QStringLiteral("Porc"));
        cds.declareField(QStringLiteral("AJCI_FACTOR"), FieldType::Decimal, 4, false, QStringLiteral("Factor"));
        cds.declareField(QStringLiteral("AJCI_PREFNO"), FieldType::String, 4, false, QStringLiteral("Pref.N/A"));
        grid.setColumns({{QStringLiteral("AJCI_FECINI"), QStringLiteral("F.Desde"), 75},
                         {QStringLiteral("AJCI_FECFIN"), QStringLiteral("F.Hasta"), 75},
                         {QStringLiteral("AJCI_PORC"), QStringLiteral("Porc"), 40},
                         {QStringLiteral("AJCI_FACTOR"), QStringLiteral("Factor"), 50},
                         {QStringLiteral("AJCI_PREFNO"), QStringLiteral("Pref.N/A"), 40}});
        grid.resize(305, 151); // the panel without its navigator
        grid.show();
        grid.setFocus();
    }
};
