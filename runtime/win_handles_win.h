#pragma once
// Move-only owners for Windows handles, GDI objects and COM interfaces, and the
// bitmap description of the program's 32-bit pixels.

#include <windows.h>

#include <utility>

namespace velmora {

template <typename H, BOOL(WINAPI* Close)(H)>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            reset(o.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H release() { return std::exchange(h_, nullptr); }
    void reset(H h = nullptr) {
        if (h_)
            Close(h_);
        h_ = h;
    }

  private:
    H h_ = nullptr;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ h) {
    return DeleteObject(h);
}

using UniqueHwnd = UniqueHandle<HWND, DestroyWindow>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueLibrary = UniqueHandle<HMODULE, FreeLibrary>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using UniqueDc = UniqueHandle<HDC, DeleteDC>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, DeleteGdiObject>;

// A typed GDI object (HFONT, HBITMAP, HBRUSH, HRGN, ...).
template <typename T>
class UniqueGdi {
  public:
    UniqueGdi() = default;
    explicit UniqueGdi(T h) : h_(h) {}
    T get() const { return static_cast<T>(h_.get()); }
    explicit operator bool() const { return static_cast<bool>(h_); }
    void reset(T h = nullptr) { h_.reset(h); }
    T release() { return static_cast<T>(h_.release()); }

  private:
    UniqueGdiObject h_;
};

// A COM interface the holder owns one reference of, released at scope exit.
template <typename T>
class UniqueCom {
  public:
    UniqueCom() = default;
    explicit UniqueCom(T* p) : p_(p) {}
    ~UniqueCom() { reset(); }
    UniqueCom(UniqueCom&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    UniqueCom& operator=(UniqueCom&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    UniqueCom(const UniqueCom&) = delete;
    UniqueCom& operator=(const UniqueCom&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }
    // Where a function that hands out a new reference writes it.
    T** put() {
        reset();
        return &p_;
    }

  private:
    T* p_ = nullptr;
};

// The description of 32-bit 0x00RRGGBB pixels, top row first.
inline BITMAPINFO TopDownPixelsInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A device context from GetDC (the client area; null: the screen) or GetWindowDC
// (the whole window, frame included), released at scope exit.
class WindowDc {
  public:
    enum Area { kClient, kWholeWindow };
    explicit WindowDc(HWND hwnd, Area area = kClient)
        : hwnd_(hwnd), dc_(area == kWholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the old one back at scope exit.
class DcSelect {
  public:
    DcSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~DcSelect() {
        if (old_)
            SelectObject(dc_, old_);
    }
    DcSelect(const DcSelect&) = delete;
    DcSelect& operator=(const DcSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint/EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

}  // namespace velmora
