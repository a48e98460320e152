#pragma once

#include <string>

namespace tessmet {

// Tessmet from start to end: one instance per user (a second start hands its picture to the
// first and ends), the main window with its settings, the picture named on the command line,
// and the pens and options written back at exit. Returns the process exit code.
int RunTessmet(int argc, char** argv);

}  // namespace tessmet
