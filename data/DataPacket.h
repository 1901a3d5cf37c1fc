#pragma once
// What a provider hands a cached dataset: a description of every column and up to
// the asked number of rows, each a block laid out as the row layout says. The
// blocks come in chunks of fixed size, so a packet of all remaining rows never
// reallocates as it fills and carries no slack worth mentioning.

#include "data/RowLayout.h"

#include <cstddef>
#include <vector>

struct DataPacket {
    static constexpr std::size_t ChunkBytes = 64 * 1024;

    RowLayout layout; // always present: the columns of the source's result
    std::vector<std::vector<std::byte>> chunks;
    int rowCount = 0;

    // Rows a chunk holds (at least one, however wide the row).
    std::size_t rowsPerChunk() const { return std::max<std::size_t>(1, ChunkBytes / std::max(1u, layout.rowSize())); }

    void append(const std::byte* row) {
        const std::size_t size = layout.rowSize();
        if (chunks.empty() || chunks.back().size() + size > chunks.back().capacity()) {
            chunks.emplace_back();
            chunks.back().reserve(rowsPerChunk() * size);
        }
        chunks.back().insert(chunks.back().end(), row, row + size);
        ++rowCount;
    }
};
