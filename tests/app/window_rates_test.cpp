// What the panels' grids show of the rates and factors: the exact value in its
// shortest form with the workstation's decimal separator, in both grids, under a
// Colombian and under the C locale's formats; and on screen, a 19 % rate in the
// narrow Porc column shows both its digits, and a text too wide for its cell
// still starts with its first digits.

#include "app/CaptionedPanel.h"
#include "grid/DataGrid.h"
#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <set>

namespace {

enum Column { FecIni, FecFin, Porc, Factor, PrefNo };

// The columns (in device pixels from the cell's left edge) where a picture of a
// cell has anything but its background.
std::set<int> inkColumns(const QImage& image, const QRect& cell, QRgb background) {
    std::set<int> columns;
    for (int x = 0; x < cell.width(); ++x)
        for (int y = 0; y < cell.height(); ++y)
            if (image.pixel(cell.left() + x, cell.top() + y) != background) {
                columns.insert(x);
                break;
            }
    return columns;
}

class RatesShown : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // Standing rows: the rates 19, 5 and 0 with the factors 0.8, 0.75 and 12.3456.
        TSQLConnection c;
        db.connect(c);
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE_AUTO (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, "
                                 "AJCI_FACTOR) values (0, '2026-01-01', '2026-12-31', 19, 0.8)"));
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE_AUTO (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, "
                                 "AJCI_FACTOR) values (0, '2026-01-01', '2026-12-31', 5, 0.75)"));
        c.Execute(QStringLiteral("insert into AJUSTE_CIERRE_AUTO (AJCI_ID, AJCI_FECINI, AJCI_FECFIN, AJCI_PORC, "
                                 "AJCI_FACTOR) values (0, '2026-01-01', '2026-12-31', 0, 12.3456)"));
    }

    // Both panels open under the formats of `locale`.
    Tfvestacol& openPanels(const QLocale& locale) {
        FormatSettings::setCurrent(FormatSettings::fromLocale(locale));
        Tfvestacol& w = openWindowFor(db);
        typeLogin(db);
        leaveCia();
        EXPECT_TRUE(w.data().Quelmar.Connected());
        press(Qt::Key_F7);
        press(Qt::Key_F5);
        EXPECT_TRUE(w.AdvPanel1->isVisible() && w.AdvPanel2->isVisible());
        return w;
    }
    // The record of a grid whose column shows `text`, or -1.
    static int recordShowing(const DataGrid& grid, int column, const QString& text) {
        for (int r = 0; r < grid.dataSet()->RecordCount(); ++r)
            if (grid.cellText(column, r) == text)
                return r;
        return -1;
    }
    // Types a value into a cell of "Tarifas" as the user does, and moves on.
    void typeIntoTarifas(int record, int column, const char* text) {
        DataGrid& grid = *window->DBGridEh2;
        grid.setFocus(Qt::OtherFocusReason);
        press(Qt::Key_Home, Qt::ControlModifier);
        for (int r = 0; r < record; ++r)
            press(Qt::Key_Down);
        press(Qt::Key_Home);
        for (int c = 0; c < column; ++c)
            press(Qt::Key_Right);
        for (const char* c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
        press(Qt::Key_Up); // posts the row in the cache
    }

    CompanyDatabase db;
};

// A picture of a grid's data area and the ink of a text drawn on its own, by the
// plain painter, where a whole text of that alignment has to stand.
struct CellPicture {
    QImage grid;
    QImage alone;
    QRect cell; // the cell's text rectangle, in device pixels (no grid line in it)
    QRgb background;
};

CellPicture picture(DataGrid& grid, int column, int record, const QString& text, Qt::Alignment alignment) {
    const qreal ratio = grid.devicePixelRatioF();
    const QRect logical = grid.cellRect(column, record - grid.topRecord());
    CellPicture p;
    p.grid = grid.viewport()->grab().toImage();
    p.background = grid.palette().color(QPalette::Base).rgb();
    const QRect textArea = DataGrid::cellTextRect(logical).adjusted(-1, 0, 1, -1);
    p.cell = QRect(textArea.topLeft() * ratio, textArea.size() * ratio);
    p.alone = QImage(p.grid.size(), p.grid.format());
    p.alone.setDevicePixelRatio(ratio);
    p.alone.fill(p.background);
    QPainter painter(&p.alone);
    painter.setFont(grid.font());
    painter.setPen(grid.palette().color(QPalette::Text));
    // Right-aligned: the text ends at the right edge of the cell's text rectangle.
    QRect room = DataGrid::cellTextRect(logical);
    if (alignment & Qt::AlignRight)
        room.setLeft(room.left() + room.width() - painter.fontMetrics().horizontalAdvance(text));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    return p;
}

} // namespace

