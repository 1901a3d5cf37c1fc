#include "errors/ErrorHandlers.h"

#include "data/DatabaseError.h"
#include "errors/ErrorLog.h"
#include "errors/ErrorTranslation.h"

void ErrorHandlers::ConfigurarProviders(const std::vector<OwnedComponent>& owned) {
    for (const OwnedComponent& c : owned) {
        if (const auto* children = std::get_if<std::vector<OwnedComponent>>(&c.what)) {
            if (!children->empty()) {
                ConfigurarProviders(*children);
                continue;
            }
        }
        if (auto* const* provider = std::get_if<TDataSetProvider*>(&c.what)) {
            (*provider)->OnUpdateError = [this](TDataSetProvider& sender, TClientDataSet& dataSet,
                                                const EUpdateError& error, UpdateKind kind,
                                                TResolverResponse& response) {
                ManejarError(&sender, &dataSet, error, kind, response);
            };
        } else if (auto* const* dataSet = std::get_if<TClientDataSet*>(&c.what)) {
            (*dataSet)->PacketRecords = 1000;
            auto handler = [this](TClientDataSet& ds, const EDatabaseError& error, TDataAction& action) {
                ManejarClientError(ds, error, action);
            };
            (*dataSet)->OnPostError = handler;
            (*dataSet)->OnEditError = handler;
            (*dataSet)->OnDeleteError = handler;
        }
    }
}

void ErrorHandlers::ManejarError(TDataSetProvider* sender, TClientDataSet* dataSet, const EDatabaseError& error,
                                 UpdateKind, TResolverResponse& response) {
    const QString& original = error.message();
    if (original == QStringLiteral("Connection Closed Gracefully."))
        return;

    // The directory is looked up now: a missing setting is announced before the log
    // falls back to the root.
    const QString directory = context_.installationDirectory ? context_.installationDirectory() : QString();
    appendErrorLog(directory, QDateTime::currentDateTime(), context_.userName ? context_.userName() : QString(),
                   original);
    response = TResolverResponse::rrAbort;

    QString message = original;
    if (dataSet && sender) {
        message = translateProviderError(original, tableWord(sender->DataSet ? sender->DataSet->Name : QString()));
    } else if (dataSet) {
        mostrar_advertencia(dataSet->Name + QStringLiteral(": ") + original);
        message = translateDataSetError(original, *dataSet);
    } else {
        message = translateConnectionError(original);
    }
    if (context_.showErrorDialog)
        context_.showErrorDialog(message);
}

void ErrorHandlers::ManejarClientError(TClientDataSet& dataSet, const EDatabaseError& error, TDataAction& action) {
    action = TDataAction::daAbort;
    TResolverResponse response = TResolverResponse::rrAbort;
    ManejarError(nullptr, &dataSet, error, UpdateKind::ukModify, response);
}

void ErrorHandlers::mostrar_advertencia(const QString& text) {
    if (context_.beep)
        context_.beep();
    if (context_.setWarningCaption)
        context_.setWarningCaption(text);
}
