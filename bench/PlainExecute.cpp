#include "bench/PlainExecute.h"

#include "bench/PlainClient.h"

#include <vector>

namespace {

// Reads a whole query, as the system has read the rows before it changes them.
void readAll(Firebird::IAttachment* att, Firebird::ThrowStatusWrapper& status, const QString& query) {
    using namespace Firebird;
    ITransaction* reader = att->startTransaction(&status, 0, nullptr);
    const QByteArray text = query.toLatin1();
    IStatement* select = att->prepare(&status, reader, 0, text.constData(), 3, 0);
    IMessageMetadata* out = select->getOutputMetadata(&status);
    std::vector<unsigned char> row(out->getMessageLength(&status));
    IResultSet* rs = select->openCursor(&status, reader, nullptr, nullptr, out, 0);
    while (rs->fetchNext(&status, row.data()) == IStatus::RESULT_OK) {
    }
    rs->close(&status);
    out->release();
    select->free(&status);
    reader->commit(&status);
}

} // namespace

long long plainExecute(const QString& databasePath, const QString& sql, int rows, const ParameterWriter& write,
                       const std::function<void(bool start)>& timing, const QString& warmUpQuery) {
    using namespace Firebird;
    return plain::run([&](IMaster* master, ThrowStatusWrapper& status) {
        IAttachment* att = plain::attach(master, status, databasePath);
        if (!warmUpQuery.isEmpty())
            readAll(att, status, warmUpQuery);
        if (timing)
            timing(true);
        const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                                     isc_tpb_wait};
        ITransaction* tra = att->startTransaction(&status, sizeof tpb, tpb);
        const QByteArray text = sql.toLatin1();
        IStatement* stmt = att->prepare(&status, tra, 0, text.constData(), 3, 0);
        IMessageMetadata* meta = stmt->getInputMetadata(&status);
        const unsigned count = meta->getCount(&status);
        std::vector<unsigned> offsets(count), nullOffsets(count);
        for (unsigned i = 0; i < count; ++i) {
            offsets[i] = meta->getOffset(&status, i);
            nullOffsets[i] = meta->getNullOffset(&status, i);
        }
        std::vector<unsigned char> buffer(meta->getMessageLength(&status));
        long long affected = 0;
        for (int r = 0; r < rows; ++r) {
            for (unsigned i = 0; i < count; ++i)
                write(r, i, buffer.data() + offsets[i], reinterpret_cast<short*>(buffer.data() + nullOffsets[i]));
            stmt->execute(&status, tra, meta, buffer.data(), nullptr, nullptr);
            affected += static_cast<long long>(stmt->getAffectedRecords(&status));
        }
        meta->release();
        stmt->free(&status);
        tra->commit(&status);
        if (timing)
            timing(false);
        att->detach(&status);
        return affected;
    });
}
