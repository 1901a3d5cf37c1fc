#pragma once
// What a provider hands a cached dataset: a description of every column and up to
// the asked number of rows, each a block laid out as the row layout says.

#include "data/RowLayout.h"

#include <cstddef>
#include <vector>

struct DataPacket {
    RowLayout layout;            // always present: the columns of the source's result
    std::vector<std::byte> rows; // rowCount blocks of layout.rowSize() bytes
    int rowCount = 0;
};
