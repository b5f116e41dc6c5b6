#pragma once
// The end of a start: what the executable's entry does around the program's main
// routine.

namespace velmora {

// Runs the main routine (the start-up and the message loop run outside any window
// procedure, so running out of memory there is the runtime's error too), shuts the
// runtime down and ends the process with the quit code of the loop.
[[noreturn]] void RunToEnd(void (*mainRoutine)());

}  // namespace velmora
