#pragma once

#include <string>

namespace tessmet {

class CMainFrame;
class SingleInstance;

// The running program's side of a second start: a request to come to the front raises the main
// window, a handed-over picture is opened (with the 64-picture check).
void ConnectHandOver(SingleInstance& instance, CMainFrame& frame);

// What is written back when the program ends: the pens and options.
bool SaveAtExit(const CMainFrame& frame);

// Tessmet from start to end: one instance per user (a second start hands its picture to the
// first and ends), the main window with its settings, the picture named on the command line,
// and the pens and options written back at exit. Returns the process exit code.
int RunTessmet(int argc, char** argv);

}  // namespace tessmet
