// Covers: the `HyperLinker`.
//  - a press opens the address of its kind through the shell ("open", no owner,
//    SW_SHOW); an empty address opens nothing; a double click opens once; a
//    disabled box does nothing;
//  - the ".htm" fallback runs the registered command line with WinExec; a missing
//    key or an overlong command fails;
//  - registry values are read safely (missing terminator, too long, not text);
//  - hover: the capture is taken on the first move and released outside; the text
//    colour is hover over visited over normal (read back from the pixels);
//  - clamps of LinkKind and Border; address writes repaint only without caption.
#include <gtest/gtest.h>

#include <map>

#include "support/message_sequence_win.h"
#include "support/real_input_win.h"
#include "support/test_program_win.h"
#include "ui/controls/control_types.h"
#include "ui/controls/hyperlinker_properties.h"
#include "ui/controls/hyperlinker_shell_win.h"

namespace velmora::test {
namespace {

constexpr uint32_t kMain = 0x52010001, kMainUnit = 0x06010000;
constexpr uint32_t kLink = 0x16010051;
constexpr COLORREF kNormal = RGB(0, 0, 255), kVisited = RGB(128, 0, 0), kHover = RGB(0, 160, 0);

std::vector<std::string> opened, executed;
INT_PTR shellAnswer = 42;
std::map<std::string, std::string> registry;

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                             INT show) {
    opened.push_back(std::string(owner ? "owner " : "") + verb + " " + file +
                     (params || dir ? " +args" : "") + " " + std::to_string(show));
    return reinterpret_cast<HINSTANCE>(shellAnswer);
}
UINT WINAPI RecordExec(LPCSTR line, UINT show) {
    executed.push_back(std::string(line) + " " + std::to_string(show));
    return 33;
}
std::optional<std::string> FakeRegistry(const std::string& key) {
    auto it = registry.find(key);
    return it == registry.end() ? std::nullopt : std::optional<std::string>(it->second);
}

class HyperLinker : public ::testing::Test {
  protected:
    void SetUp() override {
        opened.clear();
        executed.clear();
        shellAnswer = 42;
        registry.clear();
        LinkShell() = {RecordShell, RecordExec, FakeRegistry};
        // The pointer may still rest where an earlier test clicked, over the link,
        // which would show its hover colour.
        ParkPointer();
    }
    void TearDown() override { LinkShell() = {ShellExecuteA, WinExec, ReadClassesRootDefault}; }

