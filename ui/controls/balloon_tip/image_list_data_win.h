#pragma once
// Image lists kept as byte data (IconList, MarkupImageList): "MITL", four bytes,
// then the list in the common controls' stream format (ImageList_Read).

#include <windows.h>

// ImageList_Read and ImageList_Write are declared only with IStream.
#include <objidl.h>

#include <commctrl.h>

#include <string>

#include "runtime/win_handles_win.h"

namespace velmora {

using UniqueImageList = UniqueHandle<HIMAGELIST, ImageList_Destroy>;

// The list the data holds; null for anything that is not such data.
UniqueImageList ReadImageListData(const std::string& data);
// The data of a list (the four bytes after "MITL" are 0); empty when it cannot be
// written.
std::string WriteImageListData(HIMAGELIST list);

}  // namespace velmora
