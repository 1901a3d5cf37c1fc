#pragma once
// The password of an unattended run, kept out of the process list.
//
//   contabiliza-contado SERVIDOR USUARIO CLAVE COMPAÑÍA
//
// CLAVE "-" reads the password from the first line of standard input. A password
// written on the command line is readable by every local user in /proc/PID/cmdline
// and in ps for as long as the program runs, so it is taken out of the argument
// memory as soon as it has been read: the process image is started again, in the
// same process, with "-" in its place and the password passed through a pipe.
// The argument count stays, and neither the password's characters nor its length
// show.

#include <QString>

// Position of the password on the command line.
inline constexpr int kPasswordArgument = 3;

// Call first in main, before anything else reads argv. Returns only when the
// command line holds no password (or cannot be restarted, in which case the
// argument's memory has been overwritten in place).
void hidePasswordArgument(int argc, char** argv);

// The password of the command line: the text piped from a restart, the first line
// of standard input for "-" (without its line end; nothing read is an empty
// password), or the argument itself. Empty without a password argument.
QString readPasswordArgument(int argc, char** argv);
