// Covers: the program at a display scale above 100%.
//  - velmora.exe and velmora-gallery.exe carry an application manifest that
//    declares them DPI aware, per monitor, and asks for no common controls 6;
//  - the display shows the scale the prefix was made for (VELMORA_LOGPIXELS) to a
//    DPI-aware process;
//  - with the display above 96 dpi (the rest skip themselves at 96): both windows,
//    loaded in this DPI-aware process, have their stored outer sizes at the scale
//    (within 2 pixels); every shown control lies inside its window's client area;
//    every label's and button's caption fits its control in the control's font;
//    Left, Top, Width and Height read back as stored, in 96-dpi pixels, and Left
//    writes read back unchanged; the spin arrows keep their width at the scale;
//    the test window's balloon holds its tip's text, in the sheet's font at the
//    scale, with its margins at the scale; the main picture box, showing its
//    picture at natural size, is covered as much as at 96 dpi.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/art/velmora_art.h"
#include "app/program_handlers_win.h"
#include "app/runtime_startup_win.h"
#include "app/windows/main_window.h"
#include "app/windows/program_descriptions.h"
#include "app/windows/test_window.h"
#include "runtime/wide_text.h"
#include "runtime/win_handles_win.h"
#include "support/client_pixels_win.h"
#include "support/external_program_win.h"
#include "support/message_sequence_win.h"
#include "support/real_input_win.h"
#include "support/test_program_win.h"
#include "ui/controls/balloon_tip/q_tip_commands.h"
#include "ui/controls/balloon_tip/q_tip_properties.h"
#include "ui/controls/control_types.h"
#include "ui/controls/edit_box_spin_win.h"
#include "ui/controls/pic_box_properties.h"
#include "ui/loader/control_win.h"
#include "ui/loader/display_scale_win.h"
#include "ui/loader/property_conversion.h"

namespace velmora::test {
namespace {

std::string ManifestOf(const std::wstring& exe) {
    HMODULE m = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!m)
        return "(cannot open)";
    std::string text;
    if (HRSRC r = FindResourceW(m, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        if (HGLOBAL data = LoadResource(m, r))
            text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(m, r));
    }
    FreeLibrary(m);
    return text;
}

TEST(DisplayScaleManifest, DeclaresPerMonitorAwarenessAndNoNewCommonControls) {
    for (const wchar_t* exe : {L"\\app\\velmora.exe", L"\\tools\\gallery\\velmora-gallery.exe"}) {
        const std::string manifest = ManifestOf(BuildFolder() + exe);
        SCOPED_TRACE(manifest);
        EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
        EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    }
}

// What velmora.exe's manifest asks for, for this process (whose own executable
// declares nothing): per-monitor awareness where the system has it.
void BecomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    auto set = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    if (!set || !set(reinterpret_cast<HANDLE>(-4)))  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
        SetProcessDPIAware();
}

TEST(DisplayScaleManifest, TheDisplayShowsThePrefixScale) {
    const char* asked = std::getenv("VELMORA_LOGPIXELS");
    if (!asked)
        GTEST_SKIP() << "no scale asked for";
    BecomeDpiAware();
    EXPECT_EQ(SystemScale().dpi, std::atoi(asked));
}

TypedValue Silent(int, const TypedValue*) {
    return {};
}

// Both windows loaded, non-modal, with every handler silent (no address opened).
class ProgramAtScale : public ::testing::Test {
  protected:
    void SetUp() override {
        BecomeDpiAware();
        scale_.dpi = SystemScale().dpi;
        if (scale_.Is96())
            GTEST_SKIP() << "the display is at 96 dpi";
        set_ = ProgramDescriptions(art::MosquitoAnimationGif());
        bytes_ = WriteDescriptionSet(set_);
        ProgramData program;
        program.descriptions = reinterpret_cast<const uint8_t*>(bytes_.data());
        program.descriptionsSize = bytes_.size();
        for (HandlerEntry entry : ProgramHandlers())
            program.handlers.push_back({entry.storedRef, Silent});
        InitRuntime(program);
        started_ = true;
        for (const WindowDescription& w : set_.windows)
            ASSERT_TRUE(LoadWindow(w.windowId, 0, false)) << std::hex << w.windowId;
    }
    void TearDown() override {
        if (started_)
            ShutdownRuntime(0);
    }

    DisplayScale scale_;
    DescriptionSet set_;
    std::string bytes_;
    bool started_ = false;
};

int ReadInteger(uint32_t windowId, uint32_t unitId, int index) {
    return static_cast<int32_t>(ReadProperty(windowId, unitId, index).low);
}

TEST_F(ProgramAtScale, WindowsHaveTheirStoredSizesAtTheScale) {
    for (const WindowDescription& w : set_.windows) {
        const UnitRecord& own = w.units[0];
        RECT r;
        ASSERT_TRUE(GetWindowRect(WindowHandle(w.windowId), &r));
        EXPECT_NEAR(r.right - r.left, scale_.ToDevice(own.width), 2) << std::hex << w.windowId;
        EXPECT_NEAR(r.bottom - r.top, scale_.ToDevice(own.height), 2) << std::hex << w.windowId;
    }
}

