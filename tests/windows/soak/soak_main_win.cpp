// velmora-soak.exe: the program itself, with a driver inside its process that uses
// it for a long time (or abuses it) and watches what it holds. The process's exit
// code is the verdict: 0 when nothing grew and nothing failed.
//   velmora-soak [--minutes N] [--sample-seconds S] [--warm-up-seconds W]
//   velmora-soak --abuse [--passes P] [--paste-chars N] [--typed-chars N]
//                [--openings N] [--link-clicks N]
#include <windows.h>

#include "app/program_main.h"
#include "app/runtime_startup_win.h"
#include "runtime/out_of_memory.h"
#include "tests/windows/soak/soak_driver_win.h"

int main(int argc, char** argv) {
    velmora::soak::SoakOptions options;
    if (!velmora::soak::ParseSoakOptions(argc, argv, options))
        return 2;
    velmora::soak::SoakDriver driver(options);
    int verdict = 1;
    velmora::WithOutOfMemoryError([&] {
        driver.Start();
        velmora::ProgramMain();
        verdict = driver.Report();
        velmora::ShutdownRuntime(0);
    });
    ExitProcess(static_cast<UINT>(verdict));
}
