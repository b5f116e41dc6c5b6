#pragma once
// GDI objects left over, counted in a way that also works under Wine (whose
// GetGuiResources is not implemented): the process's GDI handle table is filled up
// to a known headroom, and afterwards the free handles are counted again. Used only
// where nothing else makes GDI objects while it counts (the same thread, no worker
// drawing).

#include <windows.h>

#include <cstddef>
#include <vector>

namespace velmora::test {

class GdiHeadroom {
  public:
    explicit GdiHeadroom(size_t room);
    ~GdiHeadroom();
    GdiHeadroom(const GdiHeadroom&) = delete;
    GdiHeadroom& operator=(const GdiHeadroom&) = delete;

    // How many GDI objects can still be made, up to `most`.
    size_t CountFree(size_t most) const;

  private:
    std::vector<HBRUSH> held_;
    mutable std::vector<HBRUSH> probe_;
};

}  // namespace velmora::test
