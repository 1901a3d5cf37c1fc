// The window as it is laid out: every control at its designed place and size,
// measured on the shown widgets once the first layout pass is done, and every
// caption, title and cell text whole. The build runs these tests once more with
// QT_SCALE_FACTOR=2: at 200 % the places are the same in logical pixels, and
// nothing is cut that is whole at 100 %.

#include "app/CaptionedPanel.h"
#include "grid/DataGrid.h"
#include "grid/RecordNavigator.h"
#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>

namespace {

struct Placed {
    const char* name;
    const char* parent;
    QRect geometry; // a width or height of -1 is not checked
};

// The design's table of the window, in pixels at 96 dpi.
const Placed kWindowControls[] = {
    {"Panel2", "fvestacol", {0, 0, 362, 57}},
    {"Label2", "Panel2", {16, 6, 333, 49}},
    {"GroupBox1", "fvestacol", {0, 57, 362, 105}},
    {"Servidor", "GroupBox1", {76, 8, 120, -1}},
    {"Tusua", "GroupBox1", {76, 32, 97, -1}},
    {"TClave", "GroupBox1", {76, 56, 97, -1}},
    {"Cia", "GroupBox1", {76, 80, 45, -1}},
    {"ckniif", "GroupBox1", {216, 64, 97, 17}},
    {"GroupBox2", "fvestacol", {0, 162, 362, 66}},
    {"EFecIni", "GroupBox2", {45, 16, 89, -1}},
    {"EFecFin", "GroupBox2", {173, 15, 89, -1}},
    {"Panel1", "fvestacol", {0, 228, 362, 53}},
    {"SpeedButton3", "Panel1", {61, 2, 65, 50}},
    {"SpeedButton2", "Panel1", {221, 2, 65, 50}},
    {"Label7", "Panel1", {292, 1, -1, -1}},
    {"Panel5", "fvestacol", {8, 66, 337, 41}},
    {"AdvPanel1", "fvestacol", {8, 16, 305, 169}},
    {"AdvPanel2", "fvestacol", {32, 24, 305, 169}},
};

// The labels of the fields, found by their caption; they size themselves to it.
struct LabelAt {
    const char* text;
    const char* parent;
    QPoint pos;
};
const LabelAt kFieldLabels[] = {
    {"Servidor : ", "GroupBox1", {16, 16}}, {"Usuario : ", "GroupBox1", {16, 40}},
    {"Clave : ", "GroupBox1", {17, 64}},    {"Compañía:", "GroupBox1", {17, 88}},
    {"Desde:", "GroupBox2", {8, 24}},       {"Hasta:", "GroupBox2", {136, 23}},
};

// The first layout pass, and whatever the shown widgets still have queued.
void settleLayout() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

void expectPlaced(const QWidget& root, const Placed& p) {
    SCOPED_TRACE(p.name);
    const auto* control = root.objectName() == QString::fromLatin1(p.name)
                              ? &root
                              : root.findChild<QWidget*>(QString::fromLatin1(p.name));
    ASSERT_NE(control, nullptr);
    if (control != &root) {
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(p.parent));
    }
    EXPECT_EQ(control->pos(), p.geometry.topLeft());
    if (p.geometry.width() >= 0) {
        EXPECT_EQ(control->width(), p.geometry.width());
    }
    if (p.geometry.height() >= 0) {
        EXPECT_EQ(control->height(), p.geometry.height());
    }
}

// What of a control's caption does not show: empty when it is whole.
QString cutCaption(const QWidget* control) {
    const QFontMetrics metrics = control->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty())
            return {};
        const bool whole = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                             : label->sizeHint().width() <= label->width() &&
                                                   metrics.height() <= label->height();
        return whole ? QString() : label->text();
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->sizeHint().width() <= box->width() && metrics.height() <= box->height() ? QString()
                                                                                              : box->text();
    if (const auto* button = qobject_cast<const QToolButton*>(control)) {
        // The caption under the glyph: its width within the button's.
        const int width = metrics.horizontalAdvance(button->text());
        return width + 4 <= button->width() ? QString() : button->text();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
        // The line edit's own margins of 2 pixels on either side.
        const QString text = edit->displayText();
        return metrics.horizontalAdvance(text) + 4 <= edit->width() ? QString() : text;
    }
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

// Every caption of a window (or dialog) that does not show whole, but for the
// controls named: user data, not captions of the design.
QStringList cutCaptions(const QWidget& root, const QStringList& exempt = {}) {
    QStringList cut;
    for (const QWidget* control : root.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&root) || exempt.contains(control->objectName()))
            continue;
        const QString text = cutCaption(control);
        if (!text.isEmpty())
            cut << control->objectName() + QStringLiteral(": ") + text;
    }
    return cut;
}

