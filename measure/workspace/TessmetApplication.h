#pragma once

#include <string>
#include <vector>

namespace tessmet {

class CMainFrame;
class SingleInstance;

// The running program's side of a second start: a request to come to the front raises the main
// window, a handed-over picture is opened (with the 64-picture check).
void ConnectHandOver(SingleInstance& instance, CMainFrame& frame);

// What is written back when the program ends: the pens and options.
bool SaveAtExit(const CMainFrame& frame);

// The picture named on the command line (arguments without the program name): `- "PICTURE"` as
// the viewer starts the program, or a plain `PICTURE`; empty when none is named.
std::string CommandLinePicture(const std::vector<std::string>& arguments);

// Opens the command line's picture once the main window is shown (its window then starts at the
// workspace's corner): true when none was named or it opened, false when the program should end.
bool OpenCommandLinePicture(CMainFrame& frame, const std::string& picture);

// Tessmet from start to end: one instance per user (a second start hands its picture to the
// first and ends), the main window with its settings, the picture named on the command line,
// and the pens and options written back at exit. Returns the process exit code.
int RunTessmet(int argc, char** argv);

}  // namespace tessmet
