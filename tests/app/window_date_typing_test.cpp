// Typing the date range as a person does, key by key, under day-first, month-first
// and year-first short date formats: the typed dates stay in their pickers, Tab,
// Shift+Tab and Enter are what leave them, and F2 posts the days that were typed.
// A text that is no date is never posted nor replaced behind the user's back.

#include "app/CaptionedPanel.h"
#include "tests/app/WindowTest.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

struct DateForm {
    const char* format;
    const char* first;      // 6 December 2026, with the format's separators
    const char* last;       // 7 December 2026
    const char* firstDigits; // 6 December 2026, digits only
};

const DateForm kForms[] = {
    {"d/MM/yyyy", "6/12/2026", "7/12/2026", "06122026"},
    {"M/d/yyyy", "12/6/2026", "12/7/2026", "12062026"},
    {"yyyy-MM-dd", "2026-12-06", "2026-12-07", "20261206"},
};

class DateTyping : public WindowTest {
protected:
    // A window connected to the company under `format`: the focus is in Desde and
    // both dates are today, as after leaving the company field.
    Tfvestacol& connectedWindow(const char* format) {
        FormatSettings settings;
        settings.shortDateFormat = QString::fromLatin1(format);
        FormatSettings::setCurrent(settings);
        Tfvestacol& w = openWindowFor(db);
        typeLogin(db);
        leaveCia();
        EXPECT_TRUE(w.data().Quelmar.Connected());
        EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
        return w;
    }
    // Each character to whatever control has the focus at that moment, as a keyboard sends it.
    void typeKeys(const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    }
    QString statement() { return window->data().CRepArticulos.CommandText; }

    CompanyDatabase db;
};

} // namespace

TEST_F(DateTyping, DatesTypedWithTheirSeparatorsStayInTheirPickersAndArePosted) {
    for (const DateForm& form : kForms) {
        SCOPED_TRACE(form.format);
        Tfvestacol& w = connectedWindow(form.format);
        typeKeys(form.first);
        EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
        EXPECT_EQ(w.EFecIni->date(), QDate(2026, 12, 6));
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), w.EFecFin);
        typeKeys(form.last);
        EXPECT_EQ(QApplication::focusWidget(), w.EFecFin);
        EXPECT_EQ(w.EFecIni->date(), QDate(2026, 12, 6));
        EXPECT_EQ(w.EFecFin->date(), QDate(2026, 12, 7));
        EXPECT_EQ(w.Tusua->text(), QStringLiteral("SYSDBA")); // nothing typed landed elsewhere
        EXPECT_EQ(w.Cia->text(), db.company());
        press(Qt::Key_F2);
        EXPECT_EQ(statement(), QStringLiteral("select * from contado_kalden('2026-12-06', '2026-12-07')"));
        EXPECT_TRUE(windowDestroyed());
    }
}

TEST_F(DateTyping, DatesTypedAsDigitsOnlyAreTheSameDays) {
    for (const DateForm& form : kForms) {
        SCOPED_TRACE(form.format);
        Tfvestacol& w = connectedWindow(form.format);
        typeKeys(form.firstDigits);
        EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
        EXPECT_EQ(w.EFecIni->date(), QDate(2026, 12, 6));
        EXPECT_EQ(w.EFecIni->shownText(), QString::fromLatin1(form.firstDigits)); // as typed
        press(Qt::Key_Return); // Enter leaves as Tab does
        EXPECT_EQ(QApplication::focusWidget(), w.EFecFin);
        EXPECT_EQ(w.EFecIni->shownText(), QString::fromLatin1(form.first)); // left: in the format
        press(Qt::Key_F2);
        EXPECT_EQ(statement(), QStringLiteral("select * from contado_kalden('2026-12-06', '%1')")
                                   .arg(QDate::currentDate().toString(Qt::ISODate)));
        EXPECT_TRUE(windowDestroyed());
    }
}

TEST_F(DateTyping, ArrowKeysAndTheCalendarChangeTheDateAndKeepTheFocus) {
    Tfvestacol& w = connectedWindow("d/MM/yyyy");
    typeKeys("6/12/2026");
    // Back in with Shift+Tab, the year is the section at the caret.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), w.EFecIni);
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
    EXPECT_EQ(w.EFecIni->date(), QDate(2027, 12, 6));

    // The calendar: open it, one day on, take it.
    press(Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget* calendar = w.EFecIni->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(w.EFecIni->date(), QDate(2027, 12, 7));
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecFin);
    press(Qt::Key_F2);
    EXPECT_TRUE(statement().startsWith(QStringLiteral("select * from contado_kalden('2027-12-07', ")));
}

TEST_F(DateTyping, TabShiftTabAndEnterLeaveForTheWindowsNextAndPreviousControl) {
    Tfvestacol& w = connectedWindow("d/MM/yyyy");
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.ckniif);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecFin);
    press(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
    press(Qt::Key_Tab);
    press(Qt::Key_Return); // the last field: on to the first, as Tab goes
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(w.Servidor));
    EXPECT_EQ(messages.beeps, 0);
}

TEST_F(DateTyping, ATextThatIsNoDateIsNeitherLeftNorPostedNorReplaced) {
    Tfvestacol& w = connectedWindow("d/MM/yyyy");
    const QString designStatement = statement();
    typeKeys("6/12/2026");
    // The year emptied section by section: the text is no date any more.
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Backspace);
    const QString typed = w.EFecIni->shownText();
    ASSERT_FALSE(w.EFecIni->holdsDate()) << typed.toStdString();
    EXPECT_EQ(w.EFecIni->date(), QDate(2026, 12, 6)); // the last whole date, not shown any more

    press(Qt::Key_Tab);
    press(Qt::Key_Return);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni);
    EXPECT_EQ(messages.beeps, 3);

    press(Qt::Key_F2);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::DefaultError);
    EXPECT_EQ(messages.shown[0].text, QLatin1Char('\'') + typed + QStringLiteral("' no es una fecha válida."));
    EXPECT_EQ(statement(), designStatement);
    EXPECT_FALSE(windowDestroyed());

    // A click elsewhere takes the focus, and the text stays as typed.
    QTest::mouseClick(w.Tusua, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), w.Tusua);
    EXPECT_EQ(w.EFecIni->shownText(), typed);
    QTest::mouseClick(w.SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(statement(), designStatement);
    EXPECT_EQ(QApplication::focusWidget(), w.EFecIni); // back where the date is wanted

    // F5 filters "Tarifas" on Desde: not on a date nobody sees either.
    press(Qt::Key_F5);
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_TRUE(w.AdvPanel1->isHidden());

    // The text is all marked for typing over, as the focus came back; typed out
    // at its end instead, it is taken.
    EXPECT_EQ(w.EFecIni->selectedText(), typed);
    press(Qt::Key_End);
    typeKeys("2027");
    EXPECT_TRUE(w.EFecIni->holdsDate());
    EXPECT_EQ(w.EFecIni->date(), QDate(2027, 12, 6));
    press(Qt::Key_F2);
    EXPECT_TRUE(statement().startsWith(QStringLiteral("select * from contado_kalden('2027-12-06', ")));
}
