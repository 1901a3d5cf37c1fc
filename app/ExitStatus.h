#pragma once
// What the program tells whoever started it when it ends: a scheduler has no
// other way to learn whether the posting happened.

enum class ExitStatus : int {
    Posted = 0,        // the posting returned rows, or the window was closed without posting
    NothingPosted = 1, // the posting returned no row ("No se pudo contabilizar las facturas.")
    Unfinished = 2,    // an unattended run stopped on an error before the posting's result
};

ExitStatus programExitStatus();
void setProgramExitStatus(ExitStatus status);
