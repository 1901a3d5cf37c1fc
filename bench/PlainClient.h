#pragma once
// What the baselines share: the Firebird client itself, with nothing of this system
// in between.

#include <firebird/Interface.h>

#include <QString>

#include <stdexcept>

extern "C" Firebird::IMaster* fb_get_master_interface();

namespace plain {

// Attaches as SYSDBA (password masterkey) to a database path, embedded or remote.
Firebird::IAttachment* attach(Firebird::IMaster* master, Firebird::ThrowStatusWrapper& status, const QString& path);

// Runs body(master, status) with a status that throws, and turns a Firebird error
// into a std::runtime_error carrying Firebird's text.
template <typename Body> auto run(Body body) {
    Firebird::IMaster* master = fb_get_master_interface();
    Firebird::ThrowStatusWrapper status(master->getStatus());
    try {
        auto result = body(master, status);
        status.dispose();
        return result;
    } catch (const Firebird::FbException& e) {
        char text[1024];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        status.dispose();
        throw std::runtime_error(text);
    }
}

} // namespace plain
