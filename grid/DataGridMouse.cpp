// Clicks, the wheel, and dragging a title to size or move a column.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "grid/UserAction.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <cstdlib>

namespace {

// The sizing grip: from 3 pixels left to 4 pixels right of a column's right edge.
constexpr int kGripLeft = 3;
constexpr int kGripRight = 4;

} // namespace

bool DataGrid::viewportEvent(QEvent* event) {
    // The sizing cursor follows the pointer over the title row.
    if (event->type() == QEvent::MouseMove && drag_ == Drag::None) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (sizingEdgeAt(pos) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        else
            viewport()->unsetCursor();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

int DataGrid::sizingEdgeAt(QPoint pos) const {
    if (pos.y() < 0 || pos.y() >= titleHeight_)
        return -1;
    // The nearest right edge within reach of the pointer.
    int best = -1, bestDistance = kGripLeft + kGripRight + 1;
    for (int c = leftColumn_; c < int(columns_.size()); ++c) {
        const QRect title = titleRect(c);
        const int edge = title.right() + 1;
        const int distance = std::abs(pos.x() - edge);
        if (pos.x() >= edge - kGripLeft && pos.x() <= edge + kGripRight && distance < bestDistance)
            best = c, bestDistance = distance;
        if (title.left() > pos.x() + kGripLeft)
            break;
    }
    return best;
}

int DataGrid::titleColumnAt(int x) const {
    for (int c = leftColumn_; c < int(columns_.size()); ++c) {
        const QRect title = titleRect(c);
        if (x >= title.left() && x <= title.right() + 1)
            return c;
    }
    return -1;
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    if (!hasFocus() && !isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::MouseFocusReason);
    if (drag_ != Drag::None)
        return;
    const QPoint pos = event->position().toPoint();
    const bool left = event->button() == Qt::LeftButton;
    const bool right = event->button() == Qt::RightButton;
    if (pos.y() < titleHeight_) {
        // The title row: size a column at its edge, else pick it up to move it.
        const int edge = left ? sizingEdgeAt(pos) : -1;
        const int column = titleColumnAt(pos.x());
        if (edge < 0 && (column < 0 || !(left || right)))
            return; // the indicator's title cell does nothing
        if (!runUserAction([this] { CommitCellText(); }))
            return;
        drag_ = edge >= 0 ? Drag::Sizing : Drag::Moving;
        dragColumn_ = edge >= 0 ? edge : column;
        dragX_ = pos.x();
        dragMoved_ = false;
        if (drag_ == Drag::Moving)
            moveScrollTimer_->start();
        viewport()->update();
        return;
    }
    if (left)
        runUserAction([&] { pressOnDataArea(pos); });
}

void DataGrid::pressOnDataArea(QPoint pos) {
    if (!active())
        return;
    const int row = (pos.y() - titleHeight_) / rowHeight_;
    const int record = topRecord_ + row;
    if (row >= shownRows() || record >= recordCount())
        return; // below the last record
    int column = -1;
    for (int c = leftColumn_; c < int(columns_.size()); ++c) {
        const QRect cell = cellRect(c, row);
        if (pos.x() >= cell.left() && pos.x() <= cell.right() + 1)
            column = c;
    }
    const bool onIndicator = pos.x() < dataAreaLeft();
    if (!onIndicator && column < 0)
        return; // right of the last column
    const bool wasCurrent = !onIndicator && column == currentColumn_ && record == currentRecord();
    CommitCellText();
    hideEditor();
    moveRecordBy(record - currentRecord());
    if (onIndicator)
        return;
    setCurrentColumn(column);
    if (wasCurrent)
        showEditor(EditorOpening::SelectAll);
}

void DataGrid::mouseMoveEvent(QMouseEvent* event) {
    if (drag_ == Drag::None)
        return;
    dragX_ = event->position().toPoint().x();
    dragMoved_ = true;
    viewport()->update();
}

void DataGrid::mouseReleaseEvent(QMouseEvent* event) {
    const int x = event->position().toPoint().x();
    if (drag_ == Drag::Sizing)
        finishColumnSizing(x);
    else if (drag_ == Drag::Moving)
        finishColumnMove(x);
}

void DataGrid::finishColumnSizing(int x) {
    const int column = dragColumn_;
    abandonDrag();
    // From the column's left edge to where the button came up; a width of one
    // pixel or less leaves the column as it was.
    const int width = x - titleRect(column).left();
    if (width > 1)
        setColumnWidth(column, width);
}

void DataGrid::finishColumnMove(int x) {
    const int column = dragColumn_;
    const bool moved = dragMoved_;
    abandonDrag();
    const int target = titleColumnAt(x);
    if (moved && target >= 0 && target != column)
        moveColumnTo(column, target);
}

void DataGrid::abandonDrag() {
    drag_ = Drag::None;
    dragColumn_ = -1;
    dragMoved_ = false;
    moveScrollTimer_->stop();
    viewport()->update();
}

void DataGrid::autoScrollWhileMoving() {
    if (drag_ != Drag::Moving)
        return;
    // Past an edge of the grid the columns scroll under the pointer, one per tick.
    QScrollBar* bar = horizontalScrollBar();
    if (dragX_ < dataAreaLeft() && bar->value() > bar->minimum())
        bar->setValue(bar->value() - 1);
    else if (dragX_ >= viewport()->width() && bar->value() < bar->maximum())
        bar->setValue(bar->value() + 1);
}

void DataGrid::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0 && active())
        runUserAction([&] { moveRecordBy(-notches); });
    event->accept();
}
