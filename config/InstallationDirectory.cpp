#include "config/InstallationDirectory.h"

#include "config/messages/MessageService.h"

#include <QFileInfo>
#include <QSettings>

QString diraplicacion() {
    QSettings settings(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Tandeo"),
                       QStringLiteral("QuelmarERP2026"));
    // The suite's own file in the first folder of XDG_CONFIG_DIRS only: no value is
    // taken from a later folder or from a "Tandeo.conf" beside it.
    settings.setFallbacksEnabled(false);
    if (!QFileInfo::exists(settings.fileName())) {
        messageService().showMessage(
            QStringLiteral("No se encontró la Clave "
                           "HKEY_LOCAL_MACHINE\\Software\\Tandeo\\QuelmarERP2026\\Directorio"));
        return {};
    }
    const QVariant value = settings.value(QStringLiteral("Directorio"));
    if (!value.isValid()) return {};
    // A value the settings file holds as a list (an unquoted comma) or as binary data.
    if (value.typeId() != QMetaType::QString)
        throw ESettingsError("Invalid data type for 'Directorio'");
    return value.toString();
}

QString installationFile(const QString& directory, const QString& fileName) {
    return directory + QLatin1Char('/') + fileName;
}
