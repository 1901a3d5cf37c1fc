#pragma once
// The find dialog of the grids: one for the whole program, shared by every grid
// and opened modally over one of them at a time. It looks for a text in one
// column or in all shown columns, up, down or from the first row, and remembers
// the texts searched and its settings until the program ends.

#include <QDialog>
#include <QPointer>

#include <functional>

class DataGrid;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;

class GridFindDialog : public QDialog {
    Q_OBJECT

public:
    // The program's dialog, made on first use; it lives until the program ends.
    static GridFindDialog& program();
    // Destroys it: at the program's end, and between tests.
    static void releaseProgram();

    // How the dialog is shown modally: exec() unless replaced (tests show it
    // without a loop of its own and drive it from outside).
    using ShowModal = std::function<void(GridFindDialog&)>;
    static void setShowModal(ShowModal show);

    // Opens the dialog over `grid` with an empty text to find, its columns to
    // choose from, and the current column chosen; returns when it is closed.
    void openFor(DataGrid& grid);
    DataGrid* grid() const { return grid_; }
    // No search since the opening, or since the text, direction or column last
    // changed, has found anything yet.
    bool firstTry() const { return firstTry_; }
    QStringList history() const;

    // The handlers of its controls.
    void bFindClick();
    void bCancelClick();
    void cbTextChange();
    void cbFindInChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridFindDialog();
    void FormCreate();
    // Enter and Esc seen before the control that has the focus; true when taken.
    bool FormKeyDown(QKeyEvent* event);
    bool focusedListOpen() const;
    void addToHistory(const QString& text);
    void fillFindIn(const DataGrid& grid);
    void centreOnScreen(const DataGrid& grid);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* cbMatchType = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cbText = nullptr;
    QComboBox* cbFindIn = nullptr;
    QComboBox* cbMatchinType = nullptr;
    QComboBox* cbFindDirection = nullptr;
    QCheckBox* cbCharCase = nullptr;
    QCheckBox* cbUseFormat = nullptr;
    QPushButton* bFind = nullptr;
    QPushButton* bCancel = nullptr;

    QPointer<DataGrid> grid_;
    bool firstTry_ = true;
};
