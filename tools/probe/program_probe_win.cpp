// velmora-probe.exe: looks at a running Windows program from outside, for the
// end-to-end tests and the program benchmarks (run under Wine beside the program).
//
//   velmora-probe startup EXE [ARG]   starts EXE, prints the milliseconds from the
//                                     start to its first visible top-level window and
//                                     to the moment its pixels on the screen reached
//                                     what they show when everything is painted
//                                     (they then stay so for a second), and its
//                                     process id (hex, as Wine's logs show it),
//                                     then closes it; exit code: EXE's
//   velmora-probe enabled TEXT        0 when the visible top-level window whose title
//                                     starts with TEXT is enabled, 1 when disabled,
//                                     2 when there is none
//   velmora-probe resources TEXT      prints the committed private bytes, the working
//                                     set and the kernel handles of the process owning
//                                     that window
//   velmora-probe shown TEXT          waits (up to 30 s) until the visible top-level
//                                     window whose title starts with TEXT is shown and
//                                     painted, then prints it and its visible child
//                                     windows, a line each: class, "text" (UTF-8) and
//                                     the rectangle on the screen; 2 when none came
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

#include "runtime/win_handles_win.h"
#include "ui/picture/still_picture_win.h"

namespace {

using velmora::UniqueKernelHandle;

double Milliseconds(LONGLONG from, LONGLONG to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to - from) * 1000.0 / double(f.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

struct WindowSearch {
    DWORD process = 0;           // when set: a window of this process
    const wchar_t* title = nullptr;  // when set: a title starting with this
    HWND found = nullptr;
};

BOOL CALLBACK Consider(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if (!IsWindowVisible(hwnd))
        return TRUE;
    if (search->process) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != search->process)
            return TRUE;
    }
    if (search->title) {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        if (wcsncmp(text, search->title, wcslen(search->title)) != 0)
            return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

HWND FindVisibleWindow(DWORD process, const wchar_t* title) {
    WindowSearch search;
    search.process = process;
    search.title = title;
    EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A hash of the window's pixels on the screen (read back from the screen, where
// every process's windows end up).
uint64_t ScreenHash(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return 0;
    const BITMAPINFO info = velmora::TopDownPixelsInfo(w, h);
    void* bits = nullptr;
    velmora::UniqueGdi<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    velmora::UniqueDc memory(CreateCompatibleDC(nullptr));
    velmora::WindowDc screen(nullptr);
    if (!bitmap || !memory)
        return 0;
    {
        velmora::DcSelect select(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    uint64_t hash = 14695981039346656037ull;
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < size_t(w) * size_t(h); ++i)
        hash = (hash ^ p[i]) * 1099511628211ull;
    return hash;
}

// Reads the window's pixels every few milliseconds until they have not changed for
// a second; answers when they first showed what they show since.
LONGLONG WhenPaintingEnded(HWND window) {
    const LONGLONG began = Now();
    uint64_t last = ScreenHash(window);
    LONGLONG since = Now();
    while (Milliseconds(since, Now()) < 1000 && Milliseconds(began, Now()) < 20000) {
        Sleep(2);
        const LONGLONG at = Now();
        const uint64_t hash = ScreenHash(window);
        if (hash != last) {
            last = hash;
            since = at;
        }
    }
    return since;
}

int Startup(const wchar_t* exe, const wchar_t* arg) {
    std::wstring command = L"\"" + std::wstring(exe) + L"\"";
    if (arg)
        command += L" " + std::wstring(arg);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // The desktop is made ready first (under Wine its process starts with the first
    // program that asks for it): a start is measured without it.
    GetDesktopWindow();
    const LONGLONG start = Now();
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start the program (%lu)\n", GetLastError());
        return 2;
    }
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    HWND window = nullptr;
    while (!(window = FindVisibleWindow(info.dwProcessId, nullptr))) {
        if (WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0 || Milliseconds(start, Now()) > 20000) {
            std::fprintf(stderr, "no window appeared\n");
            TerminateProcess(process.get(), 3);
            return 2;
        }
        Sleep(1);
    }
    const LONGLONG shown = Now();
    const LONGLONG painted = WhenPaintingEnded(window);
    std::printf("%.1f %.1f %04lx\n", Milliseconds(start, shown), Milliseconds(start, painted),
                info.dwProcessId);
    std::fflush(stdout);
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 3);
        return 2;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

int Enabled(const wchar_t* title) {
    HWND window = FindVisibleWindow(0, title);
    if (!window)
        return 2;
    return IsWindowEnabled(window) ? 0 : 1;
}

// Committed private memory of a process, from its address space.
size_t PrivateBytes(HANDLE process) {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        if (region.RegionSize == 0)
            break;
    }
    return total;
}

// The kernel handles a process holds, found by duplicating every handle value in
// turn (GetProcessHandleCount answers 0 under Wine).
unsigned KernelHandles(HANDLE process) {
    unsigned count = 0;
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                            DUPLICATE_SAME_ACCESS)) {
            CloseHandle(copy);
            ++count;
        }
    }
    return count;
}

int Resources(const wchar_t* title) {
    HWND window = FindVisibleWindow(0, title);
    if (!window)
        return 2;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE, FALSE, id));
    if (!process)
        return 2;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.get(), &memory, sizeof memory);
    std::printf("%lu %lu %u\n", static_cast<unsigned long>(PrivateBytes(process.get())),
                static_cast<unsigned long>(memory.WorkingSetSize), KernelHandles(process.get()));
    return 0;
}

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string out(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.pop_back();
    return out;
}

void PrintWindow(HWND window, const char* indent) {
    wchar_t type[128] = {};
    GetClassNameW(window, type, 128);
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    RECT r = {};
    GetWindowRect(window, &r);
    std::printf("%s%s \"%s\" %ld %ld %ld %ld\n", indent, Utf8(type).c_str(), Utf8(text).c_str(), r.left, r.top,
                r.right - r.left, r.bottom - r.top);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    if (IsWindowVisible(child))
        PrintWindow(child, "  ");
    return TRUE;
}

int Shown(const wchar_t* title) {
    const LONGLONG start = Now();
    HWND window = nullptr;
    while (!(window = FindVisibleWindow(0, title))) {
        if (Milliseconds(start, Now()) > 30000)
            return 2;
        Sleep(10);
    }
    WhenPaintingEnded(window);
    PrintWindow(window, "");
    EnumChildWindows(window, PrintChild, 0);
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3) {
        std::fprintf(stderr,
                     "usage: velmora-probe startup EXE [ARG] | enabled TITLE | resources TITLE | shown TITLE\n");
        return 2;
    }
    const std::wstring verb = argv[1];
    if (verb == L"startup")
        return Startup(argv[2], argc > 3 ? argv[3] : nullptr);
    if (verb == L"enabled")
        return Enabled(argv[2]);
    if (verb == L"resources")
        return Resources(argv[2]);
    if (verb == L"shown")
        return Shown(argv[2]);
    std::fprintf(stderr, "unknown verb\n");
    return 2;
}
