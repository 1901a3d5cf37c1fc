// Makes the pictures of the grid for the README: a "Tarifas" panel with the cell
// editor open, and with the date drop-down open.
//   grid_screenshots [folder]     (default: docs)

#include "data/FormatSettings.h"
#include "grid/CalendarPopup.h"
#include "grid/CellEditor.h"
#include "grid/DataGrid.h"
#include "grid/RecordNavigator.h"
#include "tests/fixtures/DataSetRig.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include <cstdio>

namespace {

// The window and the popups over it, as one picture.
QImage shot(QWidget& window, QWidget* popup) {
    QRect area(QPoint(0, 0), window.size());
    QRect popupArea;
    if (popup && popup->isVisible()) {
        popupArea = QRect(popup->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)), popup->size());
        area = area.united(popupArea);
    }
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.drawPixmap(-area.topLeft(), window.grab());
    if (!popupArea.isNull())
        p.drawPixmap(popupArea.topLeft() - area.topLeft(), popup->grab());
    return image;
}

void keys(QWidget* target, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target, c.toLatin1());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);
    FormatSettings dayFirst;
    dayFirst.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    dayFirst.decimalSeparator = QLatin1Char(',');
    FormatSettings::setCurrent(dayFirst);

    DataSetRig rig;
    const QDate start(2026, 5, 23);
    rig.addAdjustment(1, start, Currency::fromInteger(19), Currency::fromUnits(8000), Value(QStringLiteral("FV")));
    rig.addAdjustment(2, start, Currency::fromInteger(5), Currency::fromUnits(8000), Value(QStringLiteral("FV")));
    rig.addAdjustment(3, start, Currency::fromInteger(0), Currency::fromUnits(8000));

    QWidget panel;
    panel.resize(305, 169);
    auto* layout = new QVBoxLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* caption = new QLabel(QStringLiteral(" Tarifas"), &panel);
    caption->setAutoFillBackground(true);
    caption->setBackgroundRole(QPalette::Highlight);
    caption->setForegroundRole(QPalette::HighlightedText);
    auto* grid = new DataGrid(&panel);
    auto* navigator = new RecordNavigator(&panel);
    layout->addWidget(caption);
    layout->addWidget(grid);
    layout->addWidget(navigator);
    grid->setColumns({{QStringLiteral("AJCI_FECINI"), QStringLiteral("F.Desde"), 75},
                      {QStringLiteral("AJCI_FECFIN"), QStringLiteral("F.Hasta"), 75},
                      {QStringLiteral("AJCI_PORC"), QStringLiteral("Porc"), 40},
                      {QStringLiteral("AJCI_FACTOR"), QStringLiteral("Factor"), 50},
                      {QStringLiteral("AJCI_PREFNO"), QStringLiteral("Pref.N/A"), 40}});
    rig.CAjuste.Open();
    grid->setDataSet(&rig.CAjuste);
    navigator->setDataSet(&rig.CAjuste);
    panel.show();
    QApplication::setActiveWindow(&panel);
    if (!QTest::qWaitForWindowActive(&panel))
        std::fprintf(stderr, "the panel did not become active\n");
    grid->setFocus();

    // The factor of the second row being typed.
    QTest::keyClick(grid, Qt::Key_Down);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(grid, Qt::Key_Right);
    keys(grid, QStringLiteral("0.85"));
    QCoreApplication::processEvents();
    const QString editorFile = folder + QStringLiteral("/grid-editor.png");
    const bool editorSaved = shot(panel, nullptr).save(editorFile);

    // The last day of the first row, with its calendar dropped down.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Home);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(grid->editor(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(grid->editor(), Qt::Key_Right);
    QCoreApplication::processEvents();
    const QString calendarFile = folder + QStringLiteral("/grid-calendar.png");
    const bool calendarSaved = shot(panel, grid->editor()->calendar()).save(calendarFile);

    grid->setDataSet(nullptr);
    navigator->setDataSet(nullptr);
    std::printf("%s %s\n%s %s\n", qPrintable(editorFile), editorSaved ? "written" : "NOT written",
                qPrintable(calendarFile), calendarSaved ? "written" : "NOT written");
    return editorSaved && calendarSaved ? 0 : 1;
}
