#pragma once
// The Firebird client library, loaded at run time on first use and kept for the
// life of the process. Private to the data layer.

#include <firebird/Interface.h>

#include <QString>

namespace detail {

class ClientLibrary {
public:
    // The library loaded from that file name; raises "Unable to Load <name>" when it
    // cannot be loaded. Every name is loaded at most once.
    static ClientLibrary& get(const QString& fileName);

    Firebird::IMaster* master() const { return master_; }
    Firebird::IUtil* util() const { return util_; }
    Firebird::IProvider* dispatcher() const { return dispatcher_; }
    // The SQLCODE of a status vector (the legacy isc_sqlcode).
    int sqlCode(const intptr_t* statusVector) const;

private:
    ClientLibrary() = default;
    Firebird::IMaster* master_ = nullptr;
    Firebird::IUtil* util_ = nullptr;
    Firebird::IProvider* dispatcher_ = nullptr;
    int (*sqlcodeFn_)(const intptr_t*) = nullptr;
};

} // namespace detail
