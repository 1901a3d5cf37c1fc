#include "data/TDataSetProvider.h"

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"

DataPacket TDataSetProvider::GetRecords(int count, RequestFlags flags, const QString& commandText) {
    if (!DataSet)
        throw EDatabaseError(dsmsg::noProvider());
    if (count == 0 && flags.testFlag(RequestFlag::grReset)) {
        Reset();
        return {};
    }
    if (!commandText.isEmpty()) {
        auto* query = dynamic_cast<TSQLQuery*>(DataSet);
        if (!Options.testFlag(TProviderOption::poAllowCommandText) || !query)
            throw EDatabaseError(dsmsg::noCommandText());
        query->setSQL(commandText);
    }
    if (flags.testFlag(RequestFlag::grReset))
        Reset();
    if (!DataSet->Active()) {
        DataSet->Open();
        openedSource_ = true;
    }
    if (flags.testFlag(RequestFlag::grMetaData))
        rowsSent_ = 0;

    DataPacket packet;
    packet.layout = DataSet->layout();
    try {
        while ((count < 0 || packet.rowCount < count) && DataSet->fetchNext())
            packet.append(DataSet->row());
    } catch (...) {
        Reset();
        throw;
    }
    rowsSent_ += packet.rowCount;
    // The end is reached: let go of the source at once.
    if (count < 0 || packet.rowCount < count)
        Reset();
    return packet;
}

void TDataSetProvider::Reset() {
    rowsSent_ = 0;
    if (openedSource_ && DataSet)
        DataSet->Close();
    openedSource_ = false;
}
