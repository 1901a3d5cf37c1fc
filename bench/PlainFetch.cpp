#include "bench/PlainFetch.h"

#include "bench/PlainClient.h"

#include <vector>

std::size_t plainFetch(const QString& databasePath, const QString& sql, std::vector<std::byte>& packet) {
    using namespace Firebird;
    return plain::run([&](IMaster* master, ThrowStatusWrapper& status) {
        IAttachment* att = plain::attach(master, status, databasePath);
        ITransaction* tra = att->startTransaction(&status, 0, nullptr);
        const QByteArray text = sql.toLatin1();
        IStatement* stmt = att->prepare(&status, tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = stmt->getOutputMetadata(&status);
        IResultSet* rs = stmt->openCursor(&status, tra, nullptr, nullptr, meta, 0);
        std::vector<std::byte> row(meta->getMessageLength(&status));
        std::size_t rows = 0;
        while (rs->fetchNext(&status, row.data()) == IStatus::RESULT_OK) {
            packet.insert(packet.end(), row.begin(), row.end());
            ++rows;
        }
        rs->close(&status);
        meta->release();
        stmt->free(&status);
        tra->commit(&status);
        att->detach(&status);
        return rows;
    });
}
