// What the grid shows: rows and columns laid out from the font and the column
// list, the indicator glyphs pixel for pixel, the focus highlight, the grid lines
// and the records kept in view.

#include "data/FormatSettings.h"
#include "tests/grid/GridFixture.h"

#include <QFontMetrics>
#include <QImage>

namespace {

// The glyphs as drawn on screen: '#' black (or yellow for the search mark), '.' background.
const char* const kArrow[] = {"#.....", "##....", "###...", "####..", "#####.", "######",
                              "#####.", "####..", "###...", "##....", "#....."};
const char* const kIBeam[] = {"##..##", "..##..", "..##..", "..##..", "..##..", "..##..",
                              "..##..", "..##..", "..##..", "..##..", "##..##"};
const char* const kAsterisk[] = {"......", "......", "......", ".#..#.", "..##..", "######",
                                 "..##..", ".#..#.", "......", "......", "......"};

class Display : public GridTest {
protected:
    QImage shot() const { return grid->viewport()->grab().toImage(); }
    QRgb pixel(const QImage& image, int x, int y) const { return image.pixel(x, y); }
    QRgb colour(QPalette::ColorRole role) const { return grid->palette().color(role).rgb(); }

    // Compares the 6 x 11 pixels of the glyph in a screen row's indicator cell.
    void expectGlyph(const char* const pattern[], QColor ink, int screenRow) {
        const QImage image = shot();
        // Centred in the 11-pixel column then one pixel right; centred in the row.
        const int left = (DataGrid::indicatorWidth - 6) / 2 + 1;
        const int top = grid->titleRowHeight() + screenRow * grid->dataRowHeight() + (grid->dataRowHeight() - 11) / 2;
        const QRgb background = colour(QPalette::Button);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 6; ++x) {
                const QRgb expected = pattern[y][x] == '#' ? ink.rgb() : background;
                EXPECT_EQ(pixel(image, left + x, top + y), expected) << "glyph pixel " << x << "," << y;
            }
        // Nothing of the mark beside the glyph's box.
        EXPECT_EQ(pixel(image, left - 1, top + 5), background);
        EXPECT_EQ(pixel(image, left + 6, top + 5), background);
    }
};

TEST_F(Display, RowHeightsComeFromTheFontAndRowsFollowEachOther) {
    const int text = QFontMetrics(grid->font()).height();
    EXPECT_EQ(grid->titleRowHeight(), text + 4);
    EXPECT_EQ(grid->dataRowHeight(), text + 3 + 1);
    open(3);
    EXPECT_EQ(grid->cellRect(Porc, 0).top(), grid->titleRowHeight());
    EXPECT_EQ(grid->cellRect(Porc, 1).top() - grid->cellRect(Porc, 0).top(), grid->dataRowHeight());
    // Columns: the indicator, then each width plus one line.
    EXPECT_EQ(grid->cellRect(FecIni, 0).left(), DataGrid::indicatorWidth + 1);
    EXPECT_EQ(grid->cellRect(FecFin, 0).left(), DataGrid::indicatorWidth + 1 + 75 + 1);
    EXPECT_EQ(grid->cellRect(FecFin, 0).width(), 75);
    // The design font gives 17-pixel rows.
    if (text == 13) {
        EXPECT_EQ(grid->titleRowHeight(), 17);
        EXPECT_EQ(grid->dataRowHeight(), 17);
    }
}

TEST_F(Display, TitlesAreTheColumnTitlesOrElseTheFieldLabels) {
    open(1);
    std::vector<GridColumn> columns = tarifasColumns();
    EXPECT_EQ(grid->columns()[Porc].caption(), QStringLiteral("Porc"));
    columns[FecIni].title = QStringLiteral("Fec.Desde");
    columns[Factor].title.clear();
    columns[PrefNo].title.clear();
    field("AJCI_PREFNO").DisplayLabel.clear();
    grid->setColumns(columns);
    EXPECT_EQ(grid->columns()[FecIni].caption(), QStringLiteral("Fec.Desde"));
    EXPECT_EQ(grid->columns()[Factor].caption(), QStringLiteral("Factor")); // the field's label
    EXPECT_EQ(grid->columns()[PrefNo].caption(), QStringLiteral("AJCI_PREFNO")); // no label: the name
    EXPECT_EQ(grid->columns()[PrefNo].width, 40);
}

TEST_F(Display, CellsShowWhatTheFieldShowsForItsRecord) {
    rig.addAdjustment(1, QDate(2026, 5, 23), Currency::fromUnits(190000), Currency::fromUnits(8000),
                      Value(QStringLiteral("FV")));
    rig.addAdjustment(2, QDate(2026, 6, 1), Currency::fromUnits(0), Currency::fromUnits(-12345));
    open(0);
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        FormatSettings settings;
        settings.decimalSeparator = separator;
        FormatSettings::setCurrent(settings);
        for (int record = 0; record < 2; ++record) {
            ds.MoveBy(record - ds.RecNo());
            for (int c = FecIni; c <= PrefNo; ++c)
                EXPECT_EQ(cell(c, record), grid->columns()[std::size_t(c)].field->DisplayText())
                    << "column " << c << " record " << record;
        }
        // Another record's cell, read while this one is current.
        EXPECT_EQ(cell(Porc, 0), QStringLiteral("19"));
        EXPECT_EQ(cell(Factor, 1), separator == QLatin1Char('.') ? QStringLiteral("-1.2345") : QStringLiteral("-1,2345"));
    }
    FormatSettings::setCurrent(FormatSettings{});
}

