// Errors of providers and cached datasets, end to end on the real engine: what is
// logged, what the person reads, and that the operation stops silently.

#include "data/DatabaseError.h"
#include "data/FormatSettings.h"
#include "errors/ErrorHandlers.h"
#include "errors/ErrorLog.h"
#include "errors/ErrorTranslation.h"
#include "tests/fixtures/DataSetRig.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

namespace {

class ErrorHandling : public ::testing::Test {
protected:
    void SetUp() override {
        FormatSettings s;
        s.shortDateFormat = QStringLiteral("yyyy/MM/dd");
        s.longTimeFormat = QStringLiteral("HH:mm:ss");
        FormatSettings::setCurrent(s);
        rig.CAjuste.PacketRecords = -1; // as the window's data module has it, until the hook-up
        handlers.ConfigurarProviders({{&rig.PAjuste}, {std::vector<OwnedComponent>{{&rig.CAjuste}, {std::monostate{}}}}});
    }
    QStringList logLines() {
        QFile f(errorLogPath(directory));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    void insertRow(int rate, int id = 0) {
        rig.CAjuste.Insert();
        rig.CAjuste.FieldByName(QStringLiteral("AJCI_ID")).setAsInteger(id);
        rig.CAjuste.FieldByName(QStringLiteral("AJCI_PORC")).setAsCurrency(Currency::fromInteger(rate));
        rig.CAjuste.Post();
    }

    QTemporaryDir installation;
    QString directory = installation.path();
    std::vector<QString> dialogs;
    QStringList warnings;
    int beeps = 0;
    ErrorHandlers handlers{ErrorContext{
        [this] { return directory; },
        [] { return QStringLiteral("contador"); },
        [this](const QString& text) { warnings << text; },
        [this] { ++beeps; },
        [this](const QString& text) { ++beeps, dialogs.push_back(text); },
    }};
    DataSetRig rig;
};

TEST_F(ErrorHandling, TheHookUpReachesEveryProviderAndDatasetItOwns) {
    EXPECT_TRUE(bool(rig.PAjuste.OnUpdateError));
    EXPECT_TRUE(bool(rig.CAjuste.OnPostError) && bool(rig.CAjuste.OnEditError) && bool(rig.CAjuste.OnDeleteError));
    EXPECT_EQ(rig.CAjuste.PacketRecords, 1000);
    EXPECT_FALSE(bool(rig.PRepArticulos.OnUpdateError)); // not listed: left alone
}

TEST_F(ErrorHandling, AKeyViolationWhileApplyingIsNamedWithTheTableWord) {
    rig.TAjuste.Name = QStringLiteral("TAjuste");
    rig.addAdjustment(500, QDate(2026, 5, 23), Currency::fromInteger(19), Currency::fromUnits(8000));
    rig.CAjuste.Open();
    insertRow(5, 500); // the key exists already
    EXPECT_EQ(rig.CAjuste.ApplyUpdates(0), 1);
    insertRow(7);      // no such rate
    EXPECT_EQ(rig.CAjuste.ApplyUpdates(0), 1); // the first row fails again and stops the apply
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0], QStringLiteral("Ya existe el registro en la tabla Ajuste"));
    EXPECT_EQ(dialogs[1], QStringLiteral("Ya existe el registro en la tabla Ajuste"));

    rig.CAjuste.Close();
    rig.CAjuste.Open();
    insertRow(7);
    EXPECT_EQ(rig.CAjuste.ApplyUpdates(-1), 1);
    EXPECT_EQ(dialogs.back(), QStringLiteral("Está borrando o insertando un registro en la tabla Ajuste que tiene "
                                             "una relación con otra tabla."));
    // Every failure was logged with the server's own text.
    const QStringList lines = logLines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(",contador,SQL Server Error: violation of PRIMARY")));
    EXPECT_TRUE(lines.last().contains(QStringLiteral(",contador,SQL Server Error: violation of FOREIGN")));
    EXPECT_TRUE(warnings.isEmpty()); // the provider path leaves Panel5 alone
}

TEST_F(ErrorHandling, ARequiredFieldLeftEmptyIsNamedAndThePostStopsSilently) {
    rig.CAjuste.Open();
    rig.CAjuste.Insert();
    rig.CAjuste.FieldByName(QStringLiteral("AJCI_PORC")).setAsCurrency(Currency::fromInteger(5));
    EXPECT_THROW(rig.CAjuste.Post(), EAbort);
    EXPECT_EQ(rig.CAjuste.State(), TDataSetState::dsInsert);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0], QStringLiteral("Los campos AJCI_ID,  son obligatorios."));
    EXPECT_EQ(warnings, QStringList{QStringLiteral("CAjuste: Field 'AJCI_ID' must have a value")});
    EXPECT_EQ(beeps, 2); // the warning's and the dialog's
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(",contador,Field 'AJCI_ID' must have a value")));
}