// Titles and data cells of a grid that do not show whole in their cells.
QStringList cutGridTexts(const DataGrid& grid, const QStringList& exemptTitles) {
    QStringList cut;
    const QFontMetrics metrics = grid.fontMetrics();
    for (int c = 0; c < int(grid.columns().size()); ++c) {
        const QString title = grid.columns()[std::size_t(c)].caption();
        const int room = DataGrid::cellTextRect(grid.titleRect(c)).width();
        if (!exemptTitles.contains(title) && metrics.horizontalAdvance(title) > room)
            cut << QStringLiteral("title ") + title;
        for (int record = 0; record < grid.dataSet()->RecordCount(); ++record) {
            const QString text = grid.cellText(c, record);
            if (metrics.horizontalAdvance(text) > DataGrid::cellTextRect(grid.cellRect(c, record)).width())
                cut << title + QLatin1Char(' ') + text;
        }
    }
    return cut;
}

class Layout : public WindowTest {
protected:
    // A window under the formats of a Colombian workstation (the program's own users).
    Tfvestacol& openColombianWindow() {
        FormatSettings::setCurrent(FormatSettings::fromLocale(QLocale(QLocale::Spanish, QLocale::Colombia)));
        Tfvestacol& w = openWindow();
        settleLayout();
        return w;
    }
};

} // namespace

TEST_F(Layout, EveryControlOfTheWindowIsAtItsDesignedPlaceAndSize) {
    Tfvestacol& w = openColombianWindow();
    EXPECT_EQ(w.objectName(), QStringLiteral("fvestacol"));
    EXPECT_EQ(w.size(), QSize(362, 281));
    for (const Placed& p : kWindowControls)
        expectPlaced(w, p);
    for (const LabelAt& l : kFieldLabels) {
        SCOPED_TRACE(l.text);
        const QLabel* found = nullptr;
        for (const QLabel* label : w.findChildren<QLabel*>())
            if (label->text() == QString::fromUtf8(l.text))
                found = label;
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->parentWidget()->objectName(), QString::fromLatin1(l.parent));
        EXPECT_EQ(found->pos(), l.pos);
    }
    // One line high, as the edit boxes of the design: the drop-down and the date pickers too.
    for (QWidget* field : {static_cast<QWidget*>(w.Servidor), static_cast<QWidget*>(w.Tusua),
                           static_cast<QWidget*>(w.EFecIni), static_cast<QWidget*>(w.EFecFin)})
        EXPECT_EQ(field->height(), 21) << field->objectName().toStdString();
}

TEST_F(Layout, EveryCaptionOfTheWindowIsWhole) {
    installation.writeServerList("contab\r\n");
    Tfvestacol& w = openColombianWindow();
    w.Panel5->show();
    EXPECT_EQ(cutCaptions(w), QStringList());
    w.Panel5->hide();
}

TEST_F(Layout, BothPanelsKeepTheirPlacesAndShowTheirRatesWhole) {
    CompanyDatabase db;
    FormatSettings::setCurrent(FormatSettings::fromLocale(QLocale(QLocale::Spanish, QLocale::Colombia)));
    Tfvestacol& w = openWindowFor(db);
    typeLogin(db);
    leaveCia();
    ASSERT_TRUE(w.data().Quelmar.Connected());
    press(Qt::Key_F5);
    press(Qt::Key_F7);
    settleLayout();
    ASSERT_TRUE(w.AdvPanel1->isVisible());
    ASSERT_TRUE(w.AdvPanel2->isVisible());
    expectPlaced(w, {"AdvPanel1", "fvestacol", {8, 16, 305, 169}});
    expectPlaced(w, {"AdvPanel2", "fvestacol", {32, 24, 305, 169}});

    for (CaptionedPanel* panel : {w.AdvPanel1, w.AdvPanel2}) {
        SCOPED_TRACE(panel->caption().toStdString());
        EXPECT_EQ(cutCaptions(*panel), QStringList());
        // The grid fills the body above its navigator, whose buttons are 18 high.
        const auto* grid = panel->body()->findChild<DataGrid*>();
        const auto* navigator = panel->body()->findChild<RecordNavigator*>();
        ASSERT_NE(grid, nullptr);
        ASSERT_NE(navigator, nullptr);
        EXPECT_EQ(navigator->height(), 18);
        EXPECT_EQ(navigator->geometry().bottom(), panel->body()->height() - 1);
        EXPECT_EQ(grid->geometry().bottom() + 1, navigator->y());
        EXPECT_EQ(grid->width(), panel->body()->width());
    }
    // The rates 0, 5 and 19 and the factor 0,8 read whole. The design's 40-pixel
    // column has no room for its whole title "Pref.N/A".
    EXPECT_EQ(w.DBGridEh2->dataSet()->RecordCount(), 3);
    EXPECT_EQ(cutGridTexts(*w.DBGridEh2, {QStringLiteral("Pref.N/A")}), QStringList());
    EXPECT_EQ(cutGridTexts(*w.DBGridEh1, {}), QStringList());
}
