// The incremental search: Ctrl+F turns it on, typed characters extend the text it
// looks for at the start of the current column's cells, Ctrl+Enter and
// Ctrl+Shift+Enter go to the next and previous match, and the matched part of
// the current cell is painted in black on yellow. A second Ctrl+F opens the find
// dialog.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "data/TField.h"
#include "grid/CellTextLayout.h"
#include "grid/GridFindDialog.h"
#include "grid/KeyModifiers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

namespace {

const QColor kSearchBackground(255, 255, 0);

// A typed character that can extend the text: no control character, and no
// modifier that gives the key another meaning.
bool typedText(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || keyModifiers(event) & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    for (const QChar c : text)
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    return true;
}

} // namespace

void DataGrid::IncSearchStep(const QString& addText, FindDirection direction) {
    if (!active())
        return;
    const bool wasOn = searchMark_;
    const QString oldText = incSearchText_;
    QString newText = oldText + addText;
    bool found = false;
    try {
        if (!newText.isEmpty()) {
            found = FindCellText(QString(), newText,
                                 FindOption::CaseInsensitive | FindOption::MatchDisplayText | FindOption::EscapeAborts,
                                 direction, FindMatching::FromBeginning);
            // The text takes the capitals of the cell it was found in.
            if (found)
                newText = cellText(currentColumn_, currentRecord()).left(newText.size());
        }
        // The editor's text goes into the field before the editor goes.
        CommitCellText();
        hideEditor();
    } catch (...) {
        // The walk's own moves ended the search; it stays as it was before the step.
        searchMark_ = wasOn;
        incSearchText_ = oldText;
        viewport()->update();
        throw;
    }
    searchMark_ = true;
    incSearchText_ = found ? newText : oldText;
    viewport()->update();
}

void DataGrid::StopIncSearch() {
    if (!searchMark_)
        return;
    searchMark_ = false;
    incSearchText_.clear();
    viewport()->update();
}

void DataGrid::ShowFindDialog() { GridFindDialog::program().openFor(*this); }

bool DataGrid::searchKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const int key = event->key();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    // Ctrl+F and Ctrl+Enter mean nothing else in the grid, whatever the search does.
    const bool searchBinding = ctrl && !(mods & Qt::AltModifier) && (key == Qt::Key_F || isEnterKey(key));
    if (!active())
        return searchBinding;

    if (key == Qt::Key_F && mods == Qt::ControlModifier) {
        if (searchMark_) {
            StopIncSearch();
            ShowFindDialog();
        } else {
            IncSearchStep(QString(), FindDirection::FromFirst);
        }
        return true;
    }
    if (!searchMark_)
        return searchBinding;

    if (mods == Qt::NoModifier && (isEnterKey(key) || key == Qt::Key_Escape || key == Qt::Key_F2)) {
        StopIncSearch();
        return false; // and the key does what it always does
    }
    if (mods == Qt::NoModifier && key == Qt::Key_Backspace) {
        // One character less; nothing is searched and the row stays.
        const qsizetype size = incSearchText_.size();
        const bool pair = size >= 2 && incSearchText_.at(size - 1).isLowSurrogate() &&
                          incSearchText_.at(size - 2).isHighSurrogate();
        incSearchText_.chop(pair ? 2 : 1);
        viewport()->update();
        return true;
    }
    if (isEnterKey(key) && mods == Qt::ControlModifier) {
        IncSearchStep(QString(), FindDirection::Down);
        return true;
    }
    if (isEnterKey(key) && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        IncSearchStep(QString(), FindDirection::Up);
        return true;
    }
    // Pasting goes into the search, not into the cell.
    if ((ctrl && key == Qt::Key_V) || (shift && !ctrl && key == Qt::Key_Insert)) {
        IncSearchStep(QGuiApplication::clipboard()->text(), FindDirection::FromFirst);
        return true;
    }
    // While a row is being edited typed characters extend nothing (nor open the editor).
    if (typedText(event) && dataSet_->State() == TDataSetState::dsBrowse) {
        IncSearchStep(event->text(), FindDirection::FromFirst);
        return true;
    }
    return searchBinding;
}

void DataGrid::paintIncSearchText(QPainter& painter, const QRect& cell, int column, int record) const {
    const TField* field = columns_[std::size_t(column)].field;
    if (!field || incSearchText_.isEmpty())
        return;
    // Over the matched leading characters, wherever the cell's text put them: at
    // the right of a right-aligned text that fits, at the left of one that was cut.
    const QRect textRect = cellTextRect(cell);
    const CellTextPlacement placed =
        placeCellText(painter.fontMetrics(), textRect, cellText(column, record), field->Alignment());
    painter.save();
    painter.setClipRect(QRect(placed.left, cell.top(), placed.keptWidth, cell.height()).intersected(cell));
    painter.setPen(Qt::black);
    // Yellow behind the characters only.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(kSearchBackground);
    painter.drawText(QRect(placed.left, textRect.top(), textRect.right() - placed.left + 1, textRect.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, incSearchText_);
    painter.restore();
}
