#pragma once
// The main window on the offscreen platform for one test: its own installation
// folder with a server list, a known date format, a recorder in place of the
// message boxes, and functions that drive the window as a user would.

#include "app/Tfvestacol.h"
#include "data/FormatSettings.h"
#include "tests/fixtures/CompanyRows.h"
#include "tests/fixtures/InstallationFolder.h"
#include "tests/fixtures/QStringPrinter.h"
#include "tests/fixtures/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QPointer>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window, shows it and makes it the active window.
    Tfvestacol& openWindow();
    // The same, with the database's server entry as the only one of the server list.
    Tfvestacol& openWindowFor(const CompanyDatabase& db);
    // True once the window was destroyed (deferred deletions are carried out first).
    bool windowDestroyed();

    // A key pressed by the user: it goes to the control that has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Types user, password and company (the database's own when none is given).
    void typeLogin(const CompanyDatabase& db, const QString& company = QString());
    // Leaves the company field with Tab, as the user does.
    void leaveCia();

    InstallationFolder installation;
    FormatSettings formats;
    RecordingMessageService messages;
    QPointer<Tfvestacol> window;
};

