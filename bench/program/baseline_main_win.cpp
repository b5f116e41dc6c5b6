// velmora-baseline.exe: the best plain Win32 program doing what the main window does,
// the yardstick of the program benchmarks. The same window (298 x 196, centred, the
// same title, frame and icon) with the same twelve child windows at the same places,
// written directly with CreateWindowEx: two buttons, two edit boxes with up-down
// controls, four labels, the picture and the link. The picture shows the first
// image of the program's GIF from the start, decoded as the program decodes it. At
// creation it opens the forum as the program does. "播放" starts a SetTimer loop at
// the interval typed, each tick asking Beep for a 1 ms tone of the typed frequency,
// and plays the picture from its six frames stretched once (halftone) and then only
// copied.
//   velmora-baseline.exe            as above
//   velmora-baseline.exe sweep      also a 10 ms loop from the start that asks for
//                                   tones 1, 2, 3, ... as the test window's sweep
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "app/art/velmora_art.h"
#include "app/forum_address.h"
#include "runtime/win_handles_win.h"
#include "ui/picture/still_picture_win.h"

namespace {

using namespace velmora;

constexpr int kPlay = 101, kFrequency = 102, kInterval = 103, kSettings = 104, kPicture = 105;
constexpr UINT_PTR kToneTimer = 1, kFrameTimer = 2, kSweepTimer = 3;
constexpr int kPictureWidth = 112, kPictureHeight = 145;

struct Baseline {
    HWND window = nullptr;
    HWND play = nullptr, frequency = nullptr, interval = nullptr, picture = nullptr;
    bool playing = false;
    unsigned frame = 0;
    unsigned sweep = 0;
    StillPicture still;                      // the GIF's first image, shown until the first play
    std::vector<UniqueGdi<HBITMAP>> frames;  // stretched, made at the first play
} app;

void DecodeFirstImage(HINSTANCE instance) {
    if (HRSRC res = FindResourceW(instance, L"MOSQUITO_GIF", reinterpret_cast<LPCWSTR>(RT_RCDATA))) {
        if (HGLOBAL data = LoadResource(instance, res))
            DecodeStillPicture(static_cast<const uint8_t*>(LockResource(data)), SizeofResource(instance, res),
                               app.still);
    }
}

HICON ProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

int NumberIn(HWND edit) {
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    return static_cast<int>(wcstol(text, nullptr, 10));
}

// The six frames over white, each stretched once into the picture's size.
void MakeFrames() {
    if (!app.frames.empty())
        return;
    const int w = art::kAnimationWidth, h = art::kAnimationHeight;
    const BITMAPINFO info = TopDownPixelsInfo(w, h);
    WindowDc screen(app.picture);
    UniqueDc memory(CreateCompatibleDC(screen.get()));
    for (std::vector<uint32_t> pixels : art::MosquitoAnimationPixels()) {
        for (uint32_t& p : pixels) {
            const uint32_t a = p >> 24;
            auto over = [a](uint32_t c) { return (c * a + 255 * (255 - a)) / 255; };
            p = over(p >> 16 & 0xFF) << 16 | over(p >> 8 & 0xFF) << 8 | over(p & 0xFF);
        }
        UniqueGdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), kPictureWidth, kPictureHeight));
        DcSelect select(memory.get(), bitmap.get());
        SetStretchBltMode(memory.get(), HALFTONE);
        SetBrushOrgEx(memory.get(), 0, 0, nullptr);
        StretchDIBits(memory.get(), 0, 0, kPictureWidth, kPictureHeight, 0, 0, w, h, pixels.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
        app.frames.push_back(std::move(bitmap));
    }
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PaintScope paint(hwnd);
        if (!app.frames.empty()) {
            UniqueDc memory(CreateCompatibleDC(paint.dc()));
            DcSelect select(memory.get(), app.frames[app.frame % app.frames.size()].get());
            BitBlt(paint.dc(), 0, 0, kPictureWidth, kPictureHeight, memory.get(), 0, 0, SRCCOPY);
        } else {
            StretchModeScope stretch(paint.dc(), PictureStretchMode());
            DrawStillPicture(paint.dc(), app.still, 0, 0, kPictureWidth, kPictureHeight);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
           int id) {
    HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, app.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

void MakeChildren() {
    app.play = Child(L"BUTTON", L"播放", WS_TABSTOP, 0, 129, 105, 79, 27, kPlay);
    app.frequency = Child(L"EDIT", L"15", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 195, 16, 37, 24, kFrequency);
    Child(UPDOWN_CLASSW, L"", 0, WS_EX_STATICEDGE, 232, 16, 18, 24, kFrequency + 4);
    Child(L"STATIC", L"声音频率：", SS_CENTERIMAGE, 0, 128, 17, 64, 24, 0);
    app.interval = Child(L"EDIT", L"100", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 195, 55, 37, 24, kInterval);
    Child(UPDOWN_CLASSW, L"", 0, WS_EX_STATICEDGE, 232, 55, 18, 24, kInterval + 4);
    Child(L"STATIC", L"播放时间：", SS_CENTERIMAGE, 0, 127, 61, 64, 16, 0);
    app.picture = Child(L"VelmoraBaselinePicture", L"", 0, 0, 0, 0, kPictureWidth, kPictureHeight, kPicture);
    Child(L"STATIC", L"Hz", SS_CENTERIMAGE, 0, 256, 21, 24, 16, 0);
    Child(L"STATIC", L"毫秒", SS_CENTERIMAGE, 0, 257, 56, 29, 24, 0);
    Child(L"BUTTON", L"设置", WS_TABSTOP, 0, 218, 106, 62, 27, kSettings);
    Child(L"STATIC", L"访问Velmora论坛", SS_CENTER | SS_NOTIFY, 0, 136, 136, 152, 32, 0);
}

void TogglePlay() {
    app.playing = !app.playing;
    SetWindowTextW(app.play, app.playing ? L"停止" : L"播放");
    if (!app.playing) {
        KillTimer(app.window, kToneTimer);
        KillTimer(app.window, kFrameTimer);
        return;
    }
    MakeFrames();
    SetTimer(app.window, kFrameTimer, 50, nullptr);
    const int interval = NumberIn(app.interval);
    if (interval > 0)
        SetTimer(app.window, kToneTimer, static_cast<UINT>(interval), nullptr);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kPlay && HIWORD(wParam) == BN_CLICKED)
            TogglePlay();
        return 0;
    case WM_TIMER:
        if (wParam == kToneTimer) {
            Beep(static_cast<DWORD>(NumberIn(app.frequency)), 1);
        } else if (wParam == kFrameTimer) {
            ++app.frame;
            WindowDc dc(app.picture);
            UniqueDc memory(CreateCompatibleDC(dc.get()));
            DcSelect select(memory.get(), app.frames[app.frame % app.frames.size()].get());
            BitBlt(dc.get(), 0, 0, kPictureWidth, kPictureHeight, memory.get(), 0, 0, SRCCOPY);
        } else if (wParam == kSweepTimer) {
            Beep(++app.sweep, 2);
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        wchar_t text[4] = {};
        GetWindowTextW(reinterpret_cast<HWND>(lParam), text, 4);
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        if (wcsncmp(text, L"访问V", 3) == 0)
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"VelmoraBaseline";
    RegisterClassExW(&windowClass);
    windowClass.lpfnWndProc = PictureProc;
    windowClass.hIcon = windowClass.hIconSm = nullptr;
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = L"VelmoraBaselinePicture";
    RegisterClassExW(&windowClass);
    DecodeFirstImage(instance);

    const int w = 298, h = 196;
    app.window = CreateWindowExW(0, L"VelmoraBaseline", L"Velmora电子驱蚊器 v1.0",
                                 WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, nullptr, nullptr, instance, nullptr);
    MakeChildren();
    ShellExecuteA(nullptr, "open", kForumAddress, nullptr, nullptr, SW_SHOW);
    if (wcscmp(commandLine, L"sweep") == 0)
        SetTimer(app.window, kSweepTimer, 10, nullptr);
    ShowWindow(app.window, SW_SHOWNORMAL);
    UpdateWindow(app.window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            DestroyWindow(app.window);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    app.frames.clear();
    return 0;
}
