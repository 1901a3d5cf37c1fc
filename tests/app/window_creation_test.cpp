// The main window as it is created: captions, fonts, tab order, resizing, and the
// server selector filled from the installation directory (the places and sizes of
// its controls: window_layout_test.cpp).

#include "app/CaptionedPanel.h"
#include "config/messages/MessageService.h"
#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

// Whether a picture has something drawn on it.
bool hasInk(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) return true;
    return false;
}

} // namespace

TEST_F(WindowTest, IsTheWindowOfTheDesignWithTheProgramsTitle) {
    Tfvestacol& w = openWindow();
    EXPECT_EQ(w.objectName(), QStringLiteral("fvestacol"));
    EXPECT_STREQ(w.metaObject()->className(), "Tfvestacol");
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Contabilizar ventas de contado"));
    EXPECT_EQ(applicationTitle(), QStringLiteral("Contabiliza ventas contado"));
}

TEST_F(WindowTest, StartsWithPostingDisabledPanelsHiddenAndTheDesignFonts) {
    Tfvestacol& w = openWindow();
    EXPECT_FALSE(w.ckniif->isChecked());
    EXPECT_FALSE(w.Servidor->isEditable());
    EXPECT_EQ(w.TClave->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(w.SpeedButton3->isEnabled());
    EXPECT_TRUE(w.SpeedButton2->isEnabled());
    EXPECT_TRUE(w.Panel5->isHidden());
    EXPECT_TRUE(w.AdvPanel1->isHidden());
    EXPECT_TRUE(w.AdvPanel2->isHidden());
    EXPECT_EQ(w.EFecIni->date(), QDate(2003, 1, 20));
    EXPECT_EQ(w.EFecFin->date(), QDate(2003, 1, 20));
    EXPECT_FALSE(w.FirstActivation); // the first activation took place: nothing to run without arguments

    // Heights -11 and -13 of the design, in points at 96 dpi.
    EXPECT_DOUBLE_EQ(w.font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(w.Tusua->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(w.SpeedButton3->font().pointSizeF(), 8.25);
    EXPECT_DOUBLE_EQ(w.Panel5->font().pointSizeF(), 9.75);
    EXPECT_EQ(w.Panel5->palette().color(QPalette::WindowText), QColor(0, 0, 128));

    for (QToolButton* button : {w.SpeedButton3, w.SpeedButton2}) {
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        const QPixmap glyph = button->icon().pixmap(QSize(46, 32));
        EXPECT_EQ(glyph.size(), QSize(46, 32));
        EXPECT_TRUE(hasInk(glyph));
    }
    EXPECT_NE(w.SpeedButton3->icon().pixmap(QSize(46, 32)).toImage(),
              w.SpeedButton2->icon().pixmap(QSize(46, 32)).toImage());
}

TEST_F(WindowTest, FloatingPanelsLieAboveTheGroupBoxes) {
    Tfvestacol& w = openWindow();
    for (QWidget* panel : {static_cast<QWidget*>(w.Panel5), static_cast<QWidget*>(w.AdvPanel1),
                           static_cast<QWidget*>(w.AdvPanel2)}) {
        SCOPED_TRACE(panel->objectName().toStdString());
        panel->show();
        QWidget* top = w.childAt(panel->geometry().center());
        EXPECT_TRUE(top == panel || panel->isAncestorOf(top));
        panel->hide();
    }
}

TEST_F(WindowTest, ResizingStretchesTheBandsAndKeepsTheFloatingPanels) {
    Tfvestacol& w = openWindow();
    w.resize(600, 450);
    EXPECT_EQ(w.Panel2->geometry(), QRect(0, 0, 600, 57));
    EXPECT_EQ(w.GroupBox1->geometry(), QRect(0, 57, 600, 105));
    EXPECT_EQ(w.GroupBox2->geometry(), QRect(0, 162, 600, 450 - 162 - 53));
    EXPECT_EQ(w.Panel1->geometry(), QRect(0, 450 - 53, 600, 53));
    EXPECT_EQ(w.Panel5->geometry(), QRect(8, 66, 337, 41));
    EXPECT_EQ(w.AdvPanel1->geometry(), QRect(8, 16, 305, 169));
    EXPECT_EQ(w.AdvPanel2->geometry(), QRect(32, 24, 305, 169));
    EXPECT_EQ(w.SpeedButton3->pos(), QPoint(61, 2));
}

// Enter walks the fields in tab order; the buttons and the hidden panels take no focus.
TEST_F(WindowTest, TabOrderRunsThroughTheFieldsAndWrapsAround) {
    Tfvestacol& w = openWindow();
    w.Servidor->setFocus(Qt::OtherFocusReason);
    const std::vector<QWidget*> order = {w.Tusua,   w.TClave,  w.Cia,     w.ckniif,
                                         w.EFecIni, w.EFecFin, w.Servidor};
    for (QWidget* expected : order) {
        press(Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        EXPECT_EQ(focused, expected)
            << "expected " << expected->objectName().toStdString() << ", got "
            << (focused ? focused->objectName().toStdString() : "none");
    }
}

TEST_F(WindowTest, ServerSelectorHoldsTheServerListWithTheFirstSelected) {
    installation.writeServerList("contab:/srv/quelmar\r\n127.0.0.1/3050:/srv/q\r\nunterminated");
    Tfvestacol& w = openWindow();
    EXPECT_EQ(w.ServerList, (QStringList{QStringLiteral("contab:/srv/quelmar"),
                                         QStringLiteral("127.0.0.1/3050:/srv/q")}));
    ASSERT_EQ(w.Servidor->count(), 2);
    EXPECT_EQ(w.Servidor->currentIndex(), 0);
    EXPECT_EQ(w.Servidor->currentText(), QStringLiteral("contab:/srv/quelmar"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowTest, AMissingSettingIsReportedOnceAndLeavesTheSelectorEmpty) {
    if (QFileInfo::exists(QStringLiteral("/SERVIDORES.cfg")))
        GTEST_SKIP() << "a server list lies at the root of this machine";
    installation.writeServerList("contab:/srv/quelmar\r\n");
    QFile::remove(installation.settingFile());
    Tfvestacol& w = openWindow();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Message);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Contabiliza ventas contado"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("No se encontró la Clave "
                             "HKEY_LOCAL_MACHINE\\Software\\Tandeo\\QuelmarERP2026\\Directorio"));
    EXPECT_EQ(w.Servidor->count(), 0);
    EXPECT_EQ(w.Servidor->currentIndex(), -1);
    EXPECT_EQ(w.Servidor->currentText(), QString());
}

TEST_F(WindowTest, ASettingThatIsNoTextIsShownInTheDefaultErrorBoxAndTheWindowOpens) {
    installation.writeSetting("Directorio=/a, /b\n");
    Tfvestacol& w = openWindow();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::DefaultError);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Invalid data type for 'Directorio'"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Servidor->count(), 0);
}
