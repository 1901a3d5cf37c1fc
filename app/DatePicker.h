#pragma once
// A date picker with a calendar drop-down. Tab leaves it for the next control, as
// it leaves every other field of the window, instead of stepping through day,
// month and year (the arrow keys and the mouse still reach those).

#include <QDateEdit>

class DatePicker : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};
