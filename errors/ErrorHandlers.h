#pragma once
// The window's two error handlers, attached to every provider and cached dataset:
// an error is logged, translated when its kind is known, and shown in one modal
// "Error" dialog; the operation that raised it is aborted without a further message.

#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"

#include <QString>

#include <functional>
#include <variant>
#include <vector>

// What the handlers need of the window and the application.
struct ErrorContext {
    std::function<QString()> installationDirectory;            // looked up at every use
    std::function<QString()> userName;                         // the text of Tusua
    std::function<void(const QString&)> setWarningCaption;     // Panel5's caption (not shown)
    std::function<void()> beep;
    std::function<void(const QString&)> showErrorDialog;       // beep, then the modal "Error" box
};

// A component of the window as the error hook-up walks them: a provider, a cached
// dataset, a component owning others, or anything else.
struct OwnedComponent {
    std::variant<std::monostate, TDataSetProvider*, TClientDataSet*, std::vector<OwnedComponent>> what;
};

class ErrorHandlers {
public:
    explicit ErrorHandlers(ErrorContext context) : context_(std::move(context)) {}

    // Walks the components depth first in ownership order: one that owns others is
    // descended into and not otherwise treated; providers get ManejarError, cached
    // datasets 1000 rows per packet and ManejarClientError for posting, editing and
    // deleting.
    void ConfigurarProviders(const std::vector<OwnedComponent>& owned);

    // The provider's handler, and the common worker (sender null for the dataset path).
    void ManejarError(TDataSetProvider* sender, TClientDataSet* dataSet, const EDatabaseError& error,
                      UpdateKind kind, TResolverResponse& response);
    // The cached datasets' handler: aborts the operation, then ManejarError.
    void ManejarClientError(TClientDataSet& dataSet, const EDatabaseError& error, TDataAction& action);
    // Beeps and puts the text into Panel5's caption.
    void mostrar_advertencia(const QString& text);

private:
    ErrorContext context_;
};
