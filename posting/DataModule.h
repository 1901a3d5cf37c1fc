#pragma once
// The data objects of the main window: the connection Quelmar, its sources, the
// providers over them and the cached datasets the window works on. Declared in
// the order they depend on each other, so they are destroyed the other way round.

#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"
#include "data/TSQLConnection.h"
#include "data/TSQLDataSet.h"

struct DataModule {
    DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    TSQLConnection Quelmar;

    // Sources
    TSQLQuery SQLQuery1{&Quelmar}; // the posting statement and the scratch query
    TSQLQuery QTarifas{&Quelmar};  // the VAT rates
    TSQLTable TAjuste{&Quelmar};   // AJUSTE_CIERRE
    TSQLTable TAjusteAu{&Quelmar}; // AJUSTE_CIERRE_AUTO
    TSQLStoredProc Scontapend{&Quelmar};

    // Providers
    TDataSetProvider PRepArticulos{&SQLQuery1};
    TDataSetProvider PBorrar{&SQLQuery1};
    TDataSetProvider Ptarifiva{&QTarifas};
    TDataSetProvider PAjuste{&TAjuste};
    TDataSetProvider PAjusteAu{&TAjusteAu};

    // Cached datasets
    TClientDataSet CRepArticulos; // runs the posting
    TClientDataSet Cborrar;       // finds the standing adjustment of a rate
    TClientDataSet CTarifas;      // the VAT rates
    TClientDataSet CAjuste;       // the run's closing adjustments ("Tarifas")
    TClientDataSet CAjusteAu;     // the standing ones ("Tarifas previstas")

    // Declared fields of CAjuste and CAjusteAu
    TField* CAjusteAJCI_ID = nullptr;
    TField* CAjusteAJCI_FECINI = nullptr;
    TField* CAjusteAJCI_FECFIN = nullptr;
    TField* CAjusteAJCI_PORC = nullptr;
    TField* CAjusteAJCI_FACTOR = nullptr;
    TField* CAjusteAJCI_PREFNO = nullptr;
    TField* CAjusteAuAJCI_ID = nullptr;
    TField* CAjusteAuAJCI_FECINI = nullptr;
    TField* CAjusteAuAJCI_FECFIN = nullptr;
    TField* CAjusteAuAJCI_PORC = nullptr;
    TField* CAjusteAuAJCI_FACTOR = nullptr;
    TField* CAjusteAuAJCI_PREFNO = nullptr;
};
