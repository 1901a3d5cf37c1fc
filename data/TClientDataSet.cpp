// Opening, closing, fields and bound controls of a cached dataset.

#include "data/TClientDataSet.h"

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/TDataSetProvider.h"
#include "data/detail/DataSetImpl.h"

#include <algorithm>

TClientDataSet::TClientDataSet() : d_(std::make_unique<Impl>()) {}

TClientDataSet::~TClientDataSet() {
    // Bound controls may outlive the dataset: they hear of it while it still exists.
    for (TDataLink* link : std::vector(links_))
        link->dataSetDestroyed();
}

TField& TClientDataSet::declareField(const QString& fieldName, FieldType type, int size, bool required,
                                     const QString& displayLabel) {
    auto field = std::make_unique<TField>(*this, fieldName, type, size, required);
    field->Name = Name + fieldName;
    field->DisplayLabel = displayLabel;
    fields_.push_back(std::move(field));
    d_->declaredBound.push_back(true);
    return *fields_.back();
}

TField* TClientDataSet::FindField(const QString& name) const {
    for (const auto& f : fields_)
        if (f->FieldName.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

TField& TClientDataSet::FieldByName(const QString& name) const {
    if (TField* f = FindField(name))
        return *f;
    throw EDatabaseError(dsmsg::fieldNotFound().arg(name));
}

namespace {

// Declared fields take their columns by name; a dataset without declared fields
// gets one field per column.
void bindFields(TClientDataSet& ds, std::vector<std::unique_ptr<TField>>& fields, std::vector<bool>& declared,
                const RowLayout& layout, const std::function<void(TField&, int, FieldType, int, int)>& bind) {
    if (fields.empty()) {
        for (int c = 0; c < layout.columnCount(); ++c) {
            const ColumnDesc& col = layout.columns()[std::size_t(c)];
            auto field = std::make_unique<TField>(ds, col.name, col.type, col.size, col.required);
            field->Name = ds.Name + col.name;
            bind(*field, c, col.type, col.size, col.precision);
            fields.push_back(std::move(field));
            declared.push_back(false);
        }
        return;
    }
    for (auto& f : fields) {
        const int c = layout.indexOf(f->FieldName);
        if (c < 0)
            throw EDatabaseError(dsmsg::fieldNotFound().arg(f->displayName()));
        const ColumnDesc& col = layout.columns()[std::size_t(c)];
        if (col.type != f->DataType())
            throw EDatabaseError(dsmsg::typeMismatch().arg(f->displayName(), fieldTypeName(f->DataType()),
                                                           fieldTypeName(col.type)));
        int size = f->Size();
        if (col.type == FieldType::Decimal && col.size != f->Size())
            throw EDatabaseError(dsmsg::sizeMismatch().arg(f->displayName()).arg(f->Size()).arg(col.size));
        if (col.type == FieldType::String && col.size < size)
            size = col.size; // a shorter text column shrinks the field
        bind(*f, c, col.type, size, f->Precision());
    }
}

} // namespace

void TClientDataSet::Open() {
    if (Active())
        return;
    if (!Provider)
        throw EDatabaseError(dsmsg::noProvider());
    DataPacket packet =
        Provider->GetRecords(PacketRecords, TDataSetProvider::RequestFlag::grMetaData, CommandText);
    Impl& d = *d_;
    try {
        d.clear();
        d.layout = packet.layout;
        bindFields(*this, fields_, d.declaredBound, d.layout,
                   [](TField& f, int column, FieldType type, int size, int precision) {
                       f.bind(column, type, size, precision);
                   });
        const int received = packet.rowCount;
        d.appendPacket(std::move(packet));
        d.fullyFetched = PacketRecords < 0 || received < PacketRecords;
        state_ = TDataSetState::dsBrowse;
        if (filtered_ && !filter_.trimmed().isEmpty())
            activateFilter();
    } catch (...) {
        // A failed opening leaves the dataset closed and the source let go.
        state_ = TDataSetState::dsInactive;
        d.clear();
        dropAutomaticFields();
        Provider->Reset();
        throw;
    }
    d.current = d.nextVisible(-1);
    d.bof = true;
    d.eof = d.current < 0;
    for (TDataLink* link : std::vector(links_))
        link->layoutChanged(), link->activeChanged();
}

void TClientDataSet::Close() {
    if (!Active())
        return;
    // Closing discards every row and every unapplied change; a pending row is dropped.
    state_ = TDataSetState::dsInactive;
    modified_ = false;
    d_->clear();
    d_->filter.reset();
    dropAutomaticFields();
    if (Provider)
        Provider->GetRecords(0, TDataSetProvider::RequestFlag::grReset, QString());
    for (TDataLink* link : std::vector(links_))
        link->activeChanged(), link->layoutChanged();
}

void TClientDataSet::dropAutomaticFields() {
    for (std::size_t i = fields_.size(); i-- > 0;) {
        if (!d_->declaredBound[i]) {
            fields_.erase(fields_.begin() + std::ptrdiff_t(i));
            d_->declaredBound.erase(d_->declaredBound.begin() + std::ptrdiff_t(i));
        }
    }
}

void TClientDataSet::checkActive() const {
    if (!Active())
        throw EDatabaseError(dsmsg::closedDataSet());
}

// ---- Bound controls

void TClientDataSet::addLink(TDataLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TClientDataSet::removeLink(TDataLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TClientDataSet::DisableControls() { ++disableCount_; }

void TClientDataSet::EnableControls() {
    if (disableCount_ > 0 && --disableCount_ == 0)
        notifyDataSetChanged();
}

void TClientDataSet::notifyDataSetChanged() {
    if (ControlsDisabled())
        return;
    for (TDataLink* link : std::vector(links_))
        link->dataSetChanged();
}

void TClientDataSet::notifyStateChanged() {
    if (ControlsDisabled())
        return;
    for (TDataLink* link : std::vector(links_))
        link->stateChanged();
}

void TClientDataSet::notifyRecordChanged(TField* field) {
    if (ControlsDisabled())
        return;
    for (TDataLink* link : std::vector(links_))
        link->recordChanged(field);
}

void TClientDataSet::updateControls() {
    for (TDataLink* link : std::vector(links_))
        link->updateData();
}

int TClientDataSet::RecordCount() const { return Active() ? int(d_->visibleRows().size()) : 0; }

int TClientDataSet::RecNo() const {
    if (!Active() || d_->current < 0)
        return -1;
    const auto& v = d_->visibleRows();
    const auto it = std::lower_bound(v.begin(), v.end(), d_->current);
    return it != v.end() && *it == d_->current ? int(it - v.begin()) : -1;
}

Value TClientDataSet::valueAt(int visibleIndex, const TField& field) const {
    const auto& v = d_->visibleRows();
    if (!Active() || visibleIndex < 0 || visibleIndex >= int(v.size()) || field.column_ < 0)
        return Value::null();
    const int row = v[std::size_t(visibleIndex)];
    if (row == d_->current && (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert))
        return d_->editBuffer[std::size_t(field.column_)];
    return d_->storedValue(d_->rows[std::size_t(row)], field.column_);
}

Value TClientDataSet::fieldValue(const TField& field) const {
    if (!Active() || field.column_ < 0)
        return Value::null();
    if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
        return d_->editBuffer[std::size_t(field.column_)];
    if (d_->current < 0)
        return Value::null();
    return d_->storedValue(d_->rows[std::size_t(d_->current)], field.column_);
}

void TClientDataSet::setFieldValue(TField& field, const Value& v) {
    if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
        throw EDatabaseError(dsmsg::notEditing());
    d_->editBuffer[std::size_t(field.column_)] = v;
    modified_ = true;
    notifyRecordChanged(&field);
}
