// Covers: velmora-gallery.exe as a user meets it: its window shows every control
// type, its timer label counts up about ten a second, Tab walks the tab stops in
// creation order, Escape closes it and the process ends with 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "support/external_program_win.h"

namespace velmora::test {
namespace {

// The value of the one label that shows only digits.
int TickCount(HWND gallery) {
    for (const std::wstring& text : ChildTexts(gallery, L"VelmoraLabel")) {
        if (!text.empty() && std::all_of(text.begin(), text.end(), iswdigit))
            return std::stoi(text);
    }
    return -1;
}

TEST(Gallery, CountsTicksWalksTabStopsAndClosesWithEscape) {
    ExternalProgram gallery(BuildFolder() + L"\\tools\\gallery\\velmora-gallery.exe");
    ASSERT_TRUE(gallery.started());
    HWND window = gallery.WaitForWindow(L"Velmora gallery");
    ASSERT_NE(window, nullptr);
    for (const wchar_t* type : {L"VelmoraLabel", L"VelmoraPicBox", L"BUTTON", L"EDIT",
                                L"VelmoraHyperLinker", L"VelmoraTimer"})
        EXPECT_FALSE(ChildTexts(window, type).empty()) << type;

    const int before = TickCount(window);
    Sleep(2000);
    const int after = TickCount(window);
    ASSERT_GE(before, 0);
    EXPECT_GE(after - before, 15);  // about 20 ticks in 2 s
    EXPECT_LE(after - before, 25);

    // Tab goes from button to button in creation order.
    std::vector<HWND> buttons;
    for (HWND c = FindWindowExW(window, nullptr, L"BUTTON", nullptr); c;
         c = FindWindowExW(window, c, L"BUTTON", nullptr))
        buttons.push_back(c);
    ASSERT_EQ(buttons.size(), 4u);
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        gallery.PostKey(gallery.FocusedWindow(window) ? gallery.FocusedWindow(window) : window,
                        VK_TAB);
        Sleep(150);
        visited.push_back(gallery.FocusedWindow(window));
    }
    EXPECT_EQ(std::count(visited.begin(), visited.end(), nullptr), 0);
    for (size_t i = 1; i < visited.size(); ++i)
        EXPECT_NE(visited[i], visited[i - 1]);

    gallery.PostKey(window, VK_ESCAPE);
    DWORD code = 1;
    ASSERT_TRUE(gallery.WaitForExit(10000, code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace velmora::test
