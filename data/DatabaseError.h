#pragma once
// The errors of the data layer. Errors are exceptions; the message is the text a
// person sees, composed once where the error arises.

#include <QString>

#include <exception>
#include <memory>
#include <string>

// Every failure of the data layer: a rule of a dataset or provider, or a failure
// reported by the database.
class EDatabaseError : public std::exception {
public:
    explicit EDatabaseError(QString message)
        : message_(std::move(message)), utf8_(message_.toStdString()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

// A failure reported by the database client or server. Besides the composed message
// it keeps what identifies the failure: the driver status code (a client status of
// 1 to 100, or the Firebird error code), Firebird's own error code (status[1] of the
// status vector, 0 for client-side failures) and the SQLCODE, and the operation
// that failed, such as "Statement::Execute" or "Transaction::Commit".
class ESQLError : public EDatabaseError {
public:
    ESQLError(QString message, long statusCode, long firebirdCode, int sqlCode, QString operation)
        : EDatabaseError(std::move(message)), statusCode_(statusCode),
          firebirdCode_(firebirdCode), sqlCode_(sqlCode), operation_(std::move(operation)) {}
    const QString& operation() const { return operation_; }
    long statusCode() const { return statusCode_; }
    long firebirdCode() const { return firebirdCode_; }
    int sqlCode() const { return sqlCode_; }
    // The connection to the server is gone (network failure, server shut down):
    // nothing more can be done on it until it is opened again.
    bool connectionLost() const;

private:
    long statusCode_;
    long firebirdCode_;
    int sqlCode_;
    QString operation_;
};

// Unwinds the operation in progress without any message: raised when an error
// was already dealt with (shown and logged) by an error event.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

// A row that failed while changes were applied: the message of the error the
// row's statement raised, unchanged, with that error kept beside it.
class EUpdateError : public EDatabaseError {
public:
    EUpdateError(QString message, std::exception_ptr original, int previousError)
        : EDatabaseError(std::move(message)), original_(std::move(original)), previousError_(previousError) {}
    QString Context() const { return {}; }
    int ErrorCode() const { return 1; }
    // The error code of an earlier failure of the same row, or 0.
    int PreviousError() const { return previousError_; }
    const std::exception_ptr& OriginalException() const { return original_; }

private:
    std::exception_ptr original_;
    int previousError_;
};
