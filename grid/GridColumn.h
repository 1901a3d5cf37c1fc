#pragma once
// One column of a data grid: the field it shows, its title and its width.

#include <QString>

class TField;

struct GridColumn {
    QString fieldName;
    // The title row text; empty: the field's display label (or its name).
    QString title;
    // Pixels, without the grid line that follows the column.
    int width = 64;
    // Bound by name whenever the dataset opens or its fields change; null while
    // the dataset is closed or has no such field.
    TField* field = nullptr;

    QString caption() const;
};
