#pragma once
// What the program tells whoever started it when it ends: a scheduler has no
// other way to learn whether the posting happened.

enum class ExitStatus : int {
    Posted = 0,        // the posting returned rows, or the window was closed without posting
    NothingPosted = 1, // the posting returned no row ("No se pudo contabilizar las facturas.")
    Unfinished = 2,    // a run stopped before the posting's result (an error, bad arguments, a signal)
    // The posting returned rows, but saving the day's adjustment rows had failed
    // before it: the cash and card split was computed from other rows.
    PostedAfterFailedSave = 3,
};

ExitStatus programExitStatus();
void setProgramExitStatus(ExitStatus status);
