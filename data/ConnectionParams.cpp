#include "data/ConnectionParams.h"

ConnectionParams ConnectionParams::designList() {
    return ConnectionParams(QStringList{
        QStringLiteral("DriverName=Interbase"),
        QStringLiteral("BlobSize=-1"),
        QStringLiteral("CommitRetain=False"),
        QStringLiteral("Database=C:\\QUELMARerp2017\\sop\\quelmar.fdb"),
        QStringLiteral("ErrorResourceFile="),
        QStringLiteral("LocaleCode=0000"),
        QStringLiteral("Password=qorvantel"),
        QStringLiteral("RoleName=RoleName"),
        QStringLiteral("ServerCharSet="),
        QStringLiteral("SQLDialect=3"),
        QStringLiteral("Interbase TransIsolation=ReadCommited"),
        QStringLiteral("User_Name=sysdba"),
        QStringLiteral("WaitOnLocks=True"),
    });
}

int ConnectionParams::indexOf(const QString& name) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const QString& line = lines_[i];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QStringView lineName = eq < 0 ? QStringView(line) : QStringView(line).left(eq);
        if (lineName.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString ConnectionParams::value(const QString& name) const {
    const int i = indexOf(name);
    if (i < 0)
        return {};
    const QString& line = lines_[i];
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.mid(eq + 1);
}

bool ConnectionParams::contains(const QString& name) const { return indexOf(name) >= 0; }

void ConnectionParams::setValue(const QString& name, const QString& value) {
    const int i = indexOf(name);
    if (value.isEmpty()) {
        if (i >= 0)
            lines_.removeAt(i);
        return;
    }
    const QString line = name + QLatin1Char('=') + value;
    if (i >= 0)
        lines_[i] = line;
    else
        lines_.append(line);
}
