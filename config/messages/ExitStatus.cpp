#include "config/messages/ExitStatus.h"

namespace {
ExitStatus status = ExitStatus::Posted;
}

ExitStatus programExitStatus() { return status; }
void setProgramExitStatus(ExitStatus s) { status = s; }
