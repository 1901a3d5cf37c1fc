#include "data/TSQLConnection.h"

#include "data/DatabaseError.h"
#include "data/detail/ConnectionState.h"
#include "data/detail/InputMessage.h"
#include "data/detail/Messages.h"

#include <algorithm>

using detail::ConnectionState;

namespace {

// "True" in any case, blanks trimmed, is the only text that turns a switch on.
bool isTrue(const QString& text) { return text.trimmed().compare(QStringLiteral("TRUE"), Qt::CaseInsensitive) == 0; }

std::vector<unsigned char> transactionParameters(const QString& isolation, bool waitOnLocks, int lockTimeout) {
    std::vector<unsigned char> tpb{isc_tpb_version3, isc_tpb_write};
    if (isolation == QStringLiteral("repeatableread")) {
        tpb.push_back(isc_tpb_concurrency);
    } else {
        // Firebird has no dirty read; read committed is the nearest it offers.
        tpb.push_back(isc_tpb_read_committed);
        tpb.push_back(isc_tpb_rec_version);
    }
    tpb.push_back(waitOnLocks ? isc_tpb_wait : isc_tpb_nowait);
    if (waitOnLocks && lockTimeout > 0) {
        const unsigned seconds = unsigned(std::min(lockTimeout, 0x7fff));
        tpb.insert(tpb.end(), {isc_tpb_lock_timeout, 2, (unsigned char)(seconds & 0xff), (unsigned char)(seconds >> 8)});
    }
    return tpb;
}

// The database's SQL dialect, read from the attachment.
int databaseDialect(ConnectionState& st) {
    const unsigned char items[] = {isc_info_db_sql_dialect, isc_info_end};
    unsigned char buffer[16] = {};
    detail::Status status(*st.lib);
    st.attachment->getInfo(status.get(), sizeof items, items, sizeof buffer, buffer);
    if (status.failed() || buffer[0] != isc_info_db_sql_dialect)
        return 3;
    const int length = buffer[1] | (buffer[2] << 8);
    return length >= 1 ? buffer[3] : 3;
}

QString quoted(const QString& part, const QString& q) { return q + part + q; }

} // namespace

TSQLConnection::TSQLConnection() : state_(std::make_unique<ConnectionState>()) {}

TSQLConnection::~TSQLConnection() {
    try {
        setConnected(false);
    } catch (...) {
        // Nothing can be reported from a destructor; the server rolls back what it held.
    }
}

bool TSQLConnection::Connected() const { return state_->connected(); }

void TSQLConnection::setConnected(bool connected) {
    ConnectionState& st = *state_;
    if (connected == st.connected())
        return;
    if (!connected) {
        // Sources first, so that no cursor is left on a detached database.
        for (ConnectionClient* client : std::vector(st.clients))
            client->connectionClosing();
        for (detail::OpenHandle* handle : std::vector(st.handles))
            handle->releaseForDisconnect();
        st.handles.clear();
        st.transaction.reset();
        st.retained.reset();
        st.attachment.reset();
        return;
    }

    try {
        st.lib = &detail::ClientLibrary::get(VendorLib);
    } catch (const EDatabaseError& e) {
        st.lastError = e.message();
        throw;
    }
    const QString user = params_.value(QStringLiteral("USER_NAME"));
    const QString password = params_.value(QStringLiteral("PASSWORD"));
    const QString path = params_.value(QStringLiteral("Database")).trimmed();
    const QString role = params_.value(QStringLiteral("RoleName")).trimmed();
    const QString charSet = params_.value(QStringLiteral("ServerCharSet")).trimmed();
    const QString isolation =
        params_.value(params_.value(QStringLiteral("DriverName")) + QStringLiteral(" TransIsolation")).toLower();
    bool dialectOk = false;
    const int dialect = params_.value(QStringLiteral("SQLDialect")).trimmed().toInt(&dialectOk);
    st.dialect = dialectOk && dialect > 0 ? unsigned(dialect) : 3u;
    st.commitRetain = isTrue(params_.value(QStringLiteral("CommitRetain")));
    st.tpb = transactionParameters(isolation, isTrue(params_.value(QStringLiteral("WaitOnLocks"))), LockTimeout);

    // A NUL would silently cut the path short and open another file.
    const QByteArray file = path.toLocal8Bit();
    if (file.contains('\0'))
        detail::raiseConnectionError(st.lastError, detail::statusCode(detail::ClientStatus::InvalidParameter),
                                     QString(), "Attachment::Attach");

    detail::Status status(*st.lib);
    detail::ParameterBuilder dpb(*st.lib,
                                 st.lib->util()->getXpbBuilder(status.get(), Firebird::IXpbBuilder::DPB, nullptr, 0));
    st.check(status, "Attachment::Attach");
    auto insertText = [&](unsigned char tag, const QString& text) {
        const QByteArray bytes = text.toLatin1();
        dpb->insertBytes(status.get(), tag, bytes.constData(), unsigned(bytes.size()));
    };
    insertText(isc_dpb_user_name, user);
    insertText(isc_dpb_password, password);
    if (!role.isEmpty())
        insertText(isc_dpb_sql_role_name, role);
    if (!charSet.isEmpty())
        insertText(isc_dpb_lc_ctype, charSet);
    dpb->insertInt(status.get(), isc_dpb_sql_dialect, int(st.dialect));
    if (ConnectTimeout > 0)
        dpb->insertInt(status.get(), isc_dpb_connect_timeout, ConnectTimeout);
    st.check(status, "Attachment::Attach");
    detail::Attachment attachment(*st.lib, st.lib->dispatcher()->attachDatabase(status.get(), file.constData(),
                                                                               dpb->getBufferLength(status.get()),
                                                                               dpb->getBuffer(status.get())));
    st.check(status, "Attachment::Attach");
    st.attachment = std::move(attachment);
    st.quoteChar = databaseDialect(st) >= 3 ? QStringLiteral("\"") : QString();
}

bool TSQLConnection::InTransaction() const { return bool(state_->transaction); }

void TSQLConnection::StartTransaction() { state_->startExplicit(); }

void TSQLConnection::Commit() { state_->commitExplicit(); }

void TSQLConnection::Rollback() { state_->rollbackExplicit(); }

int TSQLConnection::Execute(const QString& sql, const std::vector<SqlParam>& params) {
    return Prepare(sql)->execute(params);
}

QString TSQLConnection::QuoteChar() const { return state_->quoteChar; }

QString TSQLConnection::QuotedTableName(const QString& tableName) const {
    if (tableName.isEmpty())
        return tableName;
    static const QString quoteChars = QStringLiteral("\"'`");
    if (quoteChars.contains(tableName.front()) || quoteChars.contains(tableName.back()))
        return tableName;
    const QString q = state_->quoteChar;
    QStringList parts = tableName.split(QLatin1Char('.'));
    for (QString& part : parts)
        part = quoted(part, q);
    return parts.join(QLatin1Char('.'));
}

QString TSQLConnection::LastError() const { return state_->lastError; }

void TSQLConnection::addClient(ConnectionClient* client) {
    auto& c = state_->clients;
    if (std::find(c.begin(), c.end(), client) == c.end())
        c.push_back(client);
}

void TSQLConnection::removeClient(ConnectionClient* client) {
    auto& c = state_->clients;
    c.erase(std::remove(c.begin(), c.end(), client), c.end());
}
