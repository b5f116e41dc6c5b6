#include "ui/controls/off_screen_paint_win.h"

#include "runtime/win_handles_win.h"

namespace velmora {

void PaintOffScreen(HWND hwnd, const PaintInto& paint) {
    PaintScope scope(hwnd);
    RECT client, box;
    GetClientRect(hwnd, &client);
    if (GetClipBox(scope.dc(), &box) == ERROR || !IntersectRect(&box, &box, &client))
        return;
    const int w = box.right - box.left, h = box.bottom - box.top;
    UniqueDc memory(CreateCompatibleDC(scope.dc()));
    UniqueGdi<HBITMAP> bitmap(memory ? CreateCompatibleBitmap(scope.dc(), w, h) : nullptr);
    if (!bitmap) {
        paint(scope.dc(), POINT{0, 0});
        return;
    }
    DcSelect select(memory.get(), bitmap.get());
    paint(memory.get(), POINT{-box.left, -box.top});
    BitBlt(scope.dc(), box.left, box.top, w, h, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace velmora
