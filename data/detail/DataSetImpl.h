#pragma once
// The row store behind a cached dataset. Private to the data layer.
//
// Fetched rows stay in the blocks the provider sent, in the chunks that
// brought them; a row that has changed carries its values beside it. The change log is
// not a list of its own: every row knows its net change and when it last changed.

#include "data/ChangeLog.h"
#include "data/RowLayout.h"
#include "data/TClientDataSet.h"
#include "data/detail/Filter.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace detail {

enum class RowState : std::uint8_t { Unchanged, Modified, Inserted, Deleted };

struct RowChange {
    std::vector<Value> old;     // the row's own values when it has no fetched block
    std::vector<Value> current; // the values now
    std::uint64_t sequence = 0; // when the row last changed
};

struct Row {
    std::int32_t fetched = -1; // block index in its chunk, -1 for none
    std::uint32_t chunk = 0;   // which chunk holds the block
    std::uint32_t id = 0;
    RowState state = RowState::Unchanged;
    bool pendingInsert = false; // started by insert or append and not yet posted
    std::unique_ptr<RowChange> change;
};

} // namespace detail

struct TClientDataSet::Impl {
    RowLayout layout;
    std::vector<std::vector<std::byte>> chunks; // fetched row blocks, in the chunks they came in
    std::vector<detail::Row> rows; // in row order
    int current = -1;              // index into rows; -1 when no row is visible
    bool bof = true, eof = true;
    bool fullyFetched = false;
    std::vector<Value> editBuffer; // the current row's values while editing or inserting
    std::optional<detail::CompiledFilter> filter;
    std::uint32_t nextRowId = 1;
    std::uint64_t nextSequence = 1;
    std::vector<bool> declaredBound; // which fields were declared (kept across closing)

    mutable std::vector<int> visibleCache;
    mutable bool visibleDirty = true;

    Value storedValue(const detail::Row& row, int column) const {
        if (row.change && !row.change->current.empty())
            return row.change->current[std::size_t(column)];
        return storedOld(row, column);
    }
    Value storedOld(const detail::Row& row, int column) const {
        if (row.fetched >= 0)
            return layout.value(chunks[row.chunk].data() + std::size_t(row.fetched) * layout.rowSize(), column);
        return row.change && !row.change->old.empty() ? row.change->old[std::size_t(column)] : Value::null();
    }
    std::vector<Value> currentValues(const detail::Row& row) const {
        std::vector<Value> v(std::size_t(layout.columnCount()));
        for (int c = 0; c < layout.columnCount(); ++c)
            v[std::size_t(c)] = storedValue(row, c);
        return v;
    }
    std::vector<Value> oldValues(const detail::Row& row) const {
        std::vector<Value> v(std::size_t(layout.columnCount()));
        for (int c = 0; c < layout.columnCount(); ++c)
            v[std::size_t(c)] = storedOld(row, c);
        return v;
    }
    bool visible(int i) const {
        const detail::Row& row = rows[std::size_t(i)];
        if (row.state == detail::RowState::Deleted)
            return false;
        if (row.pendingInsert || !filter)
            return true;
        return filter->accepts(storedValue(row, filter->column()));
    }
    const std::vector<int>& visibleRows() const {
        if (visibleDirty) {
            visibleCache.clear();
            for (int i = 0; i < int(rows.size()); ++i)
                if (visible(i))
                    visibleCache.push_back(i);
            visibleDirty = false;
        }
        return visibleCache;
    }
    int nextVisible(int from) const { // first visible index > from, or -1
        for (int i = from + 1; i < int(rows.size()); ++i)
            if (visible(i))
                return i;
        return -1;
    }
    int priorVisible(int from) const { // last visible index < from, or -1
        for (int i = std::min(from, int(rows.size())) - 1; i >= 0; --i)
            if (visible(i))
                return i;
        return -1;
    }
    void appendPacket(DataPacket&& packet) {
        rows.reserve(rows.size() + std::size_t(packet.rowCount));
        for (auto& chunk : packet.chunks) {
            const auto index = std::uint32_t(chunks.size());
            const int count = int(chunk.size() / std::max(1u, layout.rowSize()));
            chunks.push_back(std::move(chunk));
            for (int i = 0; i < count; ++i) {
                detail::Row row;
                row.fetched = i;
                row.chunk = index;
                row.id = nextRowId++;
                rows.push_back(std::move(row));
            }
        }
        visibleDirty = true;
    }
    void clear() {
        chunks.clear();
        chunks.shrink_to_fit();
        rows.clear();
        rows.shrink_to_fit();
        current = -1;
        bof = eof = true;
        fullyFetched = false;
        editBuffer.clear();
        visibleDirty = true;
    }
};
