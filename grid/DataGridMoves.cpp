// Moving the current cell, and the record operations of the keys: the blank
// record that Down and Tab append and Up drops, Insert, delete and Esc.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"

void DataGrid::setCurrentColumn(int column) {
    if (column < 0 || column >= int(columns_.size()))
        return;
    if (column == currentColumn_)
        return;
    CommitCellText();
    hideEditor();
    currentColumn_ = column;
    StopIncSearch();
    followCurrentColumn();
    viewport()->update();
}

void DataGrid::moveColumn(bool forward) {
    const int last = int(columns_.size()) - 1;
    if (last < 0)
        return;
    if (forward) {
        if (currentColumn_ < last) {
            setCurrentColumn(currentColumn_ + 1);
        } else {
            moveDown();
            setCurrentColumn(0);
        }
    } else {
        if (currentColumn_ > 0) {
            setCurrentColumn(currentColumn_ - 1);
        } else {
            moveUp();
            setCurrentColumn(last);
        }
    }
}

void DataGrid::moveRecordBy(int n) {
    if (!active())
        return;
    CommitCellText();
    if (n != 0)
        dataSet_->MoveBy(n);
}

void DataGrid::moveToEnd(bool last) {
    if (!active())
        return;
    CommitCellText();
    if (last)
        dataSet_->Last();
    else
        dataSet_->First();
}

bool DataGrid::untouchedNewRecord() const {
    return active() && dataSet_->State() == TDataSetState::dsInsert && !dataSet_->Modified() && !cellModified_;
}

bool DataGrid::newRecordIsLast() const { return currentRecord() == recordCount() - 1; }

void DataGrid::moveDown() {
    if (!active())
        return;
    const bool untouched = untouchedNewRecord();
    CommitCellText();
    if (untouched) {
        // One blank record at the end is enough; a blank one inserted between
        // others goes away.
        if (newRecordIsLast())
            return;
        dataSet_->Cancel();
    } else {
        dataSet_->MoveBy(1);
    }
    if (dataSet_->Eof() && canModify())
        dataSet_->Append();
}

void DataGrid::moveUp() {
    if (!active())
        return;
    const bool dropAppended = untouchedNewRecord() && newRecordIsLast();
    CommitCellText();
    if (dropAppended)
        dataSet_->Cancel();
    else
        dataSet_->MoveBy(-1);
}

void DataGrid::insertRecord() {
    if (!canModify())
        return;
    CommitCellText();
    hideEditor();
    dataSet_->Insert();
}

void DataGrid::deleteRecordAsking() {
    if (!canModify() || dataSet_->IsEmpty())
        return;
    if (askKeepingFocus(confirm_, QStringLiteral("Delete record?")))
        dataSet_->Delete();
}

void DataGrid::cancelEditing() {
    if (cellModified_)
        revertEditorText();
    else if (active() && dataSet_->State() != TDataSetState::dsBrowse)
        dataSet_->Cancel();
    hideEditor();
    abandonDrag();
}
