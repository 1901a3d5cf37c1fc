// The cell editor's life: opening it over the current cell, writing its text into
// the field or giving the field's text back, and values put into the cell by the
// calendar and by Ctrl+'.

#include "grid/DataGrid.h"

#include "data/FormatSettings.h"
#include "data/TClientDataSet.h"
#include "data/TField.h"
#include "grid/CellEditor.h"

#include <QApplication>
#include <QScopedValueRollback>

void DataGrid::CommitCellText() {
    if (!editorShown_ || !cellModified_)
        return;
    TField* field = currentField();
    if (!field || !active())
        return;
    editCurrentRecord();
    // Raises on a text the field cannot take; the editor keeps it.
    field->setEditText(editor_->text());
    cellModified_ = false;
}

void DataGrid::revertEditorText() {
    cellModified_ = false;
    reloadEditorText();
}

void DataGrid::reloadEditorText() {
    if (!editorShown_)
        return;
    const TField* field = currentField();
    editor_->setFieldText(field ? field->EditText() : QString());
}

void DataGrid::showEditor(EditorOpening opening) {
    TField* field = currentField();
    if (!active() || searchMark_ || !field)
        return;
    if (!editorShown_) {
        editorShown_ = true;
        cellModified_ = false;
        editorRecord_ = currentRecord();
        editorRecordCount_ = recordCount();
        editor_->open(*field);
        placeEditor();
        editor_->show();
    }
    if (opening == EditorOpening::SelectAll) {
        editor_->selectAll();
    } else {
        editor_->deselect();
        editor_->end(false);
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == this || isAncestorOf(focus)))
        editor_->setFocus(Qt::OtherFocusReason);
}

void DataGrid::hideEditor() {
    if (!editorShown_)
        return;
    editorShown_ = false;
    cellModified_ = false;
    editor_->closeCalendar();
    const bool hadFocus = editor_->hasFocus();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    editor_->hide();
    viewport()->update();
}

void DataGrid::editCurrentRecord() {
    if (dataSet_->State() != TDataSetState::dsBrowse)
        return;
    const QScopedValueRollback keep(keepEditor_, true);
    dataSet_->Edit();
    editorRecord_ = currentRecord();
    editorRecordCount_ = recordCount();
}

void DataGrid::beginCellChange() {
    if (cellModified_ || !canEditCurrentColumn())
        return; // the editor drops keys for a cell that cannot change
    // From here on the editor's text is the user's, whatever the dataset reports.
    cellModified_ = true;
    try {
        editCurrentRecord();
    } catch (...) {
        cellModified_ = false;
        throw;
    }
    viewport()->update();
}

void DataGrid::acceptCalendarDate(QDate date) {
    TField* field = currentField();
    if (!field || !canEditCurrentColumn())
        return;
    // The time of day of the previous value stays, when the text held a value.
    QTime time(0, 0);
    if (parseDateText(editor_->text()).isValid() && field->AsDateTime().isValid())
        time = field->AsDateTime().time();
    editCurrentRecord();
    field->setAsDateTime(QDateTime(date, time));
    cellModified_ = false;
    editor_->setFieldText(DateText(date));
    editor_->selectAll();
}

void DataGrid::copyFromRecordAbove() {
    const int current = currentRecord();
    TField* field = currentField();
    if (!active() || current <= topRecord_ || !field || !canEditCurrentColumn())
        return;
    Value above = dataSet_->valueAt(current - 1, *field);
    if (above.isUnset())
        above = Value::null();
    editCurrentRecord();
    field->setValue(above);
    cellModified_ = false;
    showEditor(EditorOpening::SelectAll);
    reloadEditorText();
    editor_->selectAll();
}
