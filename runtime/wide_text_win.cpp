#include <windows.h>

#include <vector>

#include "runtime/wide_text.h"

namespace velmora {

std::wstring WideFromGbk(const std::string& gbk) {
    if (gbk.empty())
        return std::wstring();
    int n =
        MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), &wide[0], n);
    return wide;
}

std::wstring WideFromGbk(const char* gbk) {
    return gbk ? WideFromGbk(std::string(gbk)) : std::wstring();
}

std::string GbkFromWide(const wchar_t* wide, int length) {
    if (!wide)
        return std::string();
    if (length < 0)
        length = static_cast<int>(wcslen(wide));
    if (length == 0)
        return std::string();
    int n = WideCharToMultiByte(kGbkCodePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string gbk(n, '\0');
    WideCharToMultiByte(kGbkCodePage, 0, wide, length, &gbk[0], n, nullptr, nullptr);
    return gbk;
}

std::string GbkFromWide(const std::wstring& wide) {
    return GbkFromWide(wide.data(), static_cast<int>(wide.size()));
}

std::string WindowTextGbk(void* hwnd) {
    HWND h = static_cast<HWND>(hwnd);
    int n = GetWindowTextLengthW(h);
    if (n <= 0)
        return std::string();
    std::vector<wchar_t> buffer(n + 1);
    int got = GetWindowTextW(h, buffer.data(), n + 1);
    return GbkFromWide(buffer.data(), got);
}

bool SetWindowTextGbk(void* hwnd, const std::string& gbk) {
    return SetWindowTextW(static_cast<HWND>(hwnd), WideFromGbk(gbk).c_str()) != FALSE;
}

}  // namespace velmora