TEST_F(ProgramAtScale, ShownControlsLieInsideTheirWindow) {
    for (const WindowDescription& w : set_.windows) {
        HWND window = WindowHandle(w.windowId);
        RECT client;
        GetClientRect(window, &client);
        for (size_t i = 1; i < w.units.size(); ++i) {
            HWND h = UnitHwnd(w.windowId, w.units[i].unitId);
            if (!h || !IsWindowVisible(h))
                continue;
            RECT r;
            GetWindowRect(h, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << std::hex << w.units[i].unitId << std::dec << ": (" << r.left << "," << r.top
                << ")-(" << r.right << "," << r.bottom << ") in " << client.right << "x"
                << client.bottom;
        }
    }
}

TEST_F(ProgramAtScale, CaptionsFitTheirControls) {
    for (const WindowDescription& w : set_.windows) {
        for (size_t i = 1; i < w.units.size(); ++i) {
            const UnitRecord& u = w.units[i];
            if (u.typeCode != kLabelTypeCode && u.typeCode != kButtonTypeCode)
                continue;
            HWND h = UnitHwnd(w.windowId, u.unitId);
            ASSERT_NE(h, nullptr);
            wchar_t text[256] = {};
            const int length = GetWindowTextW(h, text, 256);
            HFONT font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
            WindowDc dc(h);
            DcSelect select(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
            SIZE extent = {};
            GetTextExtentPoint32W(dc.get(), text, length, &extent);
            RECT client;
            GetClientRect(h, &client);
            EXPECT_TRUE(extent.cx <= client.right && extent.cy <= client.bottom)
                << std::hex << u.unitId << std::dec << ": " << extent.cx << "x" << extent.cy
                << " in " << client.right << "x" << client.bottom;
        }
    }
}

TEST_F(ProgramAtScale, GeometryReadsBackInStoredPixels) {
    for (const WindowDescription& w : set_.windows) {
        for (const UnitRecord& u : w.units) {
            const bool own = &u == &w.units[0];  // a window is placed (centred) when shown
            SCOPED_TRACE(testing::Message() << std::hex << u.unitId);
            if (!own) {
                EXPECT_EQ(ReadInteger(w.windowId, u.unitId, kPropLeft), u.left);
                EXPECT_EQ(ReadInteger(w.windowId, u.unitId, kPropTop), u.top);
            }
            EXPECT_EQ(ReadInteger(w.windowId, u.unitId, kPropWidth), u.width);
            EXPECT_EQ(ReadInteger(w.windowId, u.unitId, kPropHeight), u.height);
        }
    }
}

// The arrows beside each edit box: the up-down control at the box's right edge.
TEST_F(ProgramAtScale, SpinArrowsKeepTheirWidthAtTheScale) {
    for (uint32_t unit : {main_window::kFrequencyBox, main_window::kIntervalBox}) {
        HWND box = UnitHwnd(main_window::kWindowId, unit);
        RECT boxRect = {}, arrows = {};
        GetWindowRect(box, &boxRect);
        for (HWND h = GetWindow(box, GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT)) {
            wchar_t cls[32] = {};
            GetClassNameW(h, cls, 32);
            RECT r;
            if (_wcsicmp(cls, UPDOWN_CLASSW) == 0 && GetWindowRect(h, &r) &&
                r.left == boxRect.right)
                arrows = r;
        }
        EXPECT_EQ(arrows.right - arrows.left, scale_.ToDevice(kSpinWidth)) << std::hex << unit;
    }
}

TEST_F(ProgramAtScale, LeftWritesReadBackUnchanged) {
    for (int left : {1, 37, 101, 0}) {
        WriteProperty(main_window::kWindowId, main_window::kPlayButton, kPropLeft, kWholeProperty,
                      MakeInteger(left));
        EXPECT_EQ(ReadInteger(main_window::kWindowId, main_window::kPlayButton, kPropLeft), left);
    }
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The extent of the lines of a text in a font of the family (else the face of the
// default GUI font, as the markup takes) at a size in points at the scale.
SIZE LinesExtent(const std::string& gbk, const wchar_t* family, int points, DisplayScale scale) {
    WindowDc screen(nullptr);
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(lf.lfFaceName, family);
    bool installed = false;
    EnumFontFamiliesExW(screen.get(), &lf, NoteFace, reinterpret_cast<LPARAM>(&installed), 0);
    if (!installed)
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfHeight = -MulDiv(points, scale.dpi, 72);
    lf.lfWidth = 0;
    UniqueGdi<HFONT> font(CreateFontIndirectW(&lf));
    DcSelect select(screen.get(), font.get());
    TEXTMETRICW tm = {};
    GetTextMetricsW(screen.get(), &tm);
    SIZE all = {};
    size_t start = 0;
    while (start <= gbk.size()) {
        size_t end = gbk.find("\r\n", start);
        if (end == std::string::npos)
            end = gbk.size();
        const std::wstring line = WideFromGbk(gbk.substr(start, end - start));
        SIZE extent = {};
        GetTextExtentPoint32W(screen.get(), line.c_str(), static_cast<int>(line.size()), &extent);
        all.cx = std::max(all.cx, extent.cx);
        all.cy += tm.tmAscent + tm.tmDescent;
        start = end + 2;
    }
    return all;
}

BOOL CALLBACK NoteShownBalloon(HWND h, LPARAM out) {
    wchar_t name[32] = {};
    GetClassNameW(h, name, 32);
    if (IsWindowVisible(h) && std::wstring(name) == L"VelmoraBalloon")
        *reinterpret_cast<HWND*>(out) = h;
    return TRUE;
}

// The pointer rests on the test window's frequency box, given the duration tip in
// a block padded by 20 pixels on its left and top: the balloon is as large as that
// text in the sheet's body font (10pt Verdana) at the scale, with the padding and
// the box's margins, pointer and shadow at the scale.
TEST_F(ProgramAtScale, TheBalloonHoldsItsTextAtTheScale) {
    using namespace test_window;
    constexpr int kPadding = 20;
    const std::string tip = "<div style=\"padding-left: 20px; padding-top: 20px\">" +
                            std::string(kDurationTip) + "</div>";
    HWND window = WindowHandle(kWindowId);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const TypedValue args[8] = {TypedValue{kWindowId, kTipBox, kQTipTypeCode},
                                TypedValue{kWindowId, kFrequencyBox, kEditBoxTypeCode},
                                MakeText(tip.c_str()), MakeInteger(-1)};
    TypedValue added;
    AddTip(&added, 8, args);
    ASSERT_EQ(added.low, 1u);

    HWND box = UnitHwnd(kWindowId, kFrequencyBox);
    const POINT rest = CentreOf(box);
    for (int i = 0; i < 100; ++i) {
        SetCursorPos(rest.x, rest.y);
        PumpFor(10);
        POINT now = {};
        if (GetCursorPos(&now) && now.x == rest.x && now.y == rest.y)
            break;
    }
    POINT client = rest;
    ScreenToClient(box, &client);
    PostMessageW(box, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    HWND balloon = nullptr;
    for (int i = 0; i < 300 && !balloon; ++i) {
        PumpFor(10);
        EnumThreadWindows(GetCurrentThreadId(), NoteShownBalloon,
                          reinterpret_cast<LPARAM>(&balloon));
    }
    ParkPointer();
    ASSERT_NE(balloon, nullptr) << "the tip did not show";

    const QTipProperties stored = NewQTipProperties(0, 0);
    SIZE text = LinesExtent(kDurationTip, L"Verdana", 10, scale_);
    text.cx += scale_.ToDevice(kPadding);
    text.cy += scale_.ToDevice(kPadding);
    const int marginX = scale_.ToDevice(stored.marginX), marginY = scale_.ToDevice(stored.marginY);
    const int pointer = scale_.ToDevice(stored.pointerHeight);
    const int shadowX = scale_.ToDevice(stored.shadowOffsetX);
    const int shadowY = scale_.ToDevice(stored.shadowOffsetY);
    RECT r;
    GetWindowRect(balloon, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SCOPED_TRACE(testing::Message()
                 << "text " << text.cx << "x" << text.cy << ", balloon " << width << "x" << height);
    // Font sizes round a little differently from face to face: a few pixels of play.
    const int play = scale_.ToDevice(4);
    EXPECT_NEAR(width, text.cx + 2 * marginX + shadowX, play);
    EXPECT_NEAR(height, text.cy + 2 * marginY + pointer + shadowY, play);
}

// The width and height of a GIF, from its logical screen descriptor.
SIZE GifSize(const std::string& gif) {
    auto word = [&gif](size_t at) {
        return static_cast<int>(static_cast<uint8_t>(gif[at]) |
                                (static_cast<uint8_t>(gif[at + 1]) << 8));
    };
    return {word(6), word(8)};
}

// DisplayMode 0 shows the picture at its natural size from the top left corner:
// at the scale it covers the same share of the box as at 96 dpi.
TEST_F(ProgramAtScale, APictureAtItsNaturalSizeCoversTheSameShareOfItsBox) {
    constexpr COLORREF kBack = RGB(255, 0, 255);
    WriteProperty(main_window::kWindowId, main_window::kPicture, kPicBoxBackColor, kWholeProperty,
                  MakeInteger(kBack));
    WriteProperty(main_window::kWindowId, main_window::kPicture, kPicBoxDisplayMode, kWholeProperty,
                  MakeInteger(0));
    const ClientPixels shown =
        CaptureClient(UnitHwnd(main_window::kWindowId, main_window::kPicture));
    ASSERT_GT(shown.width, 0);
    // The picture's extent: right of its last column and below its last row.
    int right = 0, bottom = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            if (shown.At(x, y) != kBack) {
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    const SIZE picture = GifSize(art::MosquitoAnimationGif());
    EXPECT_NEAR(right, std::min(shown.width, scale_.ToDevice(picture.cx)), 1);
    EXPECT_NEAR(bottom, std::min(shown.height, scale_.ToDevice(picture.cy)), 1);
}

}  // namespace
}  // namespace velmora::test
