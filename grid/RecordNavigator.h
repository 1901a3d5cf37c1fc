#pragma once
// The button bar under a grid: first, prior, next, last, insert, delete and
// cancel, acting on the grid's dataset and enabled by its state.

#include "grid/Confirmation.h"
#include "grid/NavigatorGlyphs.h"

#include <QWidget>

#include <array>
#include <memory>

class QToolButton;
class TClientDataSet;

class RecordNavigator : public QWidget {
    Q_OBJECT

public:
    explicit RecordNavigator(QWidget* parent = nullptr);
    ~RecordNavigator() override;

    // The dataset (not owned; null unbinds). Unbind before the dataset goes.
    void setDataSet(TClientDataSet* dataSet);
    TClientDataSet* dataSet() const { return dataSet_; }
    // How "Delete record?" is asked (default: a question box).
    void setConfirmation(ConfirmFunction confirm) { confirm_ = std::move(confirm); }

    QToolButton* button(NavigatorButton which) const { return buttons_[std::size_t(which)]; }
    // What a click on the button does; raises the dataset's errors.
    void press(NavigatorButton which);

private:
    class Link;
    void updateButtons();

    TClientDataSet* dataSet_ = nullptr;
    std::unique_ptr<Link> link_;
    std::array<QToolButton*, 7> buttons_{};
    ConfirmFunction confirm_;
};
