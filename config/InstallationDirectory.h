#pragma once
// The installation directory of the accounting suite, kept machine-wide by the
// suite's installer: on Linux the value "Directorio" of Tandeo/QuelmarERP2026.conf
// in the first folder of XDG_CONFIG_DIRS (/etc/xdg when unset). Read afresh at
// every use; the program never writes it.

#include <QString>

#include <stdexcept>

// The setting holds something other than a text.
class ESettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The installation directory, or the empty text when the setting is missing; a
// missing setting is reported to the user with a plain message, at every call.
// Raises ESettingsError when the value is not a text.
QString diraplicacion();

// A file of the installation directory: directory + "/" + name ("/name" when the
// directory is empty).
QString installationFile(const QString& directory, const QString& fileName);
