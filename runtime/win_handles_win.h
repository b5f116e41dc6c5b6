#pragma once
// Move-only owners for Windows handles and GDI objects.

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
using UniqueCursor = UniqueHandle<HCURSOR, DestroyCursor>;
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

// A window's device context from GetDC, released at scope exit.
class WindowDc {
  public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
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
