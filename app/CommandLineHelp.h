#pragma once
// The informational command lines: --help (or -h) and --version, each as the only
// argument. They are answered before the application object exists, so they need
// no display, open no window and connect to nothing.

#include <cstdio>
#include <optional>

// The usage text of --help, in Spanish.
const char* usageText();

// "contabiliza-contado VERSION", the version being the build's project version.
const char* versionLine();

// Prints the help or the version to `out` and returns the exit status 0 when the
// command line is one of the informational ones; returns nothing otherwise, and
// the program goes on as usual.
std::optional<int> answerInformationalArguments(int argc, const char* const* argv, std::FILE* out = stdout);
