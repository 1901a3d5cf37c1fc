// Editing a cached dataset and keeping its change log: every row knows its net
// change, and when it last changed.

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/TClientDataSet.h"
#include "data/detail/DataSetImpl.h"

#include <algorithm>
#include <unordered_set>

using detail::Row;
using detail::RowState;

template <typename Step> void TClientDataSet::withErrorEvent(const ErrorEvent& event, Step step) {
    for (;;) {
        try {
            step();
            return;
        } catch (const EDatabaseError& e) {
            if (!event)
                throw;
            TDataAction action = TDataAction::daFail;
            event(*this, e, action);
            if (action == TDataAction::daFail)
                throw;
            if (action == TDataAction::daAbort)
                throw EAbort();
            // daRetry: run the step again.
        }
    }
}

void TClientDataSet::CheckBrowseMode() {
    checkActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    updateControls();
    if (modified_)
        Post();
    else
        Cancel();
}

void TClientDataSet::startRow(bool append) {
    checkActive();
    CheckBrowseMode();
    if (append)
        fetchAll();
    Impl& d = *d_;
    Row row;
    row.id = d.nextRowId++;
    row.state = RowState::Inserted;
    row.pendingInsert = true;
    row.change = std::make_unique<detail::RowChange>();
    // Before the current row, or after the last one; the only row of an empty view.
    int at = append || d.current < 0 ? int(d.rows.size()) : d.current;
    d.rows.insert(d.rows.begin() + at, std::move(row));
    d.visibleDirty = true;
    d.current = at;
    d.bof = false;
    d.eof = append; // an appended row is the last one
    d.editBuffer.assign(std::size_t(d.layout.columnCount()), Value::unset());
    state_ = TDataSetState::dsInsert;
    modified_ = false;
    notifyStateChanged();
    notifyDataSetChanged();
    if (AfterInsert)
        AfterInsert(*this);
}

void TClientDataSet::Insert() { startRow(false); }
void TClientDataSet::Append() { startRow(true); }

void TClientDataSet::Edit() {
    checkActive();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        return;
    if (IsEmpty()) {
        Insert();
        return;
    }
    withErrorEvent(OnEditError, [&] {
        Impl& d = *d_;
        d.editBuffer = d.currentValues(d.rows[std::size_t(d.current)]);
    });
    state_ = TDataSetState::dsEdit;
    modified_ = false;
    notifyStateChanged();
}

void TClientDataSet::Post() {
    checkActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        throw EDatabaseError(dsmsg::notEditing());
    updateControls();
    Impl& d = *d_;
    withErrorEvent(OnPostError, [&] {
        for (const auto& f : fields_) {
            const Value& v = d.editBuffer[std::size_t(f->column_)];
            if (f->Required && !f->ReadOnly && (v.isNull() || v.isUnset()))
                throw EDatabaseError(dsmsg::mustHaveValue().arg(f->displayName()));
        }
    });
    Row& row = d.rows[std::size_t(d.current)];
    if (state_ == TDataSetState::dsInsert) {
        row.pendingInsert = false;
        row.change->current = d.editBuffer;
        row.change->sequence = d.nextSequence++;
    } else if (modified_) {
        if (!row.change)
            row.change = std::make_unique<detail::RowChange>();
        if (row.state == RowState::Unchanged)
            row.state = RowState::Modified;
        row.change->current = d.editBuffer;
        row.change->sequence = d.nextSequence++;
    }
    d.editBuffer.clear();
    d.visibleDirty = true;
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    // A row the filter no longer shows leaves the view.
    if (!d.visible(d.current))
        setCurrentAfterRemoval(d.current + 1);
    notifyStateChanged();
    notifyDataSetChanged();
}

void TClientDataSet::Cancel() {
    checkActive();
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        return;
    Impl& d = *d_;
    const bool inserting = state_ == TDataSetState::dsInsert;
    d.editBuffer.clear();
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    if (inserting) {
        const int at = d.current;
        d.rows.erase(d.rows.begin() + at);
        d.visibleDirty = true;
        // The row that was current when the insert began is current again.
        setCurrentAfterRemoval(at);
    }
    notifyStateChanged();
    notifyDataSetChanged();
}

