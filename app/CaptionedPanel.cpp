#include "app/CaptionedPanel.h"

#include <QLabel>
#include <QVBoxLayout>

CaptionedPanel::CaptionedPanel(const QString& caption, QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);

    captionBar_ = new QLabel(caption, this);
    captionBar_->setObjectName(QStringLiteral("captionBar"));
    captionBar_->setAutoFillBackground(true);
    captionBar_->setBackgroundRole(QPalette::Highlight);
    captionBar_->setForegroundRole(QPalette::HighlightedText);
    captionBar_->setContentsMargins(4, 1, 4, 1);
    QFont bold = captionBar_->font();
    bold.setBold(true);
    captionBar_->setFont(bold);

    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("body"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(captionBar_);
    layout->addWidget(body_, 1);
}

QString CaptionedPanel::caption() const {
    return captionBar_->text();
}
