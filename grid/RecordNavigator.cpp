#include "grid/RecordNavigator.h"

#include "data/TClientDataSet.h"
#include "data/TDataLink.h"
#include "grid/UserAction.h"

#include <QHBoxLayout>
#include <QToolButton>

class RecordNavigator::Link : public TDataLink {
public:
    explicit Link(RecordNavigator& navigator) : navigator_(navigator) {}
    void activeChanged() override { navigator_.updateButtons(); }
    void dataSetChanged() override { navigator_.updateButtons(); }
    void stateChanged() override { navigator_.updateButtons(); }
    void dataSetDestroyed() override { navigator_.setDataSet(nullptr); }

private:
    RecordNavigator& navigator_;
};

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent), link_(std::make_unique<Link>(*this)) {
    setFixedHeight(18);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const auto which = NavigatorButton(i);
        auto* b = new QToolButton(this);
        b->setIcon(navigatorGlyph(which));
        // The buttons never take the focus from the grid.
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(b, &QToolButton::clicked, this, [this, which] { runUserAction([&] { press(which); }); });
        layout->addWidget(b);
        buttons_[i] = b;
    }
    updateButtons();
}

RecordNavigator::~RecordNavigator() {
    if (dataSet_)
        dataSet_->removeLink(link_.get());
}

void RecordNavigator::setDataSet(TClientDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    if (dataSet_)
        dataSet_->removeLink(link_.get());
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->addLink(link_.get());
    updateButtons();
}

void RecordNavigator::press(NavigatorButton which) {
    if (!dataSet_ || !dataSet_->Active())
        return;
    TClientDataSet& ds = *dataSet_;
    switch (which) {
    case NavigatorButton::First: ds.First(); break;
    case NavigatorButton::Prior: ds.Prior(); break;
    case NavigatorButton::Next: ds.Next(); break;
    case NavigatorButton::Last: ds.Last(); break;
    case NavigatorButton::Insert: ds.Insert(); break;
    case NavigatorButton::Delete:
        if (askKeepingFocus(confirm_, QStringLiteral("Delete record?")))
            ds.Delete();
        break;
    case NavigatorButton::Cancel: ds.Cancel(); break;
    }
}

void RecordNavigator::updateButtons() {
    const bool active = dataSet_ && dataSet_->Active();
    const bool canModify = active && dataSet_->CanModify();
    const bool editing = active && (dataSet_->State() == TDataSetState::dsEdit ||
                                    dataSet_->State() == TDataSetState::dsInsert);
    const bool atStart = !active || dataSet_->Bof();
    const bool atEnd = !active || dataSet_->Eof();
    const auto enable = [this](NavigatorButton b, bool on) { button(b)->setEnabled(on); };
    enable(NavigatorButton::First, !atStart);
    enable(NavigatorButton::Prior, !atStart);
    enable(NavigatorButton::Next, !atEnd);
    enable(NavigatorButton::Last, !atEnd);
    enable(NavigatorButton::Insert, canModify);
    enable(NavigatorButton::Delete, canModify && !dataSet_->IsEmpty());
    enable(NavigatorButton::Cancel, canModify && editing);
}
