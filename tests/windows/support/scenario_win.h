#pragma once
// Scenarios: pieces of test code that must run in a process of their own (they end
// it through the runtime error box, or need a fresh runtime). A test runs one with
// RunScenario, which starts this test executable again with --velmora-scenario=NAME,
// waits for the error box, reads it, presses OK and collects the exit code.

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::test {

using ScenarioFunction = int (*)();

struct ScenarioRegistrar {
    ScenarioRegistrar(const char* name, ScenarioFunction run);
};

// Defines a scenario; its body returns the process exit code if it returns.
#define VELMORA_SCENARIO(name)                                                          \
    static int Scenario_##name();                                                       \
    static ::velmora::test::ScenarioRegistrar registrar_##name(#name, Scenario_##name); \
    static int Scenario_##name()

struct ScenarioResult {
    bool boxShown = false;
    std::wstring boxTitle;
    std::vector<std::wstring> boxLines;  // the message text split at "\r\n"
    // MB_ICONERROR when the system's error icon is shown, MB_USERICON for any other
    // icon, 0 for none.
    UINT boxIcon = 0;
    DWORD exitCode = 0;
    bool exited = false;
};

// Runs a scenario of this executable; `marker` names a file the scenario may write
// (passed in the environment as VELMORA_MARKER), deleted beforehand. The scenario
// starts in `workingDir` (empty: this process's current directory).
ScenarioResult RunScenario(const char* name, const std::wstring& marker = L"",
                           const std::wstring& workingDir = L"");

// Runs another executable the same way (the program itself).
ScenarioResult RunProgram(const std::wstring& exePath, const std::wstring& workingDir = L"");

// The scenario's name when this process runs one, else null (used by main).
const char* ScenarioArgument(int argc, char** argv);
int RunNamedScenario(const char* name);

// Inside a scenario: appends a line to the marker file named by VELMORA_MARKER
// (nothing when none is named).
void AppendMarker(const std::string& line);
// In the test: the lines of a marker file (empty when the file does not exist).
std::vector<std::string> ReadMarker(const std::wstring& path);

// The folder of this test executable, without a trailing backslash.
std::wstring ExecutableFolder();

// The GBK text as it reaches the box, for comparisons.
std::wstring W(const char* gbk);

// A path in the temporary folder, unique to this process.
std::wstring TempPath(const wchar_t* name);
bool FileExists(const std::wstring& path);

}  // namespace velmora::test
