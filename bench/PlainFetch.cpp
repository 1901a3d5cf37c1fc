#include "bench/PlainFetch.h"

#include <firebird/Interface.h>

#include <stdexcept>

extern "C" Firebird::IMaster* fb_get_master_interface();

std::size_t plainFetch(const QString& databasePath, const QString& sql, std::vector<std::byte>& packet) {
    using namespace Firebird;
    IMaster* master = fb_get_master_interface();
    ThrowStatusWrapper status(master->getStatus());
    std::size_t rows = 0;
    try {
        IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&status, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_user_name, "SYSDBA");
        IAttachment* att = master->getDispatcher()->attachDatabase(
            &status, databasePath.toLocal8Bit().constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        dpb->dispose();
        ITransaction* tra = att->startTransaction(&status, 0, nullptr);
        const QByteArray text = sql.toLatin1();
        IStatement* stmt = att->prepare(&status, tra, 0, text.constData(), 3, IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = stmt->getOutputMetadata(&status);
        const unsigned length = meta->getMessageLength(&status);
        IResultSet* rs = stmt->openCursor(&status, tra, nullptr, nullptr, meta, 0);
        std::vector<std::byte> row(length);
        while (rs->fetchNext(&status, row.data()) == IStatus::RESULT_OK) {
            packet.insert(packet.end(), row.begin(), row.end());
            ++rows;
        }
        rs->close(&status);
        meta->release();
        stmt->free(&status);
        tra->commit(&status);
        att->detach(&status);
    } catch (const FbException& e) {
        char text[1024];
        master->getUtilInterface()->formatStatus(text, sizeof text, e.getStatus());
        status.dispose();
        throw std::runtime_error(text);
    }
    status.dispose();
    return rows;
}
