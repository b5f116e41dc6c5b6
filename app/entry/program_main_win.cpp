// The executable's entry: the runtime, the program's main routine, the end.
#include <windows.h>

#include "app/program_entry.h"
#include "app/program_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    velmora::RunToEnd(velmora::ProgramMain);
}