    void Start(HyperLinkerProperties p, bool disabled = false) {
        p.normalColor = kNormal;
        p.visitedColor = kVisited;
        p.hoverColor = kHover;
        p.backColor = RGB(255, 255, 255);
        UnitRecord link = ChildUnit(kLink, kHyperLinkerTypeCode, 20, 20, 160, 32);
        link.ownData = kHyperLinkerLayout.Encode(p);
        if (disabled)
            link.flags |= kUnitDisabled;
        DescriptionSet set;
        set.windows.push_back(Window(kMain, {WindowUnit(kMainUnit, 100, 100, 300, 150), link}));
        StartTestRuntime(set);
        LoadStartupWindow(kMain);
        BringToFront(WindowHandle(kMain));
    }
    static HyperLinkerProperties Web(const char* address, const char* caption = "论坛") {
        HyperLinkerProperties p;
        p.linkKind = 1;
        p.webAddress = address;
        p.caption = caption;
        return p;
    }
    static HWND Link() { return UnitHwnd(kMain, kLink); }
    static void Press() { SendMessageW(Link(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }

    // The colours of the text's pixels (anything but the white background).
    static bool TextShows(COLORREF colour) {
        UpdateWindow(Link());
        HDC dc = GetDC(Link());
        RECT r;
        GetClientRect(Link(), &r);
        bool found = false;
        for (int y = 0; y < r.bottom && !found; ++y)
            for (int x = 0; x < r.right && !found; ++x)
                found = GetPixel(dc, x, y) == colour;
        ReleaseDC(Link(), dc);
        return found;
    }
};

TEST_F(HyperLinker, APressOpensTheAddressOfItsKind) {
    Start(Web("http://bbs.velmora.cn/"));
    Press();
    HyperLinkerProperties mail;
    mail.mailAddress = "a@velmora.cn";
    Start(mail);
    Press();
    EXPECT_EQ(opened, (std::vector<std::string>{"open http://bbs.velmora.cn/ 5",
                                                "open mailto:a@velmora.cn 5"}));
    // The address alone is shown when there is no caption, visited now.
    EXPECT_TRUE(TextShows(kVisited));
}

TEST_F(HyperLinker, AnEmptyAddressOrADisabledBoxOpensNothing) {
    Start(Web(""));
    Press();
    EXPECT_TRUE(TextShows(kNormal));
    Start(Web("http://x/"), true);
    ClickAt(CentreOf(Link()));
    EXPECT_TRUE(opened.empty());
}

TEST_F(HyperLinker, ADoubleClickOpensOnce) {
    Start(Web("http://x/"));
    const POINT p = CentreOf(Link());
    INPUT in[4] = {};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SetCursorPos(p.x, p.y);
    SendInput(4, in, sizeof(INPUT));
    PumpFor(100);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(HyperLinker, TheFallbackRunsTheRegisteredCommand) {
    shellAnswer = 2;  // the shell fails
    registry[".htm"] = "htmlfile";
    registry["htmlfile\\shell\\open\\command"] = "\"C:\\browser.exe\" \"%1\"";
    Start(Web("http://x/"));
    Press();
    EXPECT_EQ(executed, std::vector<std::string>{"\"C:\\browser.exe\"  http://x/ 5"});
    EXPECT_TRUE(TextShows(kVisited));
    // No command registered, or one that does not fit: a failure, nothing run.
    executed.clear();
    registry["htmlfile\\shell\\open\\command"] = std::string(600, 'c');
    Press();
    registry.erase(".htm");
    Press();
    EXPECT_TRUE(executed.empty());
    InvalidateRect(Link(), nullptr, FALSE);
    EXPECT_TRUE(TextShows(kNormal));
}

TEST_F(HyperLinker, HoverTakesTheCaptureAndWinsOverVisited) {
    Start(Web("http://x/"));
    Press();  // visited
    EXPECT_TRUE(TextShows(kVisited));
    SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(GetCapture(), Link());
    EXPECT_TRUE(TextShows(kHover));
    SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));  // still inside
    EXPECT_EQ(GetCapture(), Link());
    SendMessageW(Link(), WM_MOUSEMOVE, 0, MAKELPARAM(-4, 10));  // outside
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(TextShows(kVisited));
}

TEST_F(HyperLinker, ClampsOfKindAndBorder) {
    Start(Web("http://x/"));
    const struct {
        int index;
        int32_t written, stored;
    } cases[] = {{9, 7, 1}, {9, -2, 0}, {16, -3, 0}, {16, 9, 5}, {16, 3, 3}};
    for (const auto& c : cases) {
        WriteProperty(kMain, kLink, c.index, kWholeProperty, MakeInteger(c.written));
        EXPECT_EQ(static_cast<int32_t>(ReadProperty(kMain, kLink, c.index).low), c.stored);
    }
    EXPECT_TRUE(GetWindowLongW(Link(), GWL_EXSTYLE) & WS_EX_STATICEDGE);
    // An address write repaints nothing while a caption is shown.
    UpdateWindow(Link());
    WriteProperty(kMain, kLink, kHyperLinkerWebAddress, kWholeProperty, MakeText("http://y/"));
    RECT update;
    EXPECT_FALSE(GetUpdateRect(Link(), &update, FALSE));
}

// Registry values as they may really be stored.
TEST(HyperLinkerRegistry, ValuesAreReadSafely) {
    const char* key = "Software\\Classes\\.velmoratest";
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              nullptr),
              ERROR_SUCCESS);
    const struct {
        DWORD type;
        std::string bytes;
        std::optional<std::string> read;
    } cases[] = {
        {REG_SZ, std::string("htmlfile\0", 9), "htmlfile"},
        {REG_SZ, "unterminated", "unterminated"},
        {REG_SZ, std::string(MAX_PATH, 'a'), std::string(MAX_PATH, 'a')},
        {REG_SZ, std::string(MAX_PATH + 1, 'a'), std::nullopt},
        {REG_DWORD, std::string(4, '\1'), std::nullopt},
    };
    for (const auto& c : cases) {
        RegSetValueExA(h, nullptr, 0, c.type, reinterpret_cast<const BYTE*>(c.bytes.data()),
                       static_cast<DWORD>(c.bytes.size()));
        EXPECT_EQ(ReadClassesRootDefault(".velmoratest"), c.read) << c.bytes.size();
    }
    RegCloseKey(h);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    EXPECT_FALSE(ReadClassesRootDefault(".velmoratest").has_value());
}

}  // namespace
}  // namespace velmora::test