TEST_F(RatesShown, BothGridsShowTheExactValueInItsShortestFormUnderEveryLocale) {
    const struct {
        QLocale locale;
        const char* eightTenths;
        const char* threeQuarters;
        const char* fourDecimals;
    } locales[] = {
        {QLocale(QLocale::Spanish, QLocale::Colombia), "0,8", "0,75", "12,3456"},
        {QLocale::c(), "0.8", "0.75", "12.3456"},
    };
    for (const auto& l : locales) {
        SCOPED_TRACE(l.locale.name().toStdString());
        Tfvestacol& w = openPanels(l.locale);
        // "Tarifas": one row per rate of the company, factor 0.8; two factors typed,
        // with the point whatever the locale's separator.
        DataGrid& tarifas = *w.DBGridEh2;
        ASSERT_GE(recordShowing(tarifas, Porc, QStringLiteral("19")), 0);
        EXPECT_GE(recordShowing(tarifas, Porc, QStringLiteral("5")), 0);
        EXPECT_GE(recordShowing(tarifas, Porc, QStringLiteral("0")), 0);
        EXPECT_EQ(tarifas.cellText(Factor, 0), QString::fromLatin1(l.eightTenths));
        typeIntoTarifas(1, Factor, "0.75");
        typeIntoTarifas(2, Factor, "12.3456");
        EXPECT_EQ(tarifas.cellText(Factor, 1), QString::fromLatin1(l.threeQuarters));
        EXPECT_EQ(tarifas.cellText(Factor, 2), QString::fromLatin1(l.fourDecimals));

        // "Tarifas previstas": the standing rows as stored.
        DataGrid& standing = *w.DBGridEh1;
        const int nineteen = recordShowing(standing, Porc, QStringLiteral("19"));
        ASSERT_GE(nineteen, 0);
        EXPECT_EQ(standing.cellText(Factor, nineteen), QString::fromLatin1(l.eightTenths));
        const int five = recordShowing(standing, Porc, QStringLiteral("5"));
        ASSERT_GE(five, 0);
        EXPECT_EQ(standing.cellText(Factor, five), QString::fromLatin1(l.threeQuarters));
        const int zero = recordShowing(standing, Porc, QStringLiteral("0"));
        ASSERT_GE(zero, 0);
        EXPECT_EQ(standing.cellText(Factor, zero), QString::fromLatin1(l.fourDecimals));
        delete window.data();
    }
}

TEST_F(RatesShown, ARateOfNineteenShowsBothDigitsInTheNarrowColumnOfBothGrids) {
    Tfvestacol& w = openPanels(QLocale(QLocale::Spanish, QLocale::Colombia));
    w.Tusua->setFocus(Qt::OtherFocusReason); // no cell highlighted
    for (DataGrid* grid : {w.DBGridEh2, w.DBGridEh1}) {
        SCOPED_TRACE(grid->objectName().toStdString());
        const int record = recordShowing(*grid, Porc, QStringLiteral("19"));
        ASSERT_GE(record, 0);
        // Right-aligned in its 40 (38) pixels, exactly where the whole "19" goes.
        const CellPicture p = picture(*grid, Porc, record, QStringLiteral("19"), Qt::AlignRight);
        const std::set<int> shown = inkColumns(p.grid, p.cell, p.background);
        EXPECT_EQ(shown, inkColumns(p.alone, p.cell, p.background));
        EXPECT_GE(shown.size(), 4u); // two digits' worth of ink, not one
    }
}

TEST_F(RatesShown, ATextWiderThanItsCellKeepsItsFirstDigits) {
    Tfvestacol& w = openPanels(QLocale(QLocale::Spanish, QLocale::Colombia));
    typeIntoTarifas(1, Porc, "12,3456"); // a rate nobody has, but one the cell must show honestly
    w.Tusua->setFocus(Qt::OtherFocusReason);
    DataGrid& grid = *w.DBGridEh2;
    ASSERT_EQ(grid.cellText(Porc, 1), QStringLiteral("12,3456"));
    const QFontMetrics metrics = grid.fontMetrics();
    const QRect room = DataGrid::cellTextRect(grid.cellRect(Porc, 1 - grid.topRecord()));
    ASSERT_GT(metrics.horizontalAdvance(QStringLiteral("12,3456")), room.width()); // it does not fit
    // The first two digits stand at the cell's left edge, as they would alone there.
    const CellPicture p = picture(grid, Porc, 1, QStringLiteral("12"), Qt::AlignLeft);
    const qreal ratio = grid.devicePixelRatioF();
    const QRect digits(p.cell.topLeft(),
                       QSize(int(metrics.horizontalAdvance(QStringLiteral("12")) * ratio), p.cell.height()));
    EXPECT_EQ(inkColumns(p.grid, digits, p.background), inkColumns(p.alone, digits, p.background));
    // ... and the cut shows at the right end: ink there, where "12" alone has none.
    const QRect end(QPoint(int(p.cell.right() - 8 * ratio), p.cell.top()), QSize(int(6 * ratio), p.cell.height()));
    EXPECT_FALSE(inkColumns(p.grid, end, p.background).empty());
}
