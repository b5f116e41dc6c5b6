#pragma once
// The program's main routine, shared by velmora.exe and the programs that run it
// in their own process (the soak driver).

namespace velmora {

// Starts the runtime with the stored window descriptions and the program's
// handlers, loads the main window and runs the message loop until the last window
// has closed (its quit code in Runtime().quitCode). The caller shuts the runtime
// down and ends the process (RunToEnd).
void ProgramMain();

}  // namespace velmora
