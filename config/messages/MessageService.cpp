#include "config/messages/MessageService.h"

#include <cstdio>

namespace {

QString& titleInForce() {
    static QString title;
    return title;
}

// For a process with no service installed: nothing can be shown, so the message
// is written where someone can still read it, and nothing is confirmed.
class StandardErrorMessages final : public MessageService {
protected:
    bool present(const ShownMessage& message) override {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(message.caption),
                     qUtf8Printable(message.text));
        return false;
    }
};

MessageService* installed = nullptr;

} // namespace

QString applicationTitle() {
    return titleInForce();
}
void setApplicationTitle(const QString& title) {
    titleInForce() = title;
}

QString withClosingPeriod(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
    return message;
}

void MessageService::showMessage(const QString& text) {
    present({MessageKind::Message, applicationTitle(), text});
}

void MessageService::showErrorDialog(const QString& text) {
    present({MessageKind::ErrorDialog, QStringLiteral("Error"), text});
}

bool MessageService::confirm(const QString& text) {
    return present({MessageKind::Confirmation, QStringLiteral("Confirm"), text});
}

void MessageService::showDefaultError(const QString& message) {
    present({MessageKind::DefaultError, applicationTitle(), withClosingPeriod(message)});
}

MessageService& messageService() {
    static StandardErrorMessages fallback;
    return installed ? *installed : fallback;
}

MessageService* setMessageService(MessageService* service) {
    MessageService* previous = installed;
    installed = service;
    return previous;
}
