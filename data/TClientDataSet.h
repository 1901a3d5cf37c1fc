#pragma once
// A cached dataset: the rows of its provider held in memory with a current row, a
// change log of net changes, an optional filter and its fields. All reading,
// editing and navigation of the window happens here; nothing reaches the database
// until the changes are applied.

#include "data/ChangeLog.h"
#include "data/DataPacket.h"
#include "data/TDataLink.h"
#include "data/TField.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TDataSetProvider;
class EDatabaseError;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
enum class TDataAction { daFail, daAbort, daRetry };

class TClientDataSet {
public:
    TClientDataSet();
    ~TClientDataSet();
    TClientDataSet(const TClientDataSet&) = delete;
    TClientDataSet& operator=(const TClientDataSet&) = delete;

    QString Name;
    TDataSetProvider* Provider = nullptr;
    QString ProviderName;
    // Rows asked of the provider per packet; -1 means everything at once.
    int PacketRecords = -1;
    // The SELECT text handed to the provider at the next opening (empty: none).
    QString CommandText;

    using ErrorEvent = std::function<void(TClientDataSet&, const EDatabaseError&, TDataAction&)>;
    std::function<void(TClientDataSet&)> AfterInsert;
    ErrorEvent OnPostError, OnEditError, OnDeleteError;

    // ---- Fields
    // Declares a persistent field, named after the dataset and the column. Declared
    // fields are bound to the result columns by name at every opening; a dataset with
    // none gets one field per column at each opening.
    TField& declareField(const QString& fieldName, FieldType type, int size = 0, bool required = false,
                         const QString& displayLabel = QString());
    int FieldCount() const { return int(fields_.size()); }
    TField* Fields(int i) const { return fields_.at(std::size_t(i)).get(); }
    TField* FindField(const QString& name) const;
    // Raises "Field '%s' not found".
    TField& FieldByName(const QString& name) const;

    // ---- Opening and closing
    void Open();
    void Close();
    bool Active() const { return state_ != TDataSetState::dsInactive; }
    void setActive(bool active) { active ? Open() : Close(); }
    TDataSetState State() const { return state_; }

    // ---- Filter
    const QString& Filter() const { return filter_; }
    void setFilter(const QString& text);
    bool Filtered() const { return filtered_; }
    void setFiltered(bool on);

    // ---- Navigation
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const;
    void First();
    void Prior();
    void Next();
    void Last();
    // Moves by n visible rows (negative: back); returns how far it moved.
    int MoveBy(int n);
    bool Locate(const QString& fieldName, const Value& value);

    // ---- Editing
    void Insert();
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Whether a field of the current row changed since edit or insert began.
    bool Modified() const { return modified_; }
    bool CanModify() const { return Active(); }
    // The number of rows with a net change.
    int ChangeCount() const;

    // ---- Applying changes
    // Writes the net changes through the provider; returns the number of failed rows.
    int ApplyUpdates(int maxErrors);
    // The net changes, in the order they were made.
    UpdateBatch changeBatch() const;
    // After an apply: the rows applied take their current values as their own and
    // leave the change log; the others keep their changes pending.
    void acceptChanges(const std::vector<std::uint32_t>& appliedRowIds);

    // ---- For bound controls
    void addLink(TDataLink* link);
    void removeLink(TDataLink* link);
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }
    // Visible rows and the current row's place among them (0-based; -1 when none).
    int RecordCount() const;
    int RecNo() const;
    // A field's value in another visible row, for display.
    Value valueAt(int visibleIndex, const TField& field) const;
    // Writes pending control text, then posts a changed row or abandons an untouched
    // one; a failing post stops the caller there.
    void CheckBrowseMode();

    // ---- Used by TField
    Value fieldValue(const TField& field) const;
    void setFieldValue(TField& field, const Value& v);

    struct Impl;

private:
    void checkActive() const;
    void activateFilter();
    void dropAutomaticFields();
    void fetchAll();
    bool fetchPacket();
    void notifyDataSetChanged();
    void notifyStateChanged();
    void notifyRecordChanged(TField* field);
    void updateControls();
    void startRow(bool append);
    void setCurrentAfterRemoval(int removedAt);
    // Runs a storing step; a database error goes to the event, which fails,
    // aborts silently or retries.
    template <typename Step> void withErrorEvent(const ErrorEvent& event, Step step);

    std::vector<std::unique_ptr<TField>> fields_;
    std::unique_ptr<Impl> d_;
    TDataSetState state_ = TDataSetState::dsInactive;
    QString filter_;
    bool filtered_ = false;
    bool modified_ = false;
    int disableCount_ = 0;
    std::vector<TDataLink*> links_;
};
