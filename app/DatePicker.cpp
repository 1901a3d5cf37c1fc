#include "app/DatePicker.h"

#include "config/messages/MessageService.h"
#include "data/FormatSettings.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// One run of the format: a day, month or year section ('d', 'M', 'y'), or a
// separator (kind 0), with where its text stands in the text shown.
struct Run {
    QChar kind;
    QString pattern;
    qsizetype start = 0;
    qsizetype end = 0; // one past its last character
};

bool isSectionLetter(QChar c) { return c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y'); }

QList<Run> runsOf(const QString& format) {
    QList<Run> runs;
    for (const QChar c : format) {
        const QChar kind = isSectionLetter(c) ? c : QChar();
        if (!runs.isEmpty() && !kind.isNull() && runs.back().kind == kind)
            runs.back().pattern += c;
        else
            runs.append({kind, QString(c)});
    }
    return runs;
}

// The runs of a date's text in the format, placed.
QList<Run> placedRuns(const QString& format, QDate date) {
    QList<Run> runs = runsOf(format);
    qsizetype at = 0;
    for (Run& run : runs) {
        const qsizetype width =
            run.kind.isNull() ? run.pattern.size() : QLocale::c().toString(date, run.pattern).size();
        run.start = at;
        run.end = at += width;
    }
    return runs;
}

} // namespace

DatePicker::DatePicker(QDate date, QWidget* parent) : QLineEdit(parent) {
    dropDown_ = new QToolButton(this);
    dropDown_->setArrowType(Qt::DownArrow);
    dropDown_->setAutoRaise(true);
    dropDown_->setFocusPolicy(Qt::NoFocus);
    dropDown_->setCursor(Qt::ArrowCursor);
    setTextMargins(0, 0, style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0);
    connect(dropDown_, &QToolButton::clicked, this, [this] { showCalendar(); });
    connect(this, &QLineEdit::textEdited, this, &DatePicker::textTyped);
    setDisplayFormat(format_);
    setDate(date);
}

void DatePicker::setDate(QDate date) {
    date_ = date;
    setText(QLocale::c().toString(date, format_));
}

void DatePicker::setDisplayFormat(const QString& format) {
    format_ = format;
    // Digits and the format's separators; as long as its longest text.
    QString separators;
    int longest = 0;
    for (const Run& run : runsOf(format)) {
        if (run.kind.isNull()) {
            separators += QRegularExpression::escape(run.pattern);
            longest += int(run.pattern.size());
        } else {
            longest += run.kind == QLatin1Char('y') ? 4 : 2;
        }
    }
    const QRegularExpression allowed(QStringLiteral("[0-9") + separators + QStringLiteral("]*"));
    if (!validator_) {
        validator_ = new QRegularExpressionValidator(allowed, this);
        setValidator(validator_);
    } else {
        validator_->setRegularExpression(allowed);
    }
    setMaxLength(longest);
    if (date_.isValid())
        setDate(date_);
}

QDate DatePicker::typedDate() const {
    FormatSettings settings;
    settings.shortDateFormat = format_;
    return parseDateText(text(), settings);
}

bool DatePicker::holdsDate() const { return date_.isValid() && typedDate() == date_; }

void DatePicker::textTyped(const QString&) {
    // A whole date is taken at once, and the text stays as typed.
    if (const QDate typed = typedDate(); typed.isValid())
        date_ = typed;
}

void DatePicker::beep() const { messageService().beep(); }

bool DatePicker::leave(bool next) {
    if (!holdsDate()) {
        beep();
        return false;
    }
    // The window's focus chain.
    return focusNextPrevChild(next);
}

bool DatePicker::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            leave(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (key == Qt::Key_F4 || (alt && (key == Qt::Key_Down || key == Qt::Key_Up))) {
        showCalendar();
        return;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        stepSectionAtCaret(key == Qt::Key_Up ? 1 : -1);
        return;
    }
    // A character that can be no part of a date is refused audibly.
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        QString candidate = typed;
        int position = 0;
        if (validator_->validate(candidate, position) == QValidator::Invalid) {
            beep();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void DatePicker::stepSectionAtCaret(int steps) {
    if (!holdsDate()) {
        beep();
        return;
    }
    // The caret's section in the text as the format writes it.
    const qsizetype caret = std::min(cursorPosition(), int(QLocale::c().toString(date_, format_).size()));
    QChar kind;
    for (const Run& run : placedRuns(format_, date_)) {
        if (run.kind.isNull())
            continue;
        kind = run.kind;
        if (caret <= run.end)
            break;
    }
    const QDate stepped = kind == QLatin1Char('d')   ? date_.addDays(steps)
                          : kind == QLatin1Char('M') ? date_.addMonths(steps)
                                                     : date_.addYears(steps);
    setDate(stepped);
    // The stepped section stays marked, so that the next step or digit goes to it.
    for (const Run& run : placedRuns(format_, stepped))
        if (run.kind == kind)
            setSelection(int(run.start), int(run.end - run.start));
}

QCalendarWidget* DatePicker::calendarWidget() {
    if (!calendar_) {
        popup_ = new QFrame(this, Qt::Popup);
        popup_->setFrameStyle(QFrame::Box | QFrame::Plain);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(1, 1, 1, 1);
        calendar_ = new QCalendarWidget(popup_);
        calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        layout->addWidget(calendar_);
        connect(calendar_, &QCalendarWidget::activated, this, &DatePicker::acceptCalendarDate);
        connect(calendar_, &QCalendarWidget::clicked, this, &DatePicker::acceptCalendarDate);
    }
    return calendar_;
}

void DatePicker::showCalendar() {
    QCalendarWidget* calendar = calendarWidget();
    const QDate typed = typedDate();
    calendar->setSelectedDate(typed.isValid() ? typed : date_);
    popup_->adjustSize();
    // Below the field, or above it when the screen has no room below.
    QPoint place = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (place.y() + popup_->height() > area.bottom() && mapToGlobal(QPoint(0, 0)).y() - popup_->height() >= area.top())
            place.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
        place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - popup_->width())));
    }
    popup_->move(place);
    popup_->show();
    calendar->setFocus(Qt::PopupFocusReason);
}

void DatePicker::acceptCalendarDate(QDate date) {
    popup_->hide();
    setDate(date);
    setFocus(Qt::PopupFocusReason);
}

void DatePicker::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Come in by the keyboard or put here by the window: what is typed replaces the text.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        selectAll();
}

void DatePicker::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Left with a whole date: shown in the format. Anything else stays as typed.
    if (event->reason() != Qt::PopupFocusReason && holdsDate())
        setText(QLocale::c().toString(date_, format_));
}

void DatePicker::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    dropDown_->setGeometry(this->width() - frame - width, frame, width, height() - 2 * frame);
}
