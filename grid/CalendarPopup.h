#pragma once
// The drop-down of a date cell: a one-month calendar in a popup window below (or
// above) the editor. It answers the keys the editor hands it and the mouse wheel,
// and either hands back the chosen day or closes without one.

#include <QDate>
#include <QFrame>

class QCalendarWidget;

// Where the popup goes: below the editor, left-aligned with it; above it when it
// does not fit below but fits above, or does not fit below and there is more
// room above; its height cut to the room on that side.
QRect calendarPlacement(const QRect& editor, QSize popup, const QRect& workArea);

class CalendarPopup : public QFrame {
    Q_OBJECT

public:
    explicit CalendarPopup(QWidget* editor);

    void popUp(const QRect& editorOnScreen, QDate date, const QFont& font, const QPalette& palette);
    // Closes without choosing.
    void dismiss();
    QCalendarWidget* calendar() const { return calendar_; }
    QDate selectedDate() const;
    // A key typed in the editor (or in the popup) while open; true when it was the calendar's.
    bool handleKey(QKeyEvent* event);

signals:
    void dateChosen(QDate date);
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(QDate date);
    void moveSelection(QDate date);

    QWidget* editor_;
    QCalendarWidget* calendar_;
};
