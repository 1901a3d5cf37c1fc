#include "app/DefaultErrorHandling.h"

#include "config/messages/MessageService.h"
#include "data/DatabaseError.h"

#include <cstdio>

void showEscapedException(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const EAbort&) {
            // Already dealt with where it arose.
        } catch (const EDatabaseError& e) {
            messageService().showDefaultError(e.message());
        } catch (const std::exception& e) {
            messageService().showDefaultError(QString::fromUtf8(e.what()));
        } catch (...) {
            messageService().showDefaultError(QStringLiteral("Unknown exception"));
        }
    } catch (...) {
        // Showing the message failed in turn: there is no one left to tell but the console.
        std::fputs("An error could not be shown.\n", stderr);
    }
}
