// The grid's keys, with the editor hidden or passing them on.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "grid/CellEditor.h"
#include "grid/KeyModifiers.h"
#include "grid/UserAction.h"

#include <QKeyEvent>

void DataGrid::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    runUserAction([&] { handled = keyEntry(event); });
    // What is not the grid's goes on to the window.
    event->setAccepted(handled);
}

bool DataGrid::keyEntry(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const int key = event->key();

    if (searchKey(event) || navigationKey(event) || editingKey(event))
        return true;

    // A character (or Backspace) opens the editor and goes into it.
    const QString text = event->text();
    const bool typed = key == Qt::Key_Backspace || (!text.isEmpty() && text.front().isPrint());
    if (typed && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        typeIntoEditor(event);
        return true;
    }
    return false;
}

bool DataGrid::navigationKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const int key = event->key();
    const bool ctrl = mods & Qt::ControlModifier;
    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return false; // Tab with Alt included: left to the window
    // Shift adds nothing to the moves: there is no selection to extend.
    switch (key) {
    case Qt::Key_Tab:
        if (!ctrl)
            moveColumn(!(mods & Qt::ShiftModifier));
        return !ctrl;
    case Qt::Key_Backtab:
        if (!ctrl)
            moveColumn(false);
        return !ctrl;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter is Tab, Shift+Enter is Shift+Tab.
        moveColumn(!(mods & Qt::ShiftModifier));
        return true;
    case Qt::Key_Left:
        if (ctrl)
            selectFirstColumn();
        else
            setCurrentColumn(currentColumn_ - 1);
        return true;
    case Qt::Key_Right:
        if (ctrl)
            selectLastColumn();
        else
            setCurrentColumn(currentColumn_ + 1);
        return true;
    case Qt::Key_Home:
        if (ctrl)
            moveToEnd(false);
        else
            selectFirstColumn();
        return true;
    case Qt::Key_End:
        if (ctrl)
            moveToEnd(true);
        else
            selectLastColumn();
        return true;
    case Qt::Key_Up:
        if (ctrl)
            moveRecordBy(topRecord_ - currentRecord());
        else
            moveUp();
        return true;
    case Qt::Key_Down:
        if (ctrl)
            moveRecordBy(std::min(topRecord_ + fullyVisibleRows(), recordCount()) - 1 - currentRecord());
        else
            moveDown();
        return true;
    case Qt::Key_PageUp:
        if (ctrl)
            moveRecordBy(topRecord_ - currentRecord());
        else
            moveRecordBy(-fullyVisibleRows());
        return true;
    case Qt::Key_PageDown:
        if (ctrl)
            moveRecordBy(std::min(topRecord_ + fullyVisibleRows(), recordCount()) - 1 - currentRecord());
        else
            moveRecordBy(fullyVisibleRows());
        return true;
    default: return false;
    }
}

bool DataGrid::editingKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const int key = event->key();
    if (mods == Qt::NoModifier) {
        switch (key) {
        case Qt::Key_F2: showEditor(EditorOpening::CaretAtEnd); return true;
        case Qt::Key_Insert: insertRecord(); return true;
        case Qt::Key_Escape: cancelEditing(); return true;
        case Qt::Key_Delete: return true; // deletes no cell text while the editor is hidden
        default: return false;
        }
    }
    if (mods == Qt::ControlModifier) {
        switch (key) {
        case Qt::Key_Delete: deleteRecordAsking(); return true;
        case Qt::Key_Apostrophe: copyFromRecordAbove(); return true;
        // No clipboard actions on cells.
        case Qt::Key_C:
        case Qt::Key_V:
        case Qt::Key_X:
        case Qt::Key_A:
        case Qt::Key_Insert: return true;
        default: return false;
        }
    }
    // Shift+Insert and Shift+Delete would paste and cut cells: nothing.
    return mods == Qt::ShiftModifier && (key == Qt::Key_Insert || key == Qt::Key_Delete);
}

void DataGrid::typeIntoEditor(QKeyEvent* event) {
    if (!canEditCurrentColumn() || searchMark_)
        return;
    showEditor(EditorOpening::SelectAll);
    if (editorShown_)
        editor_->typeKey(event);
}
