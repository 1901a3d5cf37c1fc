#pragma once

#include "data/Value.h"

// A positional statement parameter ("?"), typed after the field it belongs to.
// A null value is sent as null whatever the type.
struct SqlParam {
    FieldType type = FieldType::Unknown;
    Value value;
};
