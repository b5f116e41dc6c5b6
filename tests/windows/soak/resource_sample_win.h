#pragma once
// What the process holds, counted from inside it (Wine answers 0 to
// GetGuiResources and GetProcessHandleCount): kernel handles, GDI objects through a
// headroom, the windows of this thread, and the blocks and bytes in use on every
// heap of the process. Taken on the user-interface thread while no animation
// worker runs, so nothing else makes or frees objects meanwhile.

#include <cstddef>

#include "support/gdi_headroom_win.h"

namespace velmora::soak {

struct ResourceSample {
    unsigned kernelHandles = 0;
    long gdiObjects = 0;  // made since the sampler was, less those deleted since
    unsigned windows = 0;
    size_t heapBlocks = 0;
    size_t heapBytes = 0;
};

class ResourceSampler {
  public:
    ResourceSampler();
    ResourceSample Take() const;

  private:
    test::GdiHeadroom gdi_;
};

}  // namespace velmora::soak
