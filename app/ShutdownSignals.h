#pragma once
// SIGTERM, SIGINT and SIGHUP end the program at once, whatever it is waiting for:
// connecting, a lock held by another workstation, or a statement on the server.
//
// The user-interface thread may sit inside the database client for a long time, and
// the client installs signal handlers of its own, so the three signals are blocked
// in every thread and taken by one thread that does nothing else. It writes one line
// to standard error and ends the process with status 2 (stopped before the
// posting's result), without unwinding: whatever transaction is open is left to the
// server, which rolls it back, so nothing is half saved.

// Call first in main, before any other thread starts (threads inherit the mask).
void endOnShutdownSignals();
