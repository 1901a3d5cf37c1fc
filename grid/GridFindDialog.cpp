#include "grid/GridFindDialog.h"

#include "data/TClientDataSet.h"
#include "grid/DataGrid.h"
#include "grid/DesignFont.h"
#include "grid/KeyModifiers.h"
#include "grid/UserAction.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

namespace {

constexpr int kClientWidth = 505;
constexpr int kClientHeight = 124;
constexpr int kListRows = 17;
const QString kAllColumns = QStringLiteral("<All>");

QPointer<GridFindDialog>& programDialog() {
    static QPointer<GridFindDialog> dialog;
    return dialog;
}

GridFindDialog::ShowModal& showModal() {
    static GridFindDialog::ShowModal show;
    return show;
}

// The order of the direction list; a position outside it searches from the first row.
FindDirection directionAt(int index) {
    switch (index) {
    case 0: return FindDirection::Up;
    case 1: return FindDirection::Down;
    default: return FindDirection::FromFirst;
    }
}

FindMatching matchingAt(int index) {
    switch (index) {
    case 1: return FindMatching::WholeField;
    case 2: return FindMatching::FromBeginning;
    default: return FindMatching::AnyPart;
    }
}

} // namespace

GridFindDialog& GridFindDialog::program() {
    QPointer<GridFindDialog>& dialog = programDialog();
    if (!dialog) {
        dialog = new GridFindDialog;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog, &GridFindDialog::releaseProgram);
    }
    return *dialog;
}

void GridFindDialog::releaseProgram() { delete programDialog().data(); }

void GridFindDialog::setShowModal(ShowModal show) { showModal() = std::move(show); }

GridFindDialog::GridFindDialog() : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    FormCreate();
}

void GridFindDialog::FormCreate() {
    setObjectName(QStringLiteral("GridFindDialog"));
    setWindowTitle(QStringLiteral("Find text"));
    setFont(designFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedSize(kClientWidth, kClientHeight);

    const auto label = [this](const char* name, const QString& text, QWidget* buddy, QRect place) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setBuddy(buddy);
        // The design's labels are as wide as their text in the design's face; the
        // narrowed stand-in keeps each text whole within that width.
        l->setFont(narrowDesignFont());
        l->setGeometry(place);
        return l;
    };
    const auto combo = [this](const char* name, int left, int top, int width) {
        auto* c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->setGeometry(left, top, width, 21);
        c->setMaxVisibleItems(kListRows);
        return c;
    };
    const auto check = [this](const char* name, const QString& text, int left, bool checked) {
        auto* c = new QCheckBox(text, this);
        c->setObjectName(QLatin1String(name));
        c->setGeometry(left, 105, 144, 14);
        c->setChecked(checked);
        return c;
    };
    const auto button = [this](const char* name, const QString& text, int top, int height) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(413, top, 82, height);
        // Enter belongs to the dialog's own key handling, never to a default button.
        b->setAutoDefault(false);
        return b;
    };

    cbText = combo("cbText", 88, 9, 316);
    cbText->setEditable(true);
    // The history is kept by Find next alone, and typing completes nothing.
    cbText->setInsertPolicy(QComboBox::NoInsert);
    cbText->setCompleter(nullptr);
    cbFindIn = combo("cbFindIn", 88, 32, 192);
    cbMatchinType = combo("cbMatchinType", 88, 55, 144);
    cbMatchinType->addItems({QStringLiteral("From any part of field"), QStringLiteral("Whole field"),
                             QStringLiteral("From beging of field")});
    cbFindDirection = combo("cbFindDirection", 88, 79, 144);
    cbFindDirection->addItems({QStringLiteral("Up"), QStringLiteral("Down"), QStringLiteral("All")});
    cbFindDirection->setCurrentIndex(2);
    cbCharCase = check("cbCharCase", QStringLiteral("Match &Case"), 88, false);
    cbUseFormat = check("cbUseFormat", QStringLiteral("Match F&ormat"), 260, true);
    bFind = button("bFind", QStringLiteral("&Find next"), 9, 23);
    bCancel = button("bCancel", QStringLiteral("Close"), 37, 22);

    Label1 = label("Label1", QStringLiteral("Fi&nd What:"), cbText, {10, 12, 52, 13});
    Label2 = label("Label2", QStringLiteral("Find &in:"), cbFindIn, {10, 35, 34, 13});
    cbMatchType = label("cbMatchType", QStringLiteral("Matc&h:"), cbMatchinType, {10, 58, 33, 13});
    Label3 = label("Label3", QStringLiteral("Sea&rch:"), cbFindDirection, {10, 82, 37, 13});

    QWidget* order[] = {cbText, cbFindIn, cbMatchinType, cbFindDirection, cbCharCase, cbUseFormat, bFind, bCancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cbText, &QComboBox::editTextChanged, this, &GridFindDialog::cbTextChange);
    connect(cbFindDirection, &QComboBox::currentIndexChanged, this, &GridFindDialog::cbTextChange);
    connect(cbFindIn, &QComboBox::currentIndexChanged, this, &GridFindDialog::cbFindInChange);
    connect(bFind, &QPushButton::clicked, this, [this] { runUserAction([this] { bFindClick(); }); });
    connect(bCancel, &QPushButton::clicked, this, &GridFindDialog::bCancelClick);

    // Key preview: the dialog sees Enter and Esc before the control with the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

