#include "errors/ErrorTranslation.h"

#include "data/TClientDataSet.h"

QString tableWord(const QString& sourceName) { return sourceName.mid(1); }

QString translateProviderError(const QString& message, const QString& table) {
    const QString kind = message.mid(18, 20);
    if (kind == QStringLiteral("violation of PRIMARY"))
        return QStringLiteral("Ya existe el registro en la tabla ") + table;
    if (kind == QStringLiteral("violation of FOREIGN"))
        return QStringLiteral("Está borrando o insertando un registro en la tabla ") + table +
               QStringLiteral(" que tiene una relación con otra tabla.");
    return message;
}

QString translateDataSetError(const QString& message, const TClientDataSet& dataSet) {
    QString result = message;
    const QString start = message.left(30);
    if (start == QStringLiteral("Cannot delete master record wi"))
        result = QStringLiteral("Error. Borre antes los detalles dependientes del registro.");
    if (start.left(3) == QStringLiteral("Fie")) {
        QString list;
        for (int i = 0; i < dataSet.FieldCount(); ++i) {
            const TField* f = dataSet.Fields(i);
            if (f->Required && f->IsNull())
                list += f->FieldName + QStringLiteral(", ");
        }
        result = QStringLiteral("Los campos ") + list + QStringLiteral(" son obligatorios.");
    } else if (start.left(3) == QStringLiteral("key")) {
        // The fields of the dataset's current index, each followed by a blank: the
        // cached datasets keep no index, so the list is empty.
        result = QStringLiteral("Ya existe un registro con el mismo ");
    }
    return result;
}

namespace {

// The text between the first pair of double quotes, or empty.
QString firstQuoted(const QString& message) {
    const qsizetype open = message.indexOf(QLatin1Char('"'));
    if (open < 0)
        return {};
    const qsizetype close = message.indexOf(QLatin1Char('"'), open + 1);
    return close < 0 ? QString() : message.mid(open + 1, close - open - 1);
}

} // namespace

QString translateConnectionError(const QString& message) {
    const QString generic = QStringLiteral("Se presento el siguiente error: ") + message;
    if (!message.startsWith(QStringLiteral("dbExpress")))
        return generic;
    if (message.contains(QStringLiteral("Your user name and password are not defined")))
        return QStringLiteral("El nombre de Usuario o la clave son incorrectas.");
    if (message.contains(QStringLiteral("I/O error for file")))
        return QStringLiteral("No se encontró el archivo o la ruta ") + firstQuoted(message);
    if (message.contains(QStringLiteral("Unable to complete network request")))
        return QStringLiteral("No se encontró el equipo servidor con nombre ") + firstQuoted(message);
    if (message.contains(QStringLiteral("Connection failed")))
        return QStringLiteral("No se encontró el servidor Interbase/Firebird. Verifique Servidor en panel de "
                              "control y puerto TCP 3050.");
    return generic;
}
