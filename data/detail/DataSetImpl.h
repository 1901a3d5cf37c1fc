#pragma once
// The row store behind a cached dataset. Private to the data layer.
//
// Fetched rows stay in the blocks the provider sent, one after another in one
// arena; a row that has changed carries its values beside it. The change log is
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
    std::int32_t fetched = -1; // block index in the arena, -1 for none
    std::uint32_t id = 0;
    RowState state = RowState::Unchanged;
    bool pendingInsert = false; // started by insert or append and not yet posted
    std::unique_ptr<RowChange> change;
};

} // namespace detail

struct TClientDataSet::Impl {
    RowLayout layout;
    std::vector<std::byte> arena; // fetched row blocks
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
            return layout.value(arena.data() + std::size_t(row.fetched) * layout.rowSize(), column);
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
    void appendPacket(const DataPacket& packet) {
        const std::int32_t first = std::int32_t(arena.size() / std::max(1u, layout.rowSize()));
        arena.insert(arena.end(), packet.rows.begin(), packet.rows.end());
        rows.reserve(rows.size() + std::size_t(packet.rowCount));
        for (int i = 0; i < packet.rowCount; ++i) {
            detail::Row row;
            row.fetched = first + i;
            row.id = nextRowId++;
            rows.push_back(std::move(row));
        }
        visibleDirty = true;
    }
    void clear() {
        arena.clear();
        arena.shrink_to_fit();
        rows.clear();
        rows.shrink_to_fit();
        current = -1;
        bof = eof = true;
        fullyFetched = false;
        editBuffer.clear();
        visibleDirty = true;
    }
};
