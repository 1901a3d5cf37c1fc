#include "connection/CompanyConnection.h"

#include "data/TSQLConnection.h"

QString companyDatabasePath(const QString& server, const QString& company) {
    return server + QStringLiteral("/datos/") + company + QStringLiteral("/quelmar.fdb");
}

void connectCompany(TSQLConnection& connection, const CompanyLogin& login) {
    connection.setConnected(false);
    // Entry names match in any case: "password" replaces the designed "Password".
    connection.Params().setValue(QStringLiteral("Database"),
                                 companyDatabasePath(login.server, login.company));
    connection.Params().setValue(QStringLiteral("User_Name"), login.user);
    connection.Params().setValue(QStringLiteral("password"), login.password);
    connection.setConnected(true);
}
