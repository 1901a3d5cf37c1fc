#pragma once
// A date field with a calendar drop-down, that takes a date however a person types
// it: with the separators of the short date format ("6/12/2026"), or with digits
// only ("06122026"). What is typed stays as typed; it becomes the picker's date as
// soon as it is a whole date, and is shown in the short date format once the field
// is left. The Up and Down arrows step the day, month or year at the caret; Alt+Down
// (or F4, or the button) drops the calendar down. Tab and Shift+Tab leave the field
// for the next and previous control (Enter does too, through the window).
//
// A section-by-section date editor was not enough here: it moves on to the next
// section by itself once a section is full and again at the separator typed after
// it, so a date typed in full lands in the wrong sections.
//
// While the text is no whole date (a section emptied, a day the month does not
// have, a year not yet typed out) Tab, Shift+Tab and Enter sound the beep and keep
// the focus; when the focus goes anyway (a click elsewhere) the text stays as
// typed, never replaced by the previous date. date() is then the last whole date,
// and the window refuses to post or filter on it (holdsDate()).

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;
class QFrame;
class QRegularExpressionValidator;
class QToolButton;

class DatePicker : public QLineEdit {
public:
    DatePicker(QDate date, QWidget* parent);

    QDate date() const { return date_; }
    void setDate(QDate date);
    // The short date format in Qt's notation ("d/MM/yyyy").
    void setDisplayFormat(const QString& format);
    // Whether the text shown is a whole date, the one date() gives.
    bool holdsDate() const;
    // The text as shown, typed or not.
    QString shownText() const { return text(); }
    // Moves the focus to the next (or previous) control of the window, when the
    // text is a whole date; else beeps and keeps it. True when the focus moved.
    bool leave(bool next);
    // The drop-down's calendar (made on first use).
    QCalendarWidget* calendarWidget();
    void showCalendar();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The date the text makes, invalid when it makes none.
    QDate typedDate() const;
    void textTyped(const QString& text);
    // Up and Down: the day, month or year at the caret, one step.
    void stepSectionAtCaret(int steps);
    void acceptCalendarDate(QDate date);
    void beep() const;

    QDate date_;
    QString format_ = QStringLiteral("yyyy/MM/dd");
    QRegularExpressionValidator* validator_ = nullptr;
    QToolButton* dropDown_ = nullptr;
    QFrame* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};
