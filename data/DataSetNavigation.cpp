// Moving through a cached dataset: fetching on demand, the filter and locate.

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"
#include "data/detail/DataSetImpl.h"

bool TClientDataSet::fetchPacket() {
    Impl& d = *d_;
    if (d.fullyFetched || !Provider)
        return false;
    DataPacket packet = Provider->GetRecords(PacketRecords, {}, QString());
    const int received = packet.rowCount;
    d.appendPacket(std::move(packet));
    d.fullyFetched = PacketRecords < 0 || received < PacketRecords;
    return received > 0;
}

void TClientDataSet::fetchAll() {
    Impl& d = *d_;
    if (d.fullyFetched || !Provider)
        return;
    // All remaining rows in one request.
    DataPacket packet = Provider->GetRecords(-1, {}, QString());
    d.appendPacket(std::move(packet));
    d.fullyFetched = true;
}

void TClientDataSet::activateFilter() {
    Impl& d = *d_;
    if (!filtered_ || filter_.trimmed().isEmpty()) {
        d.filter.reset();
    } else {
        QString fieldName, op, constant;
        const int column = detail::splitFilter(filter_, fieldName, op, constant) && FindField(fieldName)
                               ? FindField(fieldName)->column_
                               : -1;
        auto compiled = detail::CompiledFilter::compile(filter_, *this, column);
        fetchAll();
        d.filter = std::move(compiled);
    }
    d.visibleDirty = true;
    d.current = d.nextVisible(-1);
    d.bof = true;
    d.eof = d.current < 0;
    notifyDataSetChanged();
}

void TClientDataSet::setFilter(const QString& text) {
    if (text == filter_)
        return;
    const QString before = filter_;
    filter_ = text;
    if (Active() && filtered_) {
        CheckBrowseMode();
        try {
            activateFilter();
        } catch (...) {
            filter_ = before;
            throw;
        }
    }
}

void TClientDataSet::setFiltered(bool on) {
    if (on == filtered_)
        return;
    filtered_ = on;
    if (Active()) {
        CheckBrowseMode();
        try {
            activateFilter();
        } catch (...) {
            filtered_ = !on;
            throw;
        }
    }
}

bool TClientDataSet::Eof() const { return !Active() || d_->eof; }
bool TClientDataSet::Bof() const { return !Active() || d_->bof; }

bool TClientDataSet::IsEmpty() const {
    // Never fetches: what is in the cache decides.
    if (!Active())
        return true;
    if (d_->current >= 0)
        return false;
    return d_->visibleRows().empty();
}

void TClientDataSet::First() {
    checkActive();
    CheckBrowseMode();
    Impl& d = *d_;
    d.current = d.nextVisible(-1);
    d.bof = true;
    d.eof = d.current < 0;
    notifyDataSetChanged();
}

void TClientDataSet::Last() {
    checkActive();
    CheckBrowseMode();
    fetchAll();
    Impl& d = *d_;
    d.current = d.priorVisible(int(d.rows.size()));
    d.eof = true;
    d.bof = d.current < 0;
    notifyDataSetChanged();
}

void TClientDataSet::Next() { MoveBy(1); }
void TClientDataSet::Prior() { MoveBy(-1); }

int TClientDataSet::MoveBy(int n) {
    checkActive();
    CheckBrowseMode();
    Impl& d = *d_;
    int moved = 0;
    if (n > 0) {
        d.bof = false;
        while (moved < n) {
            int next = d.nextVisible(d.current);
            // Past the last fetched row: ask for the next packet.
            while (next < 0 && fetchPacket())
                next = d.nextVisible(d.current);
            if (next < 0) {
                d.eof = true;
                break;
            }
            d.current = next;
            d.eof = false;
            ++moved;
        }
    } else if (n < 0) {
        d.eof = false;
        while (moved > n) {
            const int prior = d.priorVisible(d.current);
            if (prior < 0) {
                d.bof = true;
                break;
            }
            d.current = prior;
            d.bof = false;
            --moved;
        }
    }
    notifyDataSetChanged();
    return moved;
}

bool TClientDataSet::Locate(const QString& fieldName, const Value& value) {
    checkActive();
    CheckBrowseMode();
    fetchAll();
    const TField& field = FieldByName(fieldName);
    Value target;
    try {
        target = field.convert(value);
    } catch (const EDatabaseError&) {
        return false; // a value the field cannot hold is in no row
    }
    Impl& d = *d_;
    for (int i : d.visibleRows()) {
        const Value v = d.storedValue(d.rows[std::size_t(i)], field.column_);
        if ((v.isUnset() ? Value::null() : v) == target) {
            d.current = i;
            d.bof = d.eof = false;
            notifyDataSetChanged();
            return true;
        }
    }
    return false;
}
