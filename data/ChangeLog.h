#pragma once
// The net changes of a cached dataset as the change-application side walks them.

#include "data/RowLayout.h"
#include "data/Value.h"

#include <cstdint>
#include <vector>

enum class UpdateKind { ukModify, ukInsert, ukDelete };

struct UpdateEntry {
    std::uint32_t rowId = 0; // identifies the row when the outcome is settled
    UpdateKind kind = UpdateKind::ukModify;
    // One value per column in source order. Old: as fetched (modified and deleted
    // rows). New (inserted and modified rows): a value, null, or unset; unset means
    // never set in an inserted row and unchanged in a modified row.
    std::vector<Value> oldValues;
    std::vector<Value> newValues;
};

struct UpdateBatch {
    RowLayout layout; // every column of the source's result, declared as a field or not
    std::vector<UpdateEntry> entries; // in the order the changes were made
};