TEST_F(ErrorHandling, AGracefulCloseIsNeitherLoggedNorShown) {
    TResolverResponse response = TResolverResponse::rrSkip;
    handlers.ManejarError(&rig.PAjuste, &rig.CAjuste, EDatabaseError(QStringLiteral("Connection Closed Gracefully.")),
                          UpdateKind::ukInsert, response);
    EXPECT_EQ(response, TResolverResponse::rrSkip);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_EQ(beeps, 0);
}

TEST_F(ErrorHandling, OtherTextsAreShownUnchangedAndComparisonsAreExact) {
    TResolverResponse response = TResolverResponse::rrSkip;
    const QString odd = QStringLiteral("SQL Server Error: Violation of PRIMARY or UNIQUE");
    handlers.ManejarError(&rig.PAjuste, &rig.CAjuste, EDatabaseError(odd), UpdateKind::ukInsert, response);
    EXPECT_EQ(response, TResolverResponse::rrAbort);
    EXPECT_EQ(dialogs.back(), odd);
    EXPECT_EQ(translateDataSetError(QStringLiteral("Key violation"), rig.CAjuste), QStringLiteral("Key violation"));
    EXPECT_EQ(translateDataSetError(QStringLiteral("key violation."), rig.CAjuste),
              QStringLiteral("Ya existe un registro con el mismo "));
    EXPECT_EQ(translateDataSetError(QStringLiteral("Cannot delete master record with details"), rig.CAjuste),
              QStringLiteral("Error. Borre antes los detalles dependientes del registro."));
}

TEST(ConnectionErrorTranslation, ClientErrorsGetSentences) {
    EXPECT_EQ(translateConnectionError(QStringLiteral("SQL Server Error: I/O error")),
              QStringLiteral("Se presento el siguiente error: SQL Server Error: I/O error"));
    EXPECT_EQ(translateConnectionError(QStringLiteral("dbExpress Error: [0x000C] Invalid Username/Password\r\n"
                                                      "SQL Server Error: Your user name and password are not defined.")),
              QStringLiteral("El nombre de Usuario o la clave son incorrectas."));
    EXPECT_EQ(translateConnectionError(QStringLiteral("dbExpress Error: I/O error for file \"/x/quelmar.fdb\" etc")),
              QStringLiteral("No se encontró el archivo o la ruta /x/quelmar.fdb"));
    EXPECT_EQ(translateConnectionError(QStringLiteral("dbExpress Error: Unable to complete network request to host \"srv\".")),
              QStringLiteral("No se encontró el equipo servidor con nombre srv"));
    EXPECT_TRUE(translateConnectionError(QStringLiteral("dbExpress Error: [0x0015] Connection failed"))
                    .startsWith(QStringLiteral("No se encontró el servidor Interbase/Firebird.")));
    EXPECT_EQ(translateConnectionError(QStringLiteral("dbExpress Error: other")),
              QStringLiteral("Se presento el siguiente error: dbExpress Error: other"));
}

TEST(ErrorLogFile, RecordsAreWrittenByteForByte) {
    FormatSettings s;
    s.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    s.longTimeFormat = QStringLiteral("HH:mm:ss");
    FormatSettings::setCurrent(s);
    QTemporaryDir dir;
    const QDateTime first(QDate(2026, 5, 23), QTime(9, 5, 7));
    ASSERT_TRUE(appendErrorLog(dir.path(), first, QStringLiteral("ana"), QStringLiteral("línea 1\r\nlínea 2")));
    ASSERT_TRUE(appendErrorLog(dir.path(), first.addSecs(1), QString(), QStringLiteral("x,y")));
    QFile f(errorLogPath(dir.path()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("23/05/2026,09:05:07,ana,l\xEDnea 1\r\nl\xEDnea 2\r\n"
                                      "23/05/2026,09:05:08,,x,y\r\n"));
    // An unwritable log is skipped without a word.
    EXPECT_FALSE(appendErrorLog(dir.path() + QStringLiteral("/no/such/folder"), first, QString(), QStringLiteral("m")));
    EXPECT_EQ(errorLogPath(QString()), QStringLiteral("/ERRORES.TXT"));
}

TEST(ErrorLogFile, TwoProgramsAppendingAtOnceNeverMixTheirRecords) {
    QTemporaryDir dir;
    const QString message = QString(300, QLatin1Char('m'));
    constexpr int kRecords = 400;
    std::vector<pid_t> children;
    for (char who : {'a', 'b'}) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (int i = 0; i < kRecords; ++i)
                appendErrorLog(dir.path(), QDateTime(QDate(2026, 1, 1), QTime(0, 0)), QString(1, QLatin1Char(who)), message);
            _exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children)
        waitpid(pid, nullptr, 0);
    QFile f(errorLogPath(dir.path()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    int a = 0, b = 0;
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        ASSERT_TRUE(line.endsWith(message.toLatin1() + '\r')) << line.left(40).toStdString();
        (line.contains(",a,") ? a : b)++;
    }
    EXPECT_EQ(a, kRecords);
    EXPECT_EQ(b, kRecords);
}

} // namespace
