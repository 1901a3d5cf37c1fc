// The find dialog as it is laid out: every control at its designed place and size,
// measured on the shown dialog once the first layout pass is done, and every
// caption and list entry whole. The build runs these tests once more with
// QT_SCALE_FACTOR=2 (200 %).

#include "tests/grid/SearchFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

struct Placed {
    const char* name;
    QRect geometry;
};

// The design's table of the dialog, client coordinates in pixels at 96 dpi.
const Placed kDialogControls[] = {
    {"Label1", {10, 12, 52, 13}},
    {"Label2", {10, 35, 34, 13}},
    {"cbMatchType", {10, 58, 33, 13}},
    {"Label3", {10, 82, 37, 13}},
    {"cbText", {88, 9, 316, 21}},
    {"cbFindIn", {88, 32, 192, 21}},
    {"cbMatchinType", {88, 55, 144, 21}},
    {"cbFindDirection", {88, 79, 144, 21}},
    {"cbCharCase", {88, 105, 144, 14}},
    {"cbUseFormat", {260, 105, 144, 14}},
    {"bFind", {413, 9, 82, 23}},
    {"bCancel", {413, 37, 82, 22}},
};

// What of a control's caption or list does not show: empty when all is whole.
QString cutCaption(const QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->sizeHint().width() <= label->width() && metrics.height() <= label->height() ? QString()
                                                                                                  : label->text();
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->sizeHint().width() <= box->width() && metrics.height() <= box->height() ? QString()
                                                                                              : box->text();
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return button->sizeHint().width() <= button->width() ? QString() : button->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        QString cut;
        for (int i = 0; i < combo->count(); ++i)
            if (metrics.horizontalAdvance(combo->itemText(i)) > field.width())
                cut += combo->itemText(i) + QLatin1Char('|');
        return cut;
    }
    return {};
}

class FindDialogLayout : public SearchTest {
protected:
    void openDialog() {
        openRows({QStringLiteral("A")});
        press(Qt::Key_F, Qt::ControlModifier);
        press(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(dialog().isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(FindDialogLayout, EveryControlIsAtItsDesignedPlaceAndSize) {
    openDialog();
    EXPECT_EQ(dialog().size(), QSize(505, 124));
    EXPECT_EQ(dialog().windowTitle(), QStringLiteral("Find text"));
    for (const Placed& p : kDialogControls) {
        SCOPED_TRACE(p.name);
        const auto* control = dialog().findChild<QWidget*>(QLatin1String(p.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), &dialog());
        EXPECT_EQ(control->geometry(), p.geometry);
    }
}

TEST_F(FindDialogLayout, EveryCaptionAndListEntryIsWhole) {
    openDialog();
    QStringList cut;
    for (const QWidget* control : dialog().findChildren<QWidget*>()) {
        // The text to find is the user's, and the column titles are the grid's.
        const QString name = control->objectName();
        if (name == QStringLiteral("cbText") || name == QStringLiteral("cbFindIn") || !control->isVisibleTo(&dialog()))
            continue;
        const QString text = cutCaption(control);
        if (!text.isEmpty())
            cut << name + QStringLiteral(": ") + text;
    }
    EXPECT_EQ(cut, QStringList());
}
