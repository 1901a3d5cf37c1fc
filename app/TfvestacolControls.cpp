// The controls of the main window: places and sizes in pixels as designed at
// 96 dpi, captions, fonts and tab order, and what follows the window's size.

#include "app/ButtonGlyphs.h"
#include "app/CaptionedPanel.h"
#include "app/DatePicker.h"
#include "app/DesignFont.h"
#include "app/Tfvestacol.h"
#include "data/FormatSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace {

// The window's inside; with the border and caption bar it is 378 x 320.
constexpr int kClientWidth = 362;
constexpr int kClientHeight = 281;
constexpr int kPanel2Height = 57;
constexpr int kGroupBox1Height = 105;
constexpr int kPanel1Height = 53;
// One-line edit boxes, the drop-down list and the date pickers.
constexpr int kEditHeight = 21;

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* addLabel(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* addEdit(const char* name, QWidget* parent, int left, int top, int width) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setGeometry(left, top, width, kEditHeight);
    return edit;
}

DatePicker* addDatePicker(const char* name, QWidget* parent, int left, int top) {
    DatePicker* picker = named(new DatePicker(QDate(2003, 1, 20), parent), name);
    picker->setGeometry(left, top, 89, kEditHeight);
    picker->setDisplayFormat(FormatSettings::current().shortDateFormat);
    return picker;
}

// A flat button with its picture above the caption; like the design's buttons it
// never takes the focus.
QToolButton* addGlyphButton(const char* name, const QString& caption, const QPixmap& glyph,
                            QWidget* parent, int left) {
    auto* button = named(new QToolButton(parent), name);
    button->setGeometry(left, 2, 65, 50);
    button->setText(caption);
    button->setIcon(QIcon(glyph));
    button->setIconSize(QSize(kGlyphWidth, kGlyphHeight));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFont(designFont(11, true));
    return button;
}

} // namespace

void Tfvestacol::createControls() {
    setObjectName(QStringLiteral("fvestacol"));
    setWindowTitle(QStringLiteral("Contabilizar ventas de contado"));
    setFont(designFont(11));
    resize(kClientWidth, kClientHeight);

    Panel2 = named(new QFrame(this), "Panel2");
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Label2 = named(
        new QLabel(QStringLiteral("Este programa genera la contabilización de las ventas diarias "
                                  "de un punto de venta registradas con el NIT del cliente de "
                                  "contado y con el prefijo y punto de venta especificados."),
                   Panel2),
        "Label2");
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setGeometry(16, 6, 333, 49);

    GroupBox1 = named(new QGroupBox(QStringLiteral("Origen:"), this), "GroupBox1");
    Servidor = named(new QComboBox(GroupBox1), "Servidor");
    Servidor->setGeometry(76, 8, 120, kEditHeight);
    addLabel(QStringLiteral("Servidor : "), GroupBox1, 16, 16);
    Tusua = addEdit("Tusua", GroupBox1, 76, 32, 97);
    addLabel(QStringLiteral("Usuario : "), GroupBox1, 16, 40);
    TClave = addEdit("TClave", GroupBox1, 76, 56, 97);
    TClave->setEchoMode(QLineEdit::Password);
    TClave->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    addLabel(QStringLiteral("Clave : "), GroupBox1, 17, 64);
    Cia = addEdit("Cia", GroupBox1, 76, 80, 45);
    addLabel(QStringLiteral("Compañía:"), GroupBox1, 17, 88);
    ckniif = named(new QCheckBox(QStringLiteral("Contabilizar NIIF"), GroupBox1), "ckniif");
    ckniif->setGeometry(216, 64, 97, 17);
    // The indicator is wider here than in the design: the narrow face keeps the caption whole.
    ckniif->setFont(designFont(11, true));

    GroupBox2 = named(new QGroupBox(QStringLiteral("Parámetros "), this), "GroupBox2");
    EFecIni = addDatePicker("EFecIni", GroupBox2, 45, 16);
    addLabel(QStringLiteral("Desde:"), GroupBox2, 8, 24);
    EFecFin = addDatePicker("EFecFin", GroupBox2, 173, 15);
    addLabel(QStringLiteral("Hasta:"), GroupBox2, 136, 23);

    Panel1 = named(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SpeedButton3 =
        addGlyphButton("SpeedButton3", QStringLiteral("F2: Ejecutar"), runGlyph(), Panel1, 61);
    SpeedButton3->setEnabled(false);
    SpeedButton2 =
        addGlyphButton("SpeedButton2", QStringLiteral("Esc: Cancelar"), cancelGlyph(), Panel1, 221);
    Label7 = named(addLabel(QString(), Panel1, 292, 1), "Label7");
    Label7->setFont(designFont(11, true));
    Label7->setText(QStringLiteral("Rev:2026/05/23"));
    Label7->adjustSize();

    // The floating panels, above everything else when shown.
    Panel5 = named(new QLabel(QStringLiteral("Generando informe. espere un momento..."), this),
                   "Panel5");
    Panel5->setGeometry(8, 66, 337, 41);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel5->setLineWidth(2);
    Panel5->setAlignment(Qt::AlignCenter);
    Panel5->setAutoFillBackground(true);
    Panel5->setFont(designFont(13));
    QPalette navy = Panel5->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Panel5->setPalette(navy);
    Panel5->hide();

    AdvPanel1 = named(new CaptionedPanel(QStringLiteral("Tarifas"), this), "AdvPanel1");
    AdvPanel1->setGeometry(8, 16, 305, 169);
    AdvPanel1->hide();
    AdvPanel2 = named(new CaptionedPanel(QStringLiteral("Tarifas previstas"), this), "AdvPanel2");
    AdvPanel2->setGeometry(32, 24, 305, 169);
    AdvPanel2->hide();
    createPanels();

    setTabOrder();
    layoutControls();
}

void Tfvestacol::setTabOrder() {
    QWidget::setTabOrder(Servidor, Tusua);
    QWidget::setTabOrder(Tusua, TClave);
    QWidget::setTabOrder(TClave, Cia);
    QWidget::setTabOrder(Cia, ckniif);
    QWidget::setTabOrder(ckniif, EFecIni);
    QWidget::setTabOrder(EFecIni, EFecFin);
}

// Panel2 and GroupBox1 stay at the top at full width, Panel1 at the bottom, and
// GroupBox2 takes the height between them; the floating panels keep their places.
void Tfvestacol::layoutControls() {
    const int w = width();
    const int h = height();
    Panel2->setGeometry(0, 0, w, kPanel2Height);
    GroupBox1->setGeometry(0, kPanel2Height, w, kGroupBox1Height);
    const int bottomTop = std::max(kPanel2Height + kGroupBox1Height, h - kPanel1Height);
    Panel1->setGeometry(0, bottomTop, w, kPanel1Height);
    GroupBox2->setGeometry(0, kPanel2Height + kGroupBox1Height, w,
                           bottomTop - kPanel2Height - kGroupBox1Height);
}

void Tfvestacol::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}
