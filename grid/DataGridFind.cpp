// The grid's text search: a walk from the current cell through the rows, and
// with all columns through the shown columns of each row, for a cell whose text
// matches. The grid's columns are all shown, so the shown columns in display
// order are the columns list itself.

#include "grid/DataGrid.h"

#include "data/TClientDataSet.h"
#include "data/TField.h"
#include "grid/EscapeKeyWatch.h"

#include <algorithm>
#include <optional>

namespace {

// The bound controls stay still while the walk moves the dataset, and are told
// once at the end, however the walk ends.
class ControlsDisabled {
public:
    explicit ControlsDisabled(TClientDataSet& dataSet) : dataSet_(dataSet) { dataSet_.DisableControls(); }
    ~ControlsDisabled() { dataSet_.EnableControls(); }
    ControlsDisabled(const ControlsDisabled&) = delete;
    ControlsDisabled& operator=(const ControlsDisabled&) = delete;

private:
    TClientDataSet& dataSet_;
};

} // namespace

QString DataGrid::walkedCellText(int column, bool displayText) const {
    const TField* field = columns_[std::size_t(column)].field;
    if (!field)
        return {};
    return displayText ? field->DisplayText() : field->AsString();
}

bool DataGrid::FindCellText(const QString& fieldName, const QString& text, FindOptions options,
                            FindDirection direction, FindMatching matching) {
    if (!active())
        return false;
    const int columnCount = int(columns_.size());
    int column = currentColumn_;
    if (!fieldName.isEmpty()) {
        column = -1;
        for (int c = 0; c < columnCount && column < 0; ++c)
            if (columns_[std::size_t(c)].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
                column = c;
    }
    if (column < 0 || column >= columnCount)
        return false;

    const CellTextMatcher matcher(text, matching, options.testFlag(FindOption::CaseInsensitive));
    const bool allColumns = options.testFlag(FindOption::AllColumns);
    const bool displayText = options.testFlag(FindOption::MatchDisplayText);
    const int step = direction == FindDirection::Up ? -1 : 1;

    // A failing post of the row being edited (the first move settles it) ends the
    // walk where it stands: the error goes on, the position stays.
    const ControlsDisabled disabled(*dataSet_);
    const SavedPosition start = SavePosition();
    std::optional<EscapeKeyWatch> escape;
    if (options.testFlag(FindOption::EscapeAborts))
        escape.emplace(*window());

    // False when there is no further cell that way.
    const auto advance = [&] {
        if (allColumns) {
            column += step;
            if (column >= 0 && column < columnCount)
                return true;
            column = step > 0 ? 0 : columnCount - 1;
        }
        return dataSet_->MoveBy(step) != 0;
    };

    bool more = true;
    if (direction == FindDirection::FromFirst) {
        dataSet_->First();
        more = dataSet_->RecNo() >= 0;
    } else {
        more = dataSet_->RecNo() >= 0 && advance();
    }
    bool found = false;
    while (more) {
        if (matcher.matches(walkedCellText(column, displayText))) {
            found = true;
            break;
        }
        if (escape && escape->escapeWaiting())
            break;
        more = advance();
    }
    if (found)
        setCurrentColumn(column);
    else
        RestorePosition(start);
    return found;
}

DataGrid::SavedPosition DataGrid::SavePosition() {
    // From the current row to the middle row in view (the upper of two middle
    // ones) and back: that row, the current one's distance to it.
    const int current = currentRecord();
    if (current < 0)
        return {};
    const int inView = std::min(shownRows(), recordCount() - topRecord_);
    const int row = current - topRecord_;
    const int fromMiddle = row >= 0 && row < inView ? row - (inView - 1) / 2 : 0;
    const int moved = fromMiddle != 0 ? dataSet_->MoveBy(-fromMiddle) : 0;
    SavedPosition position{dataSet_->RecNo(), -moved};
    if (moved != 0)
        dataSet_->MoveBy(-moved);
    return position;
}

void DataGrid::RestorePosition(const SavedPosition& position) {
    const int here = dataSet_->RecNo();
    if (position.bookmark < 0 || here < 0)
        return;
    if (here != position.bookmark)
        dataSet_->MoveBy(position.bookmark - here);
    if (position.offset != 0)
        dataSet_->MoveBy(position.offset);
}
