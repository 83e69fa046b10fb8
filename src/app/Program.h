#pragma once
// The start-up sequence and the end of the process: fonts, the single
// instance, skin resources and controls, registered messages, the main
// window and its loop, teardown in reverse.

#include "app/CommandLine.h"

namespace warden {

// Runs the program with parsed options; `argc`/`argv` go to Qt. Returns the
// process exit code: 0 in every case of the normal run (as a second
// instance too); with --screenshot, 1 when the picture could not be written.
int RunProgram(const CommandLine& options, int& argc, char** argv);

}  // namespace warden
