#pragma once
// Owners of the Firebird client's objects. Private to the data layer.
//
// Every attachment, transaction, statement, result set, metadata block, parameter
// builder and status object the data layer holds lives in one of these, and they are
// the only code that ends one. An owner that goes out of scope ends its object the
// quiet way (detach, roll back, free, close), and when even that fails it lets go
// of the client's copy, so nothing is left behind on any path.

#include "data/detail/ClientLibrary.h"

#include <QString>

#include <utility>

namespace detail {

// Ends an object the way its interface says, ignoring failures: the server lets go
// of whatever it still holds when the attachment goes.
void endQuietly(const ClientLibrary& lib, Firebird::IAttachment* attachment);
void endQuietly(const ClientLibrary& lib, Firebird::ITransaction* transaction);
void endQuietly(const ClientLibrary& lib, Firebird::IStatement* statement);
void endQuietly(const ClientLibrary& lib, Firebird::IResultSet* results);
void endQuietly(const ClientLibrary& lib, Firebird::IMessageMetadata* metadata);
void endQuietly(const ClientLibrary& lib, Firebird::IMetadataBuilder* builder);
void endQuietly(const ClientLibrary& lib, Firebird::IXpbBuilder* builder);
void endQuietly(const ClientLibrary& lib, Firebird::IStatus* status);

template <class T>
class Handle {
public:
    Handle() = default;
    Handle(const ClientLibrary& lib, T* object) : lib_(&lib), object_(object) {}
    ~Handle() { reset(); }
    Handle(Handle&& other) noexcept
        : lib_(other.lib_), object_(std::exchange(other.object_, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            reset();
            lib_ = other.lib_;
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // Ends the object now (quietly); the owner is empty afterwards.
    void reset() {
        if (T* object = std::exchange(object_, nullptr))
            endQuietly(*lib_, object);
    }

protected:
    // The object ended on its own (a successful commit): the owner forgets it.
    void forget() { object_ = nullptr; }
    const ClientLibrary& lib() const { return *lib_; }

private:
    const ClientLibrary* lib_ = nullptr;
    T* object_ = nullptr;
};

using Attachment = Handle<Firebird::IAttachment>;
using Statement = Handle<Firebird::IStatement>;
using ResultSet = Handle<Firebird::IResultSet>;
using Metadata = Handle<Firebird::IMessageMetadata>;
using MetadataBuilder = Handle<Firebird::IMetadataBuilder>;
using ParameterBuilder = Handle<Firebird::IXpbBuilder>;
using StatusCopy = Handle<Firebird::IStatus>; // a status cloned to outlive the calls after it

// A transaction; rolled back when its owner lets go of it still open. The ending
// calls raise the server's error as ESQLError (kept in lastError).
class Transaction : public Handle<Firebird::ITransaction> {
public:
    using Handle::Handle;
    // Commits; a transaction that refuses to commit is rolled back before the error goes on.
    void commit(QString& lastError);
    // Commits the work and keeps the transaction's context open.
    void commitRetaining(QString& lastError);
    // Rolls back; the client's copy is let go of even when the server refuses.
    void rollback(QString& lastError);
};

// A status object of the client, disposed of on every path.
class Status {
public:
    explicit Status(const ClientLibrary& lib);
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    Firebird::CheckStatusWrapper* get() { return &wrapper_; }
    Firebird::CheckStatusWrapper* operator->() { return &wrapper_; }
    Firebird::CheckStatusWrapper& wrapper() { return wrapper_; }
    bool failed() const { return wrapper_.getState() & Firebird::IStatus::STATE_ERRORS; }

private:
    Firebird::CheckStatusWrapper wrapper_;
};

} // namespace detail
