#pragma once
// The rules of a run's closing adjustments, the rows of AJUSTE_CIERRE that start on
// the run's first day ("Tarifas"), and of the posting that reads them. They work on
// the data module alone: the window calls them from its panels and its posting
// button, the unattended run from its first activation.

#include "posting/DataModule.h"

#include <QDate>

// Opens "Tarifas" on the rows that start on `first` and marks every one deleted;
// the deletions stay pending in the cache until the rows are saved.
void openDaysAdjustmentsEmptied(DataModule& d, QDate first);

// What a person starts from: the day's rows emptied, then one row per VAT rate of
// the company, from `first` to `last`, each with the factor 0.8.
void startDaysAdjustments(DataModule& d, QDate first, QDate last);

// What an unattended run posts with: the day's rows emptied, then, for each VAT
// rate of the company, a copy of the standing row that covers `first` (of several,
// the one starting latest), from `first` to `last`. A rate no standing row covers
// gets no row.
void deriveDaysAdjustments(DataModule& d, QDate first, QDate last);

// Saves the pending changes of "Tarifas" in one batch that stops at the first
// refused row; true when every change was saved.
bool saveDaysAdjustments(DataModule& d);

// A new standing row starts with key 0; the database gives it its own.
void startStandingRow(DataModule& d);

// Runs the posting of the cash sales from `first` to `last` (NIIF books or not)
// and reads every row it returns before anything else happens: the procedure posts
// as it hands out its rows, so a result cut off after its first packet would be
// committed half posted. True when it returned a row, that is when it posted.
// The dataset CRepArticulos stays open on the rows.
bool postCashSales(DataModule& d, QDate first, QDate last, bool niif);
