#pragma once
// What the search tests share: rows with chosen prefixes, and the find dialog
// shown without a loop of its own so that the test drives it.

#include "grid/GridFindDialog.h"
#include "tests/grid/GridFixture.h"

#include <QComboBox>

class SearchTest : public GridTest {
protected:
    SearchTest() {
        GridFindDialog::setShowModal([](GridFindDialog& dialog) { dialog.show(); });
    }
    ~SearchTest() override {
        GridFindDialog::setShowModal({});
        GridFindDialog::releaseProgram();
    }
    // One row per prefix, in this order: ids from 1, starting 1, 2, 3... May 2026,
    // the rates 0, 5 and 19 in turn, factor 0.8; a null text leaves the prefix null.
    void openRows(const QStringList& prefixes) {
        const int rates[] = {0, 5, 19};
        for (int i = 0; i < prefixes.size(); ++i)
            rig.addAdjustment(i + 1, QDate(2026, 5, 1 + i), Currency::fromInteger(rates[i % 3]),
                              Currency::fromUnits(8000), prefixes[i].isNull() ? Value::null() : Value(prefixes[i]));
        ds.Open();
    }
    void goToColumn(Column column) {
        press(Qt::Key_Home);
        for (int c = 0; c < column; ++c)
            press(Qt::Key_Right);
    }
    GridFindDialog& dialog() const { return GridFindDialog::program(); }
    template <typename Control> Control* control(const char* name) const {
        return dialog().findChild<Control*>(QLatin1String(name));
    }
    QComboBox* combo(const char* name) const { return control<QComboBox>(name); }
};
