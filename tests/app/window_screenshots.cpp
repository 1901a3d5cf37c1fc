// Makes the pictures of the window for the README, as a person on a Colombian
// workstation sees them: a demo company connected, the "Tarifas" panel opened
// with F5, and the find dialog opened over its Porc column with Ctrl+F twice. At
// the scale the platform is given (QT_SCALE_FACTOR=2 for 200 %), the pictures
// have that many pixels per designed pixel.
//   window_screenshots [FOLDER [SUFFIX]]   (default: docs, no suffix)
// writes FOLDER/window-tarifasSUFFIX.png and FOLDER/find-dialogSUFFIX.png.

#include "app/Application.h"
#include "app/CaptionedPanel.h"
#include "app/Tfvestacol.h"
#include "data/FormatSettings.h"
#include "grid/DataGrid.h"
#include "grid/GridFindDialog.h"
#include "tests/fixtures/CompanyDatabase.h"
#include "tests/fixtures/InstallationFolder.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget& widget, const QString& file) {
    const bool saved = widget.grab().save(file);
    std::printf("%s %s\n", qUtf8Printable(file), saved ? "written" : "NOT written");
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QDir().mkpath(folder);
    FormatSettings::setCurrent(FormatSettings::fromLocale(QLocale(QLocale::Spanish, QLocale::Colombia)));

    InstallationFolder installation;
    CompanyDatabase db(/*demo=*/true, QStringLiteral("07"));
    installation.writeServerList(db.serverEntry(ConnectionKind::Embedded).toUtf8() + "\r\n");

    Tfvestacol window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QTest::qWait(20);
    window.Tusua->setText(QStringLiteral("SYSDBA"));
    window.TClave->setText(QStringLiteral("masterkey"));
    window.Cia->setText(QStringLiteral("07"));
    window.CiaExit();
    window.AlternarTarifas();
    QTest::qWait(20);
    bool saved = save(window, folder + QStringLiteral("/window-tarifas") + suffix + QStringLiteral(".png"));

    // The dialog is shown without a loop of its own, so that it can be pictured.
    GridFindDialog::setShowModal([](GridFindDialog& dialog) { dialog.show(); });
    window.DBGridEh2->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(window.DBGridEh2, Qt::Key_Home); // to the Porc column
    QTest::keyClick(window.DBGridEh2, Qt::Key_Right);
    QTest::keyClick(window.DBGridEh2, Qt::Key_Right);
    QTest::keyClick(window.DBGridEh2, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(window.DBGridEh2, Qt::Key_F, Qt::ControlModifier);
    GridFindDialog& dialog = GridFindDialog::program();
    if (auto* text = dialog.findChild<QComboBox*>(QStringLiteral("cbText")))
        text->setEditText(QStringLiteral("19"));
    QTest::qWait(20);
    saved = save(dialog, folder + QStringLiteral("/find-dialog") + suffix + QStringLiteral(".png")) && saved;
    dialog.hide();
    return saved ? 0 : 1;
}
