#include "tests/grid/GridFixture.h"

#include <QApplication>
#include <QVBoxLayout>

std::vector<GridColumn> tarifasColumns() {
    return {{QStringLiteral("AJCI_FECINI"), QStringLiteral("F.Desde"), 75},
            {QStringLiteral("AJCI_FECFIN"), QStringLiteral("F.Hasta"), 75},
            {QStringLiteral("AJCI_PORC"), QStringLiteral("Porc"), 40},
            {QStringLiteral("AJCI_FACTOR"), QStringLiteral("Factor"), 50},
            {QStringLiteral("AJCI_PREFNO"), QStringLiteral("Pref.N/A"), 40}};
}

GridTest::GridTest() {
    // New rows typed here post without a key: the database gives them theirs. (In
    // the window the key is required and "Tarifas" rows typed in the grid cannot
    // post; one test shows that.)
    field("AJCI_ID").Required = false;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    elsewhere = new QLineEdit(&window);
    grid = new DataGrid(&window);
    navigator = new RecordNavigator(&window);
    layout->addWidget(elsewhere);
    layout->addWidget(grid);
    layout->addWidget(navigator);
    grid->setColumns(tarifasColumns());
    grid->setDataSet(&ds);
    navigator->setDataSet(&ds);
    const auto ask = [this](const QString& question) {
        questions << question;
        return answer;
    };
    grid->setConfirmation(ask);
    navigator->setConfirmation(ask);
    grid->setBeep([this] { ++beeps; });
    // The panel's size, plus the other control above it.
    window.resize(305, 169 + elsewhere->sizeHint().height());
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
}

GridTest::~GridTest() {
    grid->setDataSet(nullptr);
    navigator->setDataSet(nullptr);
    // Errors a test did not look at belong to no other test.
    GridTestApplication::takeErrors();
}

void GridTest::open(int rows) {
    if (rows > 0)
        rig.fillAdjustments(rows);
    ds.Open();
}

QWidget* GridTest::focused() const { return QApplication::focusWidget(); }

void GridTest::press(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = focused() ? focused() : grid;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

void GridTest::type(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = focused() ? focused() : grid;
        QTest::keyClick(target, c.toLatin1());
    }
}

int GridTest::currentId() const {
    if (ds.IsEmpty() && ds.State() != TDataSetState::dsInsert)
        return -1;
    return field("AJCI_ID").AsInteger();
}

void GridTest::click(QPoint pos, Qt::MouseButton button) { QTest::mouseClick(grid->viewport(), button, {}, pos); }
