#include "bench/PlainExecute.h"

#include <firebird/Interface.h>

#include <stdexcept>

extern "C" Firebird::IMaster* fb_get_master_interface();

long long plainExecute(const QString& databasePath, const QString& sql, int rows, const ParameterWriter& write,
                       const std::function<void(bool start)>& timing, const QString& warmUpQuery) {
    using namespace Firebird;
    IMaster* master = fb_get_master_interface();
    ThrowStatusWrapper status(master->getStatus());
    long long affected = 0;
    try {
        IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&status, isc_dpb_password, "masterkey");
        IAttachment* att = master->getDispatcher()->attachDatabase(
            &status, databasePath.toLocal8Bit().constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        dpb->dispose();
        if (!warmUpQuery.isEmpty()) {
            ITransaction* reader = att->startTransaction(&status, 0, nullptr);
            const QByteArray query = warmUpQuery.toLatin1();
            IStatement* select = att->prepare(&status, reader, 0, query.constData(), 3, 0);
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
        for (int r = 0; r < rows; ++r) {
            for (unsigned i = 0; i < count; ++i)
                write(r, i, buffer.data() + offsets[i], reinterpret_cast<short*>(buffer.data() + nullOffsets[i]));
            stmt->execute(&status, tra, meta, buffer.data(), nullptr, nullptr);
            affected += (long long)stmt->getAffectedRecords(&status);
        }
        meta->release();
        stmt->free(&status);
        tra->commit(&status);
        if (timing)
            timing(false);
        att->detach(&status);
    } catch (const FbException& e) {
        char text[1024];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        status.dispose();
        throw std::runtime_error(text);
    }
    status.dispose();
    return affected;
}
