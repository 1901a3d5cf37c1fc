#pragma once
// The one-line editor a grid opens over its current cell. It checks every typed
// character with the field, puts the record into edit state on the first change,
// hands the grid's keys back to the grid and, in date columns, drops down a
// calendar from a button at its right edge.

#include <QLineEdit>

class CalendarPopup;
class DataGrid;
class QToolButton;
class TField;

class CellEditor : public QLineEdit {
    Q_OBJECT

public:
    CellEditor(DataGrid& grid, QWidget* parent);

    // Takes the field's edit text, alignment and length limit (the field size
    // for text, none for the rest); date fields get the drop-down button.
    void open(const TField& field);
    // Replaces the text without counting as a change by the user.
    void setFieldText(const QString& text);
    // A key typed while the editor is open, or the one that opened it.
    void typeKey(QKeyEvent* event);

    bool hasDropDown() const { return dropDown_; }
    QToolButton* dropDownButton() const { return button_; }
    CalendarPopup* calendar() const { return calendar_; }
    bool calendarOpen() const;
    void openCalendar();
    void closeCalendar();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool passesToGrid(const QKeyEvent* event) const;
    bool dropDownKey(QKeyEvent* event);
    bool changesText(const QKeyEvent* event) const;
    void editWithKey(QKeyEvent* event);
    void noticeEditedText();
    void placeButton();
    QDate calendarStartDate() const;

    DataGrid& grid_;
    QToolButton* button_ = nullptr;
    CalendarPopup* calendar_ = nullptr;
    bool dropDown_ = false;
    bool decimal_ = false;
    // True while a key the editor itself handles is changing the text.
    bool keyInProgress_ = false;
};
