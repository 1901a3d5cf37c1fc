#pragma once
// A panel with a caption bar across its top in the highlight colours, floating
// above the window's other controls; its content goes into body().

#include <QFrame>

class QLabel;

class CaptionedPanel : public QFrame {
public:
    CaptionedPanel(const QString& caption, QWidget* parent);

    QString caption() const;
    QLabel* captionBar() const { return captionBar_; }
    QWidget* body() const { return body_; }

private:
    QLabel* captionBar_;
    QWidget* body_;
};
