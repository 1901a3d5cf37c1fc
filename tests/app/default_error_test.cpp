// The default error box: what an exception that escaped its handler shows.

#include "app/DefaultErrorHandling.h"
#include "config/messages/MessageService.h"
#include "data/DatabaseError.h"
#include "tests/fixtures/QStringPrinter.h"
#include "tests/fixtures/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include <functional>
#include <stdexcept>

namespace {

// An object whose every event runs the given action.
class Thrower : public QObject {
public:
    explicit Thrower(std::function<void()> action) : action_(std::move(action)) {}
    int delivered = 0;

protected:
    bool event(QEvent*) override {
        ++delivered;
        action_();
        return true;
    }

private:
    std::function<void()> action_;
};

void deliverTo(QObject& receiver) {
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
}

} // namespace

TEST(DefaultErrorBox, AddsAPeriodOnlyAfterACharacterThatSortsAfterIt) {
    EXPECT_EQ(withClosingPeriod(QStringLiteral("Connection lost")),
              QStringLiteral("Connection lost."));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("code 335544344")),
              QStringLiteral("code 335544344."));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("Compañía")), QStringLiteral("Compañía."));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("Stop!")), QStringLiteral("Stop!"));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("trailing ")), QStringLiteral("trailing "));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("(x)")), QStringLiteral("(x)"));
    EXPECT_EQ(withClosingPeriod(QStringLiteral("line\r\n")), QStringLiteral("line\r\n"));
    EXPECT_EQ(withClosingPeriod(QString()), QString());
}

TEST(DefaultErrorBox, AnExceptionThatEscapesAnEventIsShownAndTheProgramGoesOn) {
    RecordingMessageService messages;
    bool fail = true;
    Thrower receiver([&] {
        if (fail)
            throw ESQLError(
                QStringLiteral("SQL Server Error: lock conflict on no wait transaction"), 335544345,
                335544345, -901, QStringLiteral("Statement::Execute"));
    });
    deliverTo(receiver);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::DefaultError);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Contabiliza ventas contado"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("SQL Server Error: lock conflict on no wait transaction."));

    fail = false;
    deliverTo(receiver);
    EXPECT_EQ(receiver.delivered, 2);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(DefaultErrorBox, ASilentAbortShowsNothing) {
    RecordingMessageService messages;
    Thrower receiver([] { throw EAbort(); });
    deliverTo(receiver);
    EXPECT_FALSE(runHandler([] { throw EAbort(); }));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(DefaultErrorBox, OtherExceptionsShowTheirOwnText) {
    RecordingMessageService messages;
    EXPECT_FALSE(
        runHandler([] { throw std::runtime_error("Invalid data type for 'Directorio'"); }));
    EXPECT_TRUE(runHandler([] {}));
    EXPECT_FALSE(runHandler([] { throw std::runtime_error("Disk full"); }));
    ASSERT_EQ(messages.shown.size(), 2u);
    // A closing quote sorts before the period: no period is added after it.
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Invalid data type for 'Directorio'"));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Disk full."));
}
