#include "grid/CellEditor.h"

#include "data/FormatSettings.h"
#include "data/TField.h"
#include "grid/CalendarPopup.h"
#include "grid/DataGrid.h"
#include "grid/KeyModifiers.h"
#include "grid/UserAction.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolButton>

CellEditor::CellEditor(DataGrid& grid, QWidget* parent) : QLineEdit(parent), grid_(grid) {
    setObjectName(QStringLiteral("CellEditor"));
    setFrame(false);
    setAutoFillBackground(true);
    // Text comes in by keys only (checked below): no context menu, no dropping.
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    button_ = new QToolButton(this);
    button_->setArrowType(Qt::DownArrow);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->hide();
    connect(button_, &QToolButton::clicked, this, [this] {
        if (calendarOpen())
            closeCalendar();
        else
            openCalendar();
    });
    connect(this, &QLineEdit::textEdited, this, &CellEditor::noticeEditedText);
}

void CellEditor::open(const TField& field) {
    decimal_ = field.DataType() == FieldType::Decimal;
    dropDown_ = field.DataType() == FieldType::Date || field.DataType() == FieldType::DateTime;
    setFont(grid_.font());
    setPalette(grid_.palette());
    setMaxLength(field.DataType() == FieldType::String && field.Size() > 0 ? field.Size() : 32767);
    setAlignment(field.Alignment() | Qt::AlignVCenter);
    setFieldText(field.EditText());
    button_->setVisible(dropDown_);
    placeButton();
}

void CellEditor::setFieldText(const QString& text) { setText(text); }

void CellEditor::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    placeButton();
}

void CellEditor::placeButton() {
    // As wide as a vertical scroll bar, as tall as the row, square in a tall row.
    const int width = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int height = this->height() * 2 > width * 3 ? width : this->height();
    button_->setGeometry(this->width() - width, 0, width, height);
    setTextMargins(0, 0, dropDown_ ? width : 0, 0);
}

bool CellEditor::focusNextPrevChild(bool) { return false; }

void CellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    grid_.focusLeaving(event->reason());
}

bool CellEditor::passesToGrid(const QKeyEvent* event) const {
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const int key = event->key();
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return !alt;
    case Qt::Key_Escape: return mods == Qt::NoModifier;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return !alt;
    case Qt::Key_Return:
    case Qt::Key_Enter: return !alt && !ctrl;
    case Qt::Key_Insert: return mods == Qt::NoModifier;
    case Qt::Key_Delete: return mods == Qt::ControlModifier;
    case Qt::Key_Apostrophe: return mods == Qt::ControlModifier;
    case Qt::Key_F: return mods == Qt::ControlModifier; // the incremental search
    default: return false;
    }
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    event->accept();
    runUserAction([&] {
        if (dropDownKey(event))
            return;
        if (passesToGrid(event)) {
            grid_.keyEntry(event);
            return;
        }
        const Qt::KeyboardModifiers mods = keyModifiers(event);
        if (isEnterKey(event->key()) && (mods & Qt::ControlModifier))
            return; // no line breaks in a cell
        if (event->key() == Qt::Key_A && mods == Qt::ControlModifier) {
            selectAll();
            return;
        }
        if (event->key() == Qt::Key_F2 && mods == Qt::NoModifier) {
            deselect();
            end(false);
            return;
        }
        typeKey(event);
    });
}

bool CellEditor::dropDownKey(QKeyEvent* event) {
    if (!dropDown_)
        return false;
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const int key = event->key();
    if (calendarOpen())
        return calendar_->handleKey(event);
    const bool altArrow = (mods & Qt::AltModifier) && (key == Qt::Key_Down || key == Qt::Key_Up);
    const bool ctrlEnter = isEnterKey(key) && (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
    if (altArrow || ctrlEnter) {
        openCalendar();
        return true;
    }
    return false;
}

void CellEditor::typeKey(QKeyEvent* event) {
    event->accept();
    const QString text = event->text();
    const Qt::KeyboardModifiers mods = keyModifiers(event);
    const bool character = !text.isEmpty() && text.front().isPrint() &&
                           !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (character) {
        QChar c = text.front();
        // Either point goes into a decimal column as the workstation's separator.
        if (decimal_ && (c == QLatin1Char('.') || c == QLatin1Char(',')))
            c = FormatSettings::current().decimalSeparator;
        const TField* field = grid_.currentField();
        if (!field || !field->IsValidChar(c)) {
            grid_.beep();
            return;
        }
        if (!grid_.canEditCurrentColumn())
            return;
        QKeyEvent mapped(event->type(), event->key(), event->modifiers(), QString(c), event->isAutoRepeat(),
                         ushort(event->count()));
        editWithKey(&mapped);
        return;
    }
    if (!grid_.canEditCurrentColumn() && changesText(event))
        return;
    editWithKey(event);
    if (!event->isAccepted())
        event->ignore(); // a key the editor has no use for goes on to the window
}

bool CellEditor::changesText(const QKeyEvent* event) const {
    return event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
           event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
           event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
}

void CellEditor::editWithKey(QKeyEvent* event) {
    const QString before = text();
    {
        const QScopedValueRollback inKey(keyInProgress_, true);
        QLineEdit::keyPressEvent(event);
    }
    if (text() == before || grid_.cellModified())
        return;
    // The first change of the text puts the record into edit state; when it
    // cannot go there, the text is as it was.
    try {
        grid_.beginCellChange();
    } catch (...) {
        setFieldText(before);
        throw;
    }
}

void CellEditor::noticeEditedText() {
    // Changes that came by other ways than keys (an input method).
    if (keyInProgress_ || grid_.cellModified())
        return;
    runUserAction([this] { grid_.beginCellChange(); }, [this] { grid_.revertEditorText(); });
}

// ---- The calendar drop-down

bool CellEditor::calendarOpen() const { return calendar_ && calendar_->isVisible(); }

QDate CellEditor::calendarStartDate() const {
    if (text().trimmed().isEmpty())
        return QDate::currentDate();
    const QDate typed = parseDateText(text());
    if (typed.isValid())
        return typed;
    const TField* field = grid_.currentField();
    const QDateTime stored = field ? field->AsDateTime() : QDateTime();
    return stored.isValid() ? stored.date() : QDate::currentDate();
}

void CellEditor::openCalendar() {
    if (!dropDown_ || calendarOpen())
        return;
    if (!calendar_) {
        calendar_ = new CalendarPopup(this);
        connect(calendar_, &CalendarPopup::dateChosen, this,
                [this](QDate date) { runUserAction([&] { grid_.acceptCalendarDate(date); }); });
        connect(calendar_, &CalendarPopup::closed, this, [this] { button_->setDown(false); });
    }
    calendar_->popUp(QRect(mapToGlobal(QPoint(0, 0)), size()), calendarStartDate(), font(), palette());
    button_->setDown(true);
}

void CellEditor::closeCalendar() {
    if (calendarOpen())
        calendar_->dismiss();
}
