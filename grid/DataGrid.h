#pragma once
// The editable, data-bound table of the adjustment panels. It shows the records of
// a cached dataset it does not own, one row per record and one column per listed
// field, below a title row and right of the row indicator; the current record is
// always the dataset's own. One CellEditor, opened over the current cell, edits it.
//
// Built on a bare scroll area rather than on the item views: the grid shows a
// window of the dataset's records around its current one (the dataset fetches on
// demand and moves, posts and cancels by itself), and nearly every key, click and
// editor rule of the item views differs from what is wanted here.

#include "grid/Confirmation.h"
#include "grid/GridColumn.h"
#include "grid/RowIndicator.h"
#include "grid/TextSearch.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class CellEditor;
class QTimer;
class TClientDataSet;
class TField;

class DataGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // ---- Binding
    // The dataset shown (not owned; null unbinds). Unbind before the dataset goes.
    void setDataSet(TClientDataSet* dataSet);
    TClientDataSet* dataSet() const { return dataSet_; }
    // The columns in display order.
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    void setColumnWidth(int column, int width);
    // Moves a column to another display position; the current column goes with it.
    void moveColumnTo(int from, int to);

    // How "Delete record?" is asked (default: a question box).
    void setConfirmation(ConfirmFunction confirm) { confirm_ = std::move(confirm); }
    // The sound of a refused key (default: the system beep).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // ---- Geometry (pixels in the viewport)
    int titleRowHeight() const { return titleHeight_; }
    // A data row, its bottom grid line included.
    int dataRowHeight() const { return rowHeight_; }
    static constexpr int indicatorWidth = 11;
    // Data rows shown whole below the title row (at least one).
    int fullyVisibleRows() const;
    // Data rows shown, the last one possibly cut.
    int shownRows() const;
    // The dataset's visible index of the topmost displayed record.
    int topRecord() const { return topRecord_; }
    // A cell without its grid lines; the row counts from the first displayed row.
    QRect cellRect(int column, int screenRow) const;
    QRect titleRect(int column) const;
    // Where a cell's text is drawn inside the cell.
    static QRect cellTextRect(const QRect& cell);

    // ---- The current cell
    int currentColumn() const { return currentColumn_; }
    TField* currentField() const;
    // The current record's row on screen, or -1 when it has none.
    int currentScreenRow() const;
    // The text a cell shows (the column's field in the displayed record).
    QString cellText(int column, int recordIndex) const;

    // ---- Operations of keys, mouse and search (they raise the dataset's errors)
    // Writes the editor's text into the field when the user changed it.
    void CommitCellText();
    // Gives the editor the field's text back.
    void revertEditorText();
    bool cellModified() const { return cellModified_; }
    enum class EditorOpening { SelectAll, CaretAtEnd };
    void showEditor(EditorOpening opening = EditorOpening::SelectAll);
    // Text not yet written into the field is dropped with the editor.
    void hideEditor();
    bool editorShown() const { return editorShown_; }
    CellEditor* editor() const { return editor_; }
    // Makes another column current (pending text written first).
    void setCurrentColumn(int column);
    void selectFirstColumn() { setCurrentColumn(0); }
    void selectLastColumn() { setCurrentColumn(int(columns_.size()) - 1); }
    // Next or previous column; at the last (first) one, down (up) a record and the
    // first (last) column: Tab and Enter.
    void moveColumn(bool forward);
    // Moves the dataset by n records (pending text written first).
    void moveRecordBy(int n);
    // To the first or the last record of the dataset.
    void moveToEnd(bool last);
    // Down, appending a blank record after the last one; up, dropping an untouched
    // appended one.
    void moveDown();
    void moveUp();
    void insertRecord();
    void deleteRecordAsking();
    // Esc: a changed cell gets its text back, else the record its values.
    void cancelEditing();
    // Ctrl+': the value of the record shown just above the current one.
    void copyFromRecordAbove();

    // The grid's key handler, which the editor also calls for the keys it passes
    // on. True when the key was the grid's; the others are left to the window.
    bool keyEntry(QKeyEvent* event);

    // The incremental search's mark on the current row (and no editor meanwhile).
    void setSearchMarkShown(bool shown);
    bool searchMarkShown() const { return searchMark_; }

    // ---- Finding text (DataGridFind.cpp, DataGridIncSearch.cpp)
    // Walks from the current cell through the rows (with AllColumns, through the
    // columns of each row) for a cell whose text matches; `fieldName` names the
    // column to search, empty for the current one. Found: the dataset stands on
    // the row and the column is current. Not found: the grid is where it was.
    bool FindCellText(const QString& fieldName, const QString& text, FindOptions options, FindDirection direction,
                      FindMatching matching);
    // Extends the incremental search's text by `addText` and looks for it in the
    // current column; also turns the search on.
    void IncSearchStep(const QString& addText, FindDirection direction);
    void StopIncSearch();
    bool incSearchActive() const { return searchMark_; }
    // What was found so far, in the found cell's own capitals.
    const QString& incSearchText() const { return incSearchText_; }
    // Opens the program's find dialog over this grid; returns when it is closed.
    void ShowFindDialog();

    // ---- For the editor
    // Before the first change of the editor's text: the record goes into edit state.
    void beginCellChange();
    bool canEditCurrentColumn() const;
    void beep() const;
    // The date the drop-down chose for the current cell.
    void acceptCalendarDate(QDate date);
    // The focus left the editor or the grid; acts when it went outside the grid.
    void focusLeaving(Qt::FocusReason reason);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    class Link;
    friend class Link;

    // Data link
    void linkActiveChanged();
    void linkLayoutChanged();
    void linkDataSetChanged();
    void linkRecordChanged(TField* field);
    void linkStateChanged();

    // Layout and scrolling (DataGridLayout.cpp)
    void computeRowHeights();
    void bindColumns();
    void followCurrentRecord();
    void followCurrentColumn();
    void updateScrollBars();
    void placeEditor();
    int columnLeft(int column) const; // -1 when scrolled out of view
    int dataAreaLeft() const { return indicatorWidth + 1; }
    bool active() const;
    int recordCount() const;
    int currentRecord() const;
    void verticalScrollAction(int action);

    // Painting (DataGridPaint.cpp)
    void paintTitleRow(QPainter& painter);
    void paintDataRows(QPainter& painter);
    void paintDragMarks(QPainter& painter);
    IndicatorGlyph currentGlyph() const;

    // Mouse (DataGridMouse.cpp)
    int sizingEdgeAt(QPoint pos) const;
    int titleColumnAt(int x) const;
    void pressOnDataArea(QPoint pos);
    void finishColumnSizing(int x);
    void finishColumnMove(int x);
    void autoScrollWhileMoving();
    void abandonDrag();

    // Keys (DataGridKeys.cpp)
    bool navigationKey(QKeyEvent* event);
    bool editingKey(QKeyEvent* event);
    void typeIntoEditor(QKeyEvent* event);

    // Finding text (DataGridFind.cpp, DataGridIncSearch.cpp)
    // The current row, kept as the row at the middle of the rows in view and the
    // distance from it, so that coming back also brings back the rows in view.
    struct SavedPosition {
        int bookmark = -1; // the middle row's visible index
        int offset = 0;
    };
    SavedPosition SavePosition();
    void RestorePosition(const SavedPosition& position);
    QString walkedCellText(int column, bool displayText) const;
    // The incremental search's keys; true when the key is taken.
    bool searchKey(QKeyEvent* event);
    void paintIncSearchText(QPainter& painter, const QRect& cell, int column, int record) const;

    // Puts the current record into edit state without the dataset's notices
    // closing the editor over it (on an empty dataset: a new record there).
    void editCurrentRecord();
    bool untouchedNewRecord() const;
    bool newRecordIsLast() const;
    bool canModify() const;
    void reloadEditorText();

    TClientDataSet* dataSet_ = nullptr;
    std::unique_ptr<Link> link_;
    std::vector<GridColumn> columns_;
    int currentColumn_ = 0;
    int leftColumn_ = 0; // first data column in view
    int topRecord_ = 0;
    int titleHeight_ = 17;
    int rowHeight_ = 17;

    CellEditor* editor_ = nullptr;
    bool editorShown_ = false;
    bool cellModified_ = false;
    // Where the editor was opened: another record there means the cell moved.
    int editorRecord_ = -1;
    int editorRecordCount_ = 0;
    // Set while the grid itself starts a change, so that its own notices do not
    // close the editor it is typing in.
    bool keepEditor_ = false;
    bool searchMark_ = false; // the incremental search is on
    QString incSearchText_;

    enum class Drag { None, Sizing, Moving };
    Drag drag_ = Drag::None;
    int dragColumn_ = -1;
    int dragX_ = 0;
    bool dragMoved_ = false;
    QTimer* moveScrollTimer_ = nullptr;

    ConfirmFunction confirm_;
    std::function<void()> beep_;
};