QStringList GridFindDialog::history() const {
    QStringList texts;
    for (int i = 0; i < cbText->count(); ++i)
        texts << cbText->itemText(i);
    return texts;
}

void GridFindDialog::openFor(DataGrid& grid) {
    setFixedHeight(kClientHeight);
    cbText->setEditText(QString());
    grid_ = &grid;
    fillFindIn(grid);
    firstTry_ = true;
    cbText->setFocus(Qt::OtherFocusReason);
    centreOnScreen(grid);
    if (showModal())
        showModal()(*this);
    else
        exec();
    if (!isVisible() && grid_) {
        grid_->activateWindow();
        grid_->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void GridFindDialog::fillFindIn(const DataGrid& grid) {
    {
        const QSignalBlocker detached(cbFindIn);
        cbFindIn->clear();
        for (const GridColumn& column : grid.columns())
            cbFindIn->addItem(column.caption(), column.fieldName);
        cbFindIn->addItem(kAllColumns);
    }
    const int current = grid.currentColumn();
    const int columns = int(grid.columns().size());
    const QString caption = current >= 0 && current < columns ? grid.columns()[std::size_t(current)].caption() : QString();
    int chosen = cbFindIn->count() - 1;
    for (int i = 0; i < columns; ++i) {
        if (cbFindIn->itemText(i).compare(caption, Qt::CaseInsensitive) == 0) {
            chosen = i;
            break;
        }
    }
    cbFindIn->setCurrentIndex(chosen);
}

void GridFindDialog::centreOnScreen(const DataGrid& grid) {
    const QScreen* screen = grid.screen() ? grid.screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - rect().center());
}

void GridFindDialog::addToHistory(const QString& text) {
    if (cbText->findText(text, Qt::MatchFixedString) >= 0)
        return;
    // Adding the first entry would set the box's text (to itself) and clear its
    // modified mark; neither is a change of the text.
    const bool modified = cbText->lineEdit()->isModified();
    {
        const QSignalBlocker quiet(cbText);
        cbText->addItem(text);
        cbText->setEditText(text);
    }
    cbText->lineEdit()->setModified(modified);
}

void GridFindDialog::bFindClick() {
    const bool ctrlHeld = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    const QString text = cbText->currentText();
    addToHistory(text);
    DataGrid* grid = grid_;
    if (!grid || !grid->dataSet() || !grid->dataSet()->Active())
        return;

    FindOptions options;
    if (!cbCharCase->isChecked())
        options |= FindOption::CaseInsensitive;
    if (cbUseFormat->isChecked())
        options |= FindOption::MatchDisplayText;
    const bool allColumns = cbFindIn->currentIndex() == cbFindIn->count() - 1;
    if (allColumns)
        options |= FindOption::AllColumns;

    FindDirection direction = directionAt(cbFindDirection->currentIndex());
    // Ctrl turns the search round.
    if (ctrlHeld)
        direction = direction == FindDirection::Up ? FindDirection::Down : FindDirection::Up;
    // Searching "All" again goes on from the row found.
    if (!firstTry_ && direction == FindDirection::FromFirst)
        direction = FindDirection::Down;

    const QString fieldName = allColumns ? QString() : cbFindIn->currentData().toString();
    // Nothing found: no message and no sound; the grid is where it was.
    if (grid->FindCellText(fieldName, text, options, direction, matchingAt(cbMatchinType->currentIndex())))
        firstTry_ = false;
}

void GridFindDialog::bCancelClick() { reject(); }

void GridFindDialog::cbTextChange() { firstTry_ = true; }

void GridFindDialog::cbFindInChange() { firstTry_ = true; }

bool GridFindDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isAncestorOf(qobject_cast<QWidget*>(watched)))
        return FormKeyDown(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

bool GridFindDialog::focusedListOpen() const {
    const auto* box = qobject_cast<const QComboBox*>(focusWidget());
    return box && box->view()->isVisible();
}

bool GridFindDialog::FormKeyDown(QKeyEvent* event) {
    const bool enter = isEnterKey(event->key());
    if (!enter && event->key() != Qt::Key_Escape)
        return false;
    // An open drop-down list takes both keys itself.
    if (focusedListOpen())
        return false;
    QLineEdit* textEdit = cbText->lineEdit();
    if (!enter && focusWidget() == cbText && textEdit->isModified()) {
        // The text box keeps an Esc after an edit: the dialog stays open, and the
        // next Esc closes it.
        textEdit->setModified(false);
        return true;
    }
    if (enter)
        runUserAction([this] { bFindClick(); });
    // Esc goes on to the dialog, which closes as by its Close button.
    textEdit->setModified(false);
    return false;
}
