// Makes the picture of the window with the "Tarifas" panel open for the README: a
// demo company connected and F5 pressed, as a person does.
//   window_screenshot_tarifas [FILE.png]     (default: docs/window-tarifas.png)

#include "app/Application.h"
#include "app/CaptionedPanel.h"
#include "app/Tfvestacol.h"
#include "data/FormatSettings.h"
#include "tests/fixtures/CompanyDatabase.h"
#include "tests/fixtures/InstallationFolder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    dayFirst.decimalSeparator = QLatin1Char(',');
    FormatSettings::setCurrent(dayFirst);

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

    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/window-tarifas.png");
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(file));
        return 1;
    }
    std::printf("%s\n", qUtf8Printable(file));
    return 0;
}
