#pragma once
// Each company of the suite keeps its data in its own database,
// SERVER/datos/COMPANY/quelmar.fdb, reached with the user's own name and password.

#include <QString>

class TSQLConnection;

struct CompanyLogin {
    QString server; // a server list entry, used as it is
    QString user;
    QString password;
    QString company; // the company code, the name of the company's folder

    // Company, user and password all given: only then is a connection tried.
    bool isComplete() const { return !company.isEmpty() && !user.isEmpty() && !password.isEmpty(); }
};

// server + "/datos/" + company + "/quelmar.fdb", with no separator added or removed.
QString companyDatabasePath(const QString& server, const QString& company);

// Disconnects, points the connection at the company's database with the login's
// user and password, and connects. A failure is raised with the connection's
// message and leaves the connection closed.
void connectCompany(TSQLConnection& connection, const CompanyLogin& login);