void TClientDataSet::setCurrentAfterRemoval(int removedAt) {
    Impl& d = *d_;
    int next = d.nextVisible(removedAt - 1);
    if (next < 0)
        next = d.priorVisible(removedAt);
    d.current = next;
    d.bof = d.current < 0 || d.priorVisible(d.current) < 0;
    d.eof = d.current < 0;
}

void TClientDataSet::Delete() {
    checkActive();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (IsEmpty())
        throw EDatabaseError(dsmsg::emptyDataSet());
    Impl& d = *d_;
    withErrorEvent(OnDeleteError, [&] {
        Row& row = d.rows[std::size_t(d.current)];
        const int at = d.current;
        const bool erased = row.state == RowState::Inserted;
        if (erased) {
            // Inserted and deleted before applying: nothing is left of it.
            d.rows.erase(d.rows.begin() + at);
        } else {
            row.state = RowState::Deleted;
            if (!row.change)
                row.change = std::make_unique<detail::RowChange>();
            row.change->current.clear(); // a deletion carries the old values only
            row.change->sequence = d.nextSequence++;
        }
        d.visibleDirty = true;
        setCurrentAfterRemoval(erased ? at : at + 1);
    });
    d.editBuffer.clear();
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    notifyStateChanged();
    notifyDataSetChanged();
}

int TClientDataSet::ChangeCount() const {
    if (!Active())
        return 0;
    return int(std::count_if(d_->rows.begin(), d_->rows.end(), [](const Row& r) {
        return r.state != RowState::Unchanged && !r.pendingInsert;
    }));
}

UpdateBatch TClientDataSet::changeBatch() const {
    UpdateBatch batch;
    if (!Active())
        return batch;
    const Impl& d = *d_;
    batch.layout = d.layout;
    std::vector<const Row*> changed;
    for (const Row& r : d.rows)
        if (r.state != RowState::Unchanged && !r.pendingInsert)
            changed.push_back(&r);
    std::sort(changed.begin(), changed.end(),
              [](const Row* a, const Row* b) { return a->change->sequence < b->change->sequence; });
    for (const Row* r : changed) {
        UpdateEntry e;
        e.rowId = r->id;
        switch (r->state) {
        case RowState::Inserted:
            e.kind = UpdateKind::ukInsert;
            e.newValues = r->change->current;
            break;
        case RowState::Modified: {
            e.kind = UpdateKind::ukModify;
            e.oldValues = d.oldValues(*r);
            e.newValues = r->change->current;
            // A value equal to the old one is no change.
            for (std::size_t c = 0; c < e.newValues.size(); ++c)
                if (e.newValues[c] == e.oldValues[c])
                    e.newValues[c] = Value::unset();
            break;
        }
        default:
            e.kind = UpdateKind::ukDelete;
            e.oldValues = d.oldValues(*r);
            break;
        }
        batch.entries.push_back(std::move(e));
    }
    return batch;
}

void TClientDataSet::acceptChanges(const std::vector<std::uint32_t>& appliedRowIds) {
    if (!Active() || appliedRowIds.empty())
        return;
    Impl& d = *d_;
    const std::unordered_set<std::uint32_t> applied(appliedRowIds.begin(), appliedRowIds.end());
    const std::uint32_t currentId = d.current >= 0 ? d.rows[std::size_t(d.current)].id : 0;
    std::vector<Row> kept;
    kept.reserve(d.rows.size());
    for (Row& r : d.rows) {
        if (!applied.count(r.id) || r.state == RowState::Unchanged || r.pendingInsert) {
            kept.push_back(std::move(r));
            continue;
        }
        if (r.state == RowState::Deleted)
            continue; // gone from the database: gone from the cache
        // The current values become the row's own; a column left out of the INSERT
        // holds null in the database.
        r.change->old = std::move(r.change->current);
        for (Value& v : r.change->old)
            if (v.isUnset())
                v = Value::null();
        r.change->current.clear();
        r.fetched = -1;
        r.state = RowState::Unchanged;
        kept.push_back(std::move(r));
    }
    d.rows = std::move(kept);
    d.visibleDirty = true;
    d.current = -1;
    for (int i = 0; i < int(d.rows.size()); ++i)
        if (d.rows[std::size_t(i)].id == currentId)
            d.current = i;
    if (d.current < 0 || !d.visible(d.current))
        d.current = d.nextVisible(-1);
    d.eof = d.current < 0;
    notifyDataSetChanged();
}
