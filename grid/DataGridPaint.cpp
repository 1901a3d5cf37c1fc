// Drawing the grid: the raised title and indicator cells, the data cells with the
// current one highlighted while the grid has the focus, the grid lines (carried
// down to the bottom below the last record) and the marks of a column drag. A
// data cell's text that is wider than the cell keeps its first characters.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "data/TField.h"
#include "grid/CellTextLayout.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

const QColor kDataLineColour(192, 192, 192);
const QColor kFixedLineColour(128, 128, 128);

// A raised cell: light top and left edge, dark bottom and right edge.
void drawRaisedCell(QPainter& painter, const QRect& cell, const QPalette& palette) {
    painter.fillRect(cell, palette.button());
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(cell.topLeft(), cell.topRight());
    painter.drawLine(cell.topLeft(), cell.bottomLeft());
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    painter.drawLine(cell.topRight(), cell.bottomRight());
}

void drawTitleText(QPainter& painter, const QRect& cell, const QString& text) {
    painter.save();
    painter.setClipRect(cell);
    painter.drawText(DataGrid::cellTextRect(cell), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}

// A data cell's text: by its alignment when it fits, else from the left edge and
// cut with "…" at the right (CellTextLayout.h).
void drawCellText(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment alignment) {
    const QRect textRect = DataGrid::cellTextRect(cell);
    const CellTextPlacement placed = placeCellText(painter.fontMetrics(), textRect, text, alignment);
    painter.save();
    painter.setClipRect(cell);
    painter.drawText(QRect(placed.left, textRect.top(), textRect.right() - placed.left + 1, textRect.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, placed.shown);
    painter.restore();
}

} // namespace

IndicatorGlyph DataGrid::currentGlyph() const {
    if (!active())
        return IndicatorGlyph::None;
    switch (dataSet_->State()) {
    case TDataSetState::dsEdit: return IndicatorGlyph::Edit;
    case TDataSetState::dsInsert: return IndicatorGlyph::Insert;
    case TDataSetState::dsBrowse:
        if (dataSet_->IsEmpty())
            return IndicatorGlyph::None;
        return searchMark_ ? IndicatorGlyph::Search : IndicatorGlyph::Browse;
    default: return IndicatorGlyph::None;
    }
}

void DataGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    paintDataRows(painter);
    paintTitleRow(painter);
    paintDragMarks(painter);
}

void DataGrid::paintTitleRow(QPainter& painter) {
    const QPalette& pal = palette();
    const int lineY = titleHeight_ - 1;
    painter.setPen(kFixedLineColour);
    painter.drawLine(0, lineY, viewport()->width(), lineY);
    drawRaisedCell(painter, QRect(0, 0, indicatorWidth, titleHeight_ - 1), pal);
    painter.setPen(kFixedLineColour);
    painter.drawLine(indicatorWidth, 0, indicatorWidth, lineY);
    for (int c = leftColumn_; c < int(columns_.size()); ++c) {
        const QRect cell = titleRect(c);
        if (cell.left() > viewport()->width())
            break;
        drawRaisedCell(painter, cell, pal);
        painter.setPen(pal.color(QPalette::ButtonText));
        drawTitleText(painter, cell, columns_[std::size_t(c)].caption());
        painter.setPen(kFixedLineColour);
        painter.drawLine(cell.right() + 1, 0, cell.right() + 1, lineY);
    }
}

void DataGrid::paintDataRows(QPainter& painter) {
    const QPalette& pal = palette();
    const int height = viewport()->height();
    const int count = recordCount();
    const int rows = shownRows();
    const int current = currentRecord();
    const bool highlight = hasFocus() && !editorShown_;

    // The data columns' vertical lines run to the bottom even below the last record.
    painter.setPen(kDataLineColour);
    for (int c = leftColumn_; c < int(columns_.size()); ++c) {
        const QRect title = titleRect(c);
        if (title.left() > viewport()->width())
            break;
        painter.drawLine(title.right() + 1, titleHeight_, title.right() + 1, height);
    }
    painter.setPen(kFixedLineColour);
    painter.drawLine(indicatorWidth, titleHeight_, indicatorWidth, height);

    for (int row = 0; row < rows; ++row) {
        const int record = topRecord_ + row;
        if (record >= count)
            break;
        const int top = titleHeight_ + row * rowHeight_;
        const int lineY = top + rowHeight_ - 1;

        const QRect indicator(0, top, indicatorWidth, rowHeight_ - 1);
        drawRaisedCell(painter, indicator, pal);
        if (record == current)
            drawIndicatorGlyph(painter, QRect(0, top, indicatorWidth, rowHeight_), currentGlyph());
        painter.setPen(kFixedLineColour);
        painter.drawLine(0, lineY, indicatorWidth, lineY);

        for (int c = leftColumn_; c < int(columns_.size()); ++c) {
            const QRect cell = cellRect(c, row);
            if (cell.left() > viewport()->width())
                break;
            const GridColumn& column = columns_[std::size_t(c)];
            const bool isCurrent = highlight && record == current && c == currentColumn_;
            painter.fillRect(cell, isCurrent ? pal.highlight() : pal.base());
            if (column.field) {
                painter.setPen(pal.color(isCurrent ? QPalette::HighlightedText : QPalette::Text));
                drawCellText(painter, cell, cellText(c, record), column.field->Alignment());
            }
            if (isCurrent && searchMark_)
                paintIncSearchText(painter, cell, c, record);
        }
        painter.setPen(kDataLineColour);
        painter.drawLine(dataAreaLeft(), lineY, viewport()->width(), lineY);
    }
}

void DataGrid::paintDragMarks(QPainter& painter) {
    if (drag_ == Drag::Sizing) {
        // The tracking line where the column's new right edge would be.
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawLine(dragX_, 0, dragX_, viewport()->height());
    } else if (drag_ == Drag::Moving && dragMoved_) {
        // The insertion mark: the edge of the column the dragged one would take the place of.
        const int target = titleColumnAt(dragX_);
        if (target < 0 || target == dragColumn_)
            return;
        const QRect title = titleRect(target);
        const int x = target > dragColumn_ ? title.right() + 1 : title.left() - 1;
        painter.fillRect(QRect(x - 1, 0, 3, viewport()->height()), palette().color(QPalette::Highlight));
    }
}
