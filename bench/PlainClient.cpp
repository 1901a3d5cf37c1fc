#include "bench/PlainClient.h"

namespace plain {

Firebird::IAttachment* attach(Firebird::IMaster* master, Firebird::ThrowStatusWrapper& status, const QString& path) {
    Firebird::IXpbBuilder* dpb =
        master->getUtilInterface()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(&status, isc_dpb_user_name, "SYSDBA");
    dpb->insertString(&status, isc_dpb_password, "masterkey");
    Firebird::IAttachment* attachment = master->getDispatcher()->attachDatabase(
        &status, path.toLocal8Bit().constData(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
    dpb->dispose();
    return attachment;
}

} // namespace plain
