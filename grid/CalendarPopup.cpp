#include "grid/CalendarPopup.h"

#include "grid/KeyModifiers.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>

QRect calendarPlacement(const QRect& editor, QSize popup, const QRect& workArea) {
    const int below = workArea.bottom() - editor.bottom();
    const int above = editor.top() - workArea.top();
    const bool fitsBelow = popup.height() <= below;
    const bool fitsAbove = popup.height() <= above;
    QRect place(QPoint(editor.left(), editor.bottom() + 1), popup);
    if (!fitsBelow && (fitsAbove || above > below)) {
        place.setHeight(std::min(popup.height(), above));
        place.moveBottom(editor.top() - 1);
    } else {
        place.setHeight(std::min(popup.height(), below));
    }
    return place;
}

CalendarPopup::CalendarPopup(QWidget* editor)
    : QFrame(editor, Qt::Popup), editor_(editor), calendar_(new QCalendarWidget(this)) {
    setObjectName(QStringLiteral("CalendarPopup"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    // A click outside closes the popup and goes no further, so a click on the
    // drop-down button does not open it again at once.
    setAttribute(Qt::WA_NoMouseReplay);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(calendar_);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // The keys stay with the popup, which passes them to the calendar as wanted.
    calendar_->setFocusPolicy(Qt::NoFocus);
    calendar_->installEventFilter(this);
    for (QWidget* child : calendar_->findChildren<QWidget*>()) {
        child->setFocusPolicy(Qt::NoFocus);
        child->installEventFilter(this);
    }
    connect(calendar_, &QCalendarWidget::clicked, this, &CalendarPopup::choose);
}

void CalendarPopup::popUp(const QRect& editorOnScreen, QDate date, const QFont& font, const QPalette& palette) {
    calendar_->setFont(font);
    calendar_->setPalette(palette);
    calendar_->setSelectedDate(date);
    QScreen* screen = QGuiApplication::screenAt(editorOnScreen.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    setGeometry(calendarPlacement(editorOnScreen, minimumSizeHint(), screen->availableGeometry()));
    show();
}

void CalendarPopup::dismiss() { hide(); }

QDate CalendarPopup::selectedDate() const { return calendar_->selectedDate(); }

void CalendarPopup::choose(QDate date) {
    hide();
    emit dateChosen(date);
}

void CalendarPopup::moveSelection(QDate date) {
    if (date.isValid())
        calendar_->setSelectedDate(date);
}

bool CalendarPopup::handleKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const QDate day = selectedDate();
    const int key = event->key();
    if ((mods & Qt::AltModifier) && (key == Qt::Key_Down || key == Qt::Key_Up)) {
        choose(day);
        return true;
    }
    if (isEnterKey(key) && !(mods & Qt::AltModifier)) {
        choose(day);
        return true;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        dismiss();
        return true;
    }
    if (mods & (Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier))
        return false;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Up: moveSelection(day.addDays(-7)); return true;
    case Qt::Key_Down: moveSelection(day.addDays(7)); return true;
    case Qt::Key_Left: moveSelection(day.addDays(-1)); return true;
    case Qt::Key_Right: moveSelection(day.addDays(1)); return true;
    case Qt::Key_PageUp: moveSelection(day.addMonths(-1)); return true;
    case Qt::Key_PageDown: moveSelection(day.addMonths(1)); return true;
    case Qt::Key_Home:
        if (ctrl)
            moveSelection(QDate(day.year(), day.month(), 1));
        return ctrl;
    case Qt::Key_End:
        if (ctrl)
            moveSelection(QDate(day.year(), day.month(), day.daysInMonth()));
        return ctrl;
    default: return false;
    }
}

void CalendarPopup::keyPressEvent(QKeyEvent* event) {
    // The popup holds the keyboard while open: what is not the calendar's goes on
    // to the editor, as if typed there.
    if (!handleKey(event))
        QCoreApplication::sendEvent(editor_, event);
    event->accept();
}

void CalendarPopup::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    emit closed();
}

bool CalendarPopup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        // One day per notch: down is later, up is earlier.
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        if (notches != 0)
            moveSelection(selectedDate().addDays(-notches));
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
