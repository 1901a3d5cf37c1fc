// The grid's binding to its dataset and its columns, what it does on the dataset's
// notices, and the focus leaving it.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "data/TDataLink.h"
#include "data/TField.h"
#include "grid/CellEditor.h"
#include "grid/DesignFont.h"
#include "grid/UserAction.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScrollBar>
#include <QTimer>

class DataGrid::Link : public TDataLink {
public:
    explicit Link(DataGrid& grid) : grid_(grid) {}
    void activeChanged() override { grid_.linkActiveChanged(); }
    void layoutChanged() override { grid_.linkLayoutChanged(); }
    void dataSetChanged() override { grid_.linkDataSetChanged(); }
    void recordChanged(TField* field) override { grid_.linkRecordChanged(field); }
    void stateChanged() override { grid_.linkStateChanged(); }
    // The dataset is about to settle or move: the typed text goes into the field.
    void updateData() override { grid_.CommitCellText(); }
    void dataSetDestroyed() override { grid_.setDataSet(nullptr); }

private:
    DataGrid& grid_;
};

DataGrid::DataGrid(QWidget* parent) : QAbstractScrollArea(parent), link_(std::make_unique<Link>(*this)) {
    setFont(designFont());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &DataGrid::verticalScrollAction);
    moveScrollTimer_ = new QTimer(this);
    moveScrollTimer_->setInterval(60);
    connect(moveScrollTimer_, &QTimer::timeout, this, &DataGrid::autoScrollWhileMoving);
    editor_ = new CellEditor(*this, viewport());
    editor_->hide();
    computeRowHeights();
    updateScrollBars();
}

DataGrid::~DataGrid() {
    if (dataSet_)
        dataSet_->removeLink(link_.get());
    dataSet_ = nullptr;
}

void DataGrid::setDataSet(TClientDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    hideEditor();
    if (dataSet_)
        dataSet_->removeLink(link_.get());
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->addLink(link_.get());
    bindColumns();
    topRecord_ = 0;
    followCurrentRecord();
}

void DataGrid::setColumns(std::vector<GridColumn> columns) {
    hideEditor();
    columns_ = std::move(columns);
    currentColumn_ = 0;
    leftColumn_ = 0;
    bindColumns();
    updateScrollBars();
    viewport()->update();
}

void DataGrid::setColumnWidth(int column, int width) {
    if (column < 0 || column >= int(columns_.size()) || width < 0)
        return;
    columns_[std::size_t(column)].width = width;
    updateScrollBars();
    placeEditor();
    viewport()->update();
}

void DataGrid::moveColumnTo(int from, int to) {
    const int n = int(columns_.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    const GridColumn moved = columns_[std::size_t(from)];
    columns_.erase(columns_.begin() + from);
    columns_.insert(columns_.begin() + to, moved);
    // The current column keeps its field.
    if (currentColumn_ == from)
        currentColumn_ = to;
    else if (from < currentColumn_ && to >= currentColumn_)
        --currentColumn_;
    else if (from > currentColumn_ && to <= currentColumn_)
        ++currentColumn_;
    placeEditor();
    viewport()->update();
}

bool DataGrid::active() const { return dataSet_ && dataSet_->Active(); }

bool DataGrid::canModify() const { return active() && dataSet_->CanModify(); }

int DataGrid::recordCount() const { return active() ? dataSet_->RecordCount() : 0; }

int DataGrid::currentRecord() const { return active() ? dataSet_->RecNo() : -1; }

TField* DataGrid::currentField() const {
    if (currentColumn_ < 0 || currentColumn_ >= int(columns_.size()))
        return nullptr;
    return columns_[std::size_t(currentColumn_)].field;
}

bool DataGrid::canEditCurrentColumn() const {
    const TField* field = currentField();
    return canModify() && field && !field->ReadOnly;
}

void DataGrid::beep() const {
    if (beep_)
        beep_();
    else
        QApplication::beep();
}

// ---- Data link

void DataGrid::linkActiveChanged() {
    StopIncSearch();
    if (!active()) {
        hideEditor();
        topRecord_ = 0;
    }
    bindColumns();
    followCurrentRecord();
}

void DataGrid::linkLayoutChanged() {
    bindColumns();
    viewport()->update();
}

void DataGrid::linkDataSetChanged() {
    // Another row, or the rows themselves changed: the search starts afresh.
    StopIncSearch();
    // The grid's own moves write and hide the editor first; a move from elsewhere
    // (the navigator, the window) leaves it over a record it no longer edits.
    if (editorShown_ && !keepEditor_ &&
        (currentRecord() != editorRecord_ || recordCount() != editorRecordCount_))
        hideEditor();
    followCurrentRecord();
}

void DataGrid::linkRecordChanged(TField* field) {
    if (editorShown_ && !cellModified_ && (!field || field == currentField()))
        reloadEditorText();
    viewport()->update();
}

void DataGrid::linkStateChanged() {
    // Posted or cancelled: whatever was typed is the field's now, or gone.
    if (active() && dataSet_->State() == TDataSetState::dsBrowse && cellModified_) {
        cellModified_ = false;
        reloadEditorText();
    }
    viewport()->update();
}

void DataGrid::setSearchMarkShown(bool shown) {
    if (shown == searchMark_)
        return;
    searchMark_ = shown;
    viewport()->update();
}

// ---- Focus

void DataGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void DataGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    focusLeaving(event->reason());
    viewport()->update();
}

bool DataGrid::focusNextPrevChild(bool) {
    // Tab and Shift+Tab are the grid's own keys: they never take the focus away.
    return false;
}

void DataGrid::focusLeaving(Qt::FocusReason reason) {
    // Another window coming to the front (a message box) or the calendar popping
    // up is no leaving of the grid.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    QWidget* now = QApplication::focusWidget();
    if (now && (now == this || isAncestorOf(now)))
        return;
    if (!active()) {
        hideEditor();
        return;
    }
    runUserAction(
        [this] {
            if (untouchedNewRecord())
                dataSet_->Cancel();
            else
                CommitCellText();
            hideEditor();
        },
        [this] {
            // The text stays where it was typed, and so does the focus.
            QTimer::singleShot(0, this, [this] {
                if (editorShown_)
                    editor_->setFocus(Qt::OtherFocusReason);
                else
                    setFocus(Qt::OtherFocusReason);
            });
        });
}
