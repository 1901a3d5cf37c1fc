#pragma once
// The main window fvestacol: the connection data, the date range, the posting
// button and the closing-adjustment panels. Its handlers are thin; the work is
// done by the configuration, connection and data modules. The window owns every
// object it creates, the data objects included, and is destroyed when closed.

#include "posting/DataModule.h"
#include "app/DatePicker.h"
#include "errors/ErrorHandlers.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class CaptionedPanel;
class DataGrid;
class RecordNavigator;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

class Tfvestacol : public QWidget {
    Q_OBJECT

public:
    explicit Tfvestacol(QWidget* parent = nullptr);
    ~Tfvestacol() override;

    DataModule& data() { return *data_; }

    // ---- Controls, in tab order within their parents
    QFrame* Panel2 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* Servidor = nullptr;
    QLineEdit* Tusua = nullptr;
    QLineEdit* TClave = nullptr;
    QLineEdit* Cia = nullptr;
    QCheckBox* ckniif = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    DatePicker* EFecIni = nullptr;
    DatePicker* EFecFin = nullptr;
    QFrame* Panel1 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Panel5 = nullptr;
    CaptionedPanel* AdvPanel1 = nullptr;
    CaptionedPanel* AdvPanel2 = nullptr;
    DataGrid* DBGridEh2 = nullptr;           // "Tarifas", over CAjuste
    RecordNavigator* DBNavigator1 = nullptr;
    DataGrid* DBGridEh1 = nullptr;           // "Tarifas previstas", over CAjusteAu
    RecordNavigator* DBNavigator2 = nullptr;

    // The server list file's entries, as the selector shows them.
    QStringList ServerList;
    // True from creation until the first activation.
    bool FirstActivation = false;
    // The command line: program, then server, user, password and company for an
    // unattended run.
    QStringList Arguments;
    // The command line names a company: the first activation posts by itself.
    static bool asksForUnattendedRun(const QStringList& arguments) {
        return arguments.size() >= 5 && !arguments[4].isEmpty();
    }
    // No display and nobody to close a box: an unattended run that stops on an error
    // ends the program instead of waiting.
    bool Headless = false;

    // ---- Handlers
    void FormCreate();
    void FormActivate();
    // The window sees every key before the focused control and never consumes it.
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void FormClose();
    // Enter in a field moves on to the next one, as Tab does.
    void Enteratab();
    // Leaving the company field connects to the company's database.
    void CiaExit();
    // Posts the cash sales of the date range, then closes the window.
    void SpeedButton3Click();
    void SpeedButton2Click();

    QString diraplicacion();
    // Hooks the error handlers into every provider and cached dataset of the window.
    void ConfigurarProviders();
    // The handlers themselves (ManejarError, ManejarClientError, mostrar_advertencia).
    ErrorHandlers& errorHandlers() { return *errors_; }
    // F5 and F7: show, or save and hide, "Tarifas" and "Tarifas previstas".
    void AlternarTarifas();
    void AlternarTarifasPrevistas();
    // A new standing row starts with key 0; the database gives it its own.
    void CAjusteAuAfterInsert();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createPanels();
    void setTabOrder();
    void layoutControls();
    void fillServerSelector();
    // Shows a line in Panel5 and paints it before a long wait.
    void showProgress(const QString& text);
    void hideProgress();
    bool isEnterToTabControl(QObject* object) const;
    // Raises, with the focus put in the picker, when a date picker's text is no
    // whole date: nothing is posted or filtered on a date that is not the one shown.
    void requireDateRange();
    // The first activation's work, and what follows it when nobody is there.
    void activated();
    void selectServer(const QString& entry);

    std::unique_ptr<DataModule> data_;
    std::unique_ptr<ErrorHandlers> errors_;
    bool shownOnce_ = false;
    bool unattended_ = false;
    // The unattended run could not save the day's adjustment rows before posting.
    bool adjustmentsSaveFailed_ = false;
};
