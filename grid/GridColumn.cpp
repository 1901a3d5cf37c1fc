#include "grid/GridColumn.h"

#include "data/TField.h"

QString GridColumn::caption() const {
    if (!title.isEmpty())
        return title;
    return field ? field->displayName() : fieldName;
}
