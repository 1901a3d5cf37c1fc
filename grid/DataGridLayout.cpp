// Where the grid's rows and columns lie, and which records and columns are in view.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "grid/CellEditor.h"

#include "grid/UserAction.h"

#include <QEvent>
#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>

void DataGrid::computeRowHeights() {
    const int textHeight = QFontMetrics(font()).height();
    titleHeight_ = textHeight + 4;
    rowHeight_ = textHeight + 3 + 1; // the row's grid line included
}

void DataGrid::bindColumns() {
    for (GridColumn& column : columns_)
        column.field = active() ? dataSet_->FindField(column.fieldName) : nullptr;
    viewport()->update();
}

int DataGrid::fullyVisibleRows() const {
    return std::max(1, (viewport()->height() - titleHeight_) / rowHeight_);
}

int DataGrid::shownRows() const {
    const int room = viewport()->height() - titleHeight_;
    return room <= 0 ? 0 : (room + rowHeight_ - 1) / rowHeight_;
}

int DataGrid::currentScreenRow() const {
    const int current = currentRecord();
    if (current < 0)
        return active() && recordCount() == 0 ? 0 : -1; // an empty dataset edits its first row
    const int row = current - topRecord_;
    return row >= 0 && row < shownRows() ? row : -1;
}

int DataGrid::columnLeft(int column) const {
    if (column < leftColumn_ || column >= int(columns_.size()))
        return -1;
    int x = dataAreaLeft();
    for (int c = leftColumn_; c < column; ++c)
        x += columns_[std::size_t(c)].width + 1;
    return x;
}

QRect DataGrid::cellRect(int column, int screenRow) const {
    const int left = columnLeft(column);
    if (left < 0)
        return {};
    return QRect(left, titleHeight_ + screenRow * rowHeight_, columns_[std::size_t(column)].width, rowHeight_ - 1);
}

QRect DataGrid::titleRect(int column) const {
    const int left = columnLeft(column);
    if (left < 0)
        return {};
    return QRect(left, 0, columns_[std::size_t(column)].width, titleHeight_ - 1);
}

QRect DataGrid::cellTextRect(const QRect& cell) { return cell.adjusted(2, 2, -2, 0); }

QString DataGrid::cellText(int column, int recordIndex) const {
    if (!active() || column < 0 || column >= int(columns_.size()))
        return {};
    const TField* field = columns_[std::size_t(column)].field;
    return field ? field->displayTextOf(dataSet_->valueAt(recordIndex, *field)) : QString();
}

// Keeps the current record among the rows shown whole, scrolling as little as
// possible, and fills the rows from above when the records below run out.
void DataGrid::followCurrentRecord() {
    const int count = recordCount();
    const int current = std::max(0, currentRecord());
    const int rows = fullyVisibleRows();
    if (current < topRecord_)
        topRecord_ = current;
    else if (current >= topRecord_ + rows)
        topRecord_ = current - rows + 1;
    if (topRecord_ + rows > count)
        topRecord_ = std::max(0, count - rows);
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void DataGrid::followCurrentColumn() {
    if (currentColumn_ < leftColumn_) {
        leftColumn_ = currentColumn_;
    } else {
        const int room = viewport()->width();
        while (leftColumn_ < currentColumn_) {
            const int left = columnLeft(currentColumn_);
            if (left + columns_[std::size_t(currentColumn_)].width <= room)
                break;
            ++leftColumn_;
        }
    }
    updateScrollBars();
    placeEditor();
}

void DataGrid::updateScrollBars() {
    // Vertical: where the current record stands among the records fetched so far;
    // moving the bar moves the dataset.
    QScrollBar* vertical = verticalScrollBar();
    const QSignalBlocker blockVertical(vertical);
    vertical->setRange(0, std::max(0, recordCount() - 1));
    vertical->setPageStep(fullyVisibleRows());
    vertical->setValue(std::max(0, currentRecord()));

    // Horizontal: one step per column, up to the first column from which all the
    // rest fit.
    int lastLeft = int(columns_.size()) - 1;
    int width = dataAreaLeft();
    for (int c = int(columns_.size()) - 1; c >= 0; --c) {
        width += columns_[std::size_t(c)].width + 1;
        if (width > viewport()->width())
            break;
        lastLeft = c;
    }
    lastLeft = std::max(0, lastLeft);
    QScrollBar* horizontal = horizontalScrollBar();
    const QSignalBlocker blockHorizontal(horizontal);
    horizontal->setRange(0, lastLeft);
    horizontal->setPageStep(1);
    leftColumn_ = std::min(leftColumn_, lastLeft);
    horizontal->setValue(leftColumn_);
}

void DataGrid::placeEditor() {
    if (!editorShown_)
        return;
    const int row = currentScreenRow();
    const QRect cell = row >= 0 ? cellRect(currentColumn_, row) : QRect();
    if (cell.isEmpty()) {
        editor_->setGeometry(-1000, -1000, 10, 10); // out of view, still open
        return;
    }
    editor_->setGeometry(cell);
}

void DataGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    followCurrentRecord();
    followCurrentColumn();
}

void DataGrid::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        computeRowHeights();
        followCurrentRecord();
    }
}

void DataGrid::scrollContentsBy(int, int) {
    // Only the horizontal bar scrolls the view; the vertical one moves the dataset.
    leftColumn_ = horizontalScrollBar()->value();
    placeEditor();
    viewport()->update();
}

void DataGrid::verticalScrollAction(int) {
    QScrollBar* bar = verticalScrollBar();
    const int target = bar->sliderPosition();
    if (active() && target != currentRecord())
        runUserAction([&] { moveRecordBy(target - currentRecord()); });
    // The bar shows where the dataset went, which is not always where it was asked to.
    bar->setSliderPosition(std::max(0, currentRecord()));
}
