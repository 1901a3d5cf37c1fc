#pragma once
// A "Tarifas" panel for a test: a grid with its five columns and a navigator over
// CAjuste, in a shown and active window, on a company database of the test's own.
// Keys go to whatever has the focus, as the keyboard would send them; the delete
// question is answered by the test and the beep is counted.

#include "data/TClientDataSet.h"
#include "data/TField.h"
#include "grid/CellEditor.h"
#include "grid/DataGrid.h"
#include "grid/RecordNavigator.h"
#include "tests/fixtures/DataSetRig.h"
#include "tests/fixtures/QStringPrinter.h"
#include "tests/grid/GridTestApplication.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

// The columns of the "Tarifas" grid.
std::vector<GridColumn> tarifasColumns();

enum Column { FecIni, FecFin, Porc, Factor, PrefNo };

class GridTest : public ::testing::Test {
protected:
    GridTest();
    ~GridTest() override;

    // Opens CAjuste over `rows` rows with ids 1..rows.
    void open(int rows);
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString& text);
    QWidget* focused() const;
    TField& field(const char* name) const { return ds.FieldByName(QString::fromLatin1(name)); }
    // The id of the current record (-1 while it has none).
    int currentId() const;
    QString cell(int column, int record) const { return grid->cellText(column, record); }
    QStringList errors() { return GridTestApplication::takeErrors(); }
    TDataSetState state() const { return ds.State(); }
    // The centre of a cell on screen, in the viewport.
    QPoint cellCentre(int column, int screenRow) const { return grid->cellRect(column, screenRow).center(); }
    void click(QPoint pos, Qt::MouseButton button = Qt::LeftButton);

    DataSetRig rig;
    TClientDataSet& ds = rig.adjustments();
    QWidget window;
    DataGrid* grid = nullptr;
    RecordNavigator* navigator = nullptr;
    QLineEdit* elsewhere = nullptr; // another control of the window
    QStringList questions;
    bool answer = true;
    int beeps = 0;
};
