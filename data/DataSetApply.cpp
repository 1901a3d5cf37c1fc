// Applying a cached dataset's changes through its provider and settling the
// change log afterwards.

#include "data/DataSetMessages.h"
#include "data/DatabaseError.h"
#include "data/TClientDataSet.h"
#include "data/TDataSetProvider.h"

int TClientDataSet::ApplyUpdates(int maxErrors) {
    checkActive();
    // A row being edited is posted first (or abandoned when untouched); a failing
    // post stops the apply before anything is sent.
    CheckBrowseMode();
    if (ChangeCount() == 0)
        return 0;
    if (!Provider)
        throw EDatabaseError(dsmsg::noProvider());
    const ApplyResult result = Provider->ApplyUpdates(*this, changeBatch(), maxErrors);
    // Only rows whose transaction committed leave the change log; every other
    // change (failed, never sent, or rolled back with its batch) stays pending.
    acceptChanges(result.appliedRowIds);
    return result.errorCount;
}