TEST_F(Display, TheIndicatorShowsTheStateOfTheCurrentRecordBitForBit) {
    open(3);
    press(Qt::Key_Down);
    expectGlyph(kArrow, Qt::black, 1);
    type(QStringLiteral("7"));
    ASSERT_EQ(state(), TDataSetState::dsEdit);
    expectGlyph(kIBeam, Qt::black, 1);
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    press(Qt::Key_Insert);
    ASSERT_EQ(state(), TDataSetState::dsInsert);
    expectGlyph(kAsterisk, Qt::black, 1);
    press(Qt::Key_Escape);
    grid->setSearchMarkShown(true);
    expectGlyph(kArrow, QColor(255, 255, 0), 1);
    // The other rows' indicator cells are empty.
    const QImage image = shot();
    const int left = (DataGrid::indicatorWidth - 6) / 2 + 1;
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(pixel(image, left, grid->titleRowHeight() + 3 + y), colour(QPalette::Button));
}

TEST_F(Display, OnlyTheCurrentCellIsHighlightedAndOnlyWhileTheGridHasTheFocus) {
    open(3);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    const QRgb highlight = colour(QPalette::Highlight);
    const QRgb base = colour(QPalette::Base);
    QImage image = shot();
    const QRect current = grid->cellRect(FecFin, 1);
    EXPECT_EQ(pixel(image, current.left() + 1, current.bottom() - 1), highlight);
    EXPECT_EQ(pixel(image, grid->cellRect(FecIni, 1).left() + 1, current.bottom() - 1), base);
    EXPECT_EQ(pixel(image, current.left() + 1, grid->cellRect(FecFin, 0).bottom() - 1), base);

    elsewhere->setFocus();
    image = shot();
    EXPECT_EQ(pixel(image, current.left() + 1, current.bottom() - 1), base);
}

TEST_F(Display, LinesAndRaisedFixedCells) {
    open(2);
    const QImage image = shot();
    const QRect first = grid->cellRect(FecIni, 0);
    const QRgb dataLine = qRgb(192, 192, 192), fixedLine = qRgb(128, 128, 128);
    // Between data cells, and carried down below the last record to the bottom.
    EXPECT_EQ(pixel(image, first.right() + 1, first.center().y()), dataLine);
    EXPECT_EQ(pixel(image, first.center().x(), first.bottom() + 1), dataLine);
    const int belowLast = grid->cellRect(FecIni, 3).center().y();
    EXPECT_EQ(pixel(image, first.right() + 1, belowLast), dataLine);
    EXPECT_EQ(pixel(image, first.center().x(), belowLast), colour(QPalette::Base));
    // The fixed area's lines, and its raised edges.
    EXPECT_EQ(pixel(image, first.center().x(), grid->titleRowHeight() - 1), fixedLine);
    EXPECT_EQ(pixel(image, DataGrid::indicatorWidth, first.center().y()), fixedLine);
    const QRect title = grid->titleRect(FecIni);
    EXPECT_EQ(pixel(image, title.center().x(), title.top()), colour(QPalette::Light));
    EXPECT_EQ(pixel(image, title.center().x(), title.bottom()), colour(QPalette::Dark));
}

TEST_F(Display, AClosedDatasetLeavesTheTitleRowOnly) {
    open(2);
    const int y = grid->cellRect(FecIni, 0).center().y();
    EXPECT_EQ(pixel(shot(), 2, y), colour(QPalette::Button));
    ds.Close();
    EXPECT_EQ(pixel(shot(), 2, y), colour(QPalette::Base));
    EXPECT_EQ(cell(Porc, 0), QString());
    ds.Open();
    EXPECT_EQ(cell(Porc, 0), QStringLiteral("5"));
}

TEST_F(Display, TheCurrentRecordAndColumnStayInView) {
    open(40);
    const int rows = grid->fullyVisibleRows();
    ASSERT_LT(rows, 40);
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(ds.RecNo(), 39);
    EXPECT_EQ(grid->topRecord(), 40 - rows);
    EXPECT_EQ(grid->currentScreenRow(), rows - 1);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->topRecord(), 0);
    // One row past the bottom scrolls by one row.
    for (int i = 0; i < rows; ++i)
        press(Qt::Key_Down);
    EXPECT_EQ(grid->topRecord(), 1);
    EXPECT_EQ(grid->currentScreenRow(), rows - 1);
    // The last column is brought into view whole.
    press(Qt::Key_End);
    const QRect last = grid->cellRect(PrefNo, grid->currentScreenRow());
    ASSERT_FALSE(last.isEmpty());
    EXPECT_LE(last.right(), grid->viewport()->width());
    press(Qt::Key_Home);
    EXPECT_EQ(grid->cellRect(FecIni, 0).left(), DataGrid::indicatorWidth + 1);
}

} // namespace
