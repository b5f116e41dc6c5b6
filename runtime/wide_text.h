#pragma once
// The one boundary where the program's GBK texts meet Windows: everything shown by
// or read back from Windows goes through the wide (W) API, converted here from and
// to code page 936, so Chinese text reads correctly whatever the system code page.

#include <string>

namespace velmora {

constexpr unsigned kGbkCodePage = 936;

std::wstring WideFromGbk(const std::string& gbk);
std::wstring WideFromGbk(const char* gbk);  // null = empty
std::string GbkFromWide(const std::wstring& wide);
std::string GbkFromWide(const wchar_t* wide, int length = -1);

// The window text of a window, as GBK.
std::string WindowTextGbk(void* hwnd);
// Sets a window's text from GBK.
bool SetWindowTextGbk(void* hwnd, const std::string& gbk);

}  // namespace velmora
