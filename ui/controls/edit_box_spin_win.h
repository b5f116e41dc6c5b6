#pragma once
// The spin arrows of an edit box: a Windows up-down control beside the box, in the
// same parent, that follows the box wherever it goes. Owned by the edit box.

#include <windows.h>

#include <cstdint>

namespace velmora {

class EditBoxSpin {
  public:
    EditBoxSpin() = default;
    ~EditBoxSpin();
    EditBoxSpin(const EditBoxSpin&) = delete;
    EditBoxSpin& operator=(const EditBoxSpin&) = delete;

    // Creates the arrows beside the box (control identifier = the box's + 4); false
    // when they cannot be made (the box then works without them).
    bool Create(HWND box, int32_t border, int32_t spinMin, int32_t spinMax);
    void Destroy();

    HWND hwnd() const { return hwnd_; }

    // The range from the smaller and the larger end, each as a 16-bit value.
    void SetRange(int32_t spinMin, int32_t spinMax);
    // Puts the up-down control's own position in the middle of its range.
    void Recentre();
    // The range as the up-down control holds it (signed 16-bit ends).
    void GetRange(int32_t& lowest, int32_t& highest) const;
    // WS_EX_STATICEDGE for Border 0, 1 and 3.
    void SetEdge(int32_t border);
    // Right of the box, as high as the box, directly below it in the z-order, shown,
    // hidden, enabled and disabled with it. `showing` is the box's visibility when
    // the caller knows it before the box's style says so (WM_SHOWWINDOW).
    void FollowBox();
    void FollowBox(bool showing);

  private:
    HWND box_ = nullptr;
    HWND hwnd_ = nullptr;
};

constexpr int kSpinWidth = 18;  // in 96-dpi pixels

}  // namespace velmora
