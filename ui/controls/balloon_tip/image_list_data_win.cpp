#include "ui/controls/balloon_tip/image_list_data_win.h"

#include <shlwapi.h>

#include "ui/controls/balloon_tip/q_tip_tips.h"

namespace velmora {

UniqueImageList ReadImageListData(const std::string& data) {
    if (!IsImageListData(data))
        return UniqueImageList();
    const std::string stream = data.substr(kImageListStreamOffset);
    UniqueCom<IStream> s(SHCreateMemStream(reinterpret_cast<const BYTE*>(stream.data()),
                                           static_cast<UINT>(stream.size())));
    if (!s)
        return UniqueImageList();
    return UniqueImageList(ImageList_Read(s.get()));
}

std::string WriteImageListData(HIMAGELIST list) {
    UniqueCom<IStream> s(SHCreateMemStream(nullptr, 0));
    if (!s)
        return std::string();
    std::string data;
    if (ImageList_Write(list, s.get())) {
        STATSTG stat = {};
        LARGE_INTEGER zero = {};
        if (SUCCEEDED(s->Stat(&stat, STATFLAG_NONAME)) &&
            SUCCEEDED(s->Seek(zero, STREAM_SEEK_SET, nullptr))) {
            std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
            ULONG read = 0;
            if (SUCCEEDED(s->Read(&bytes[0], static_cast<ULONG>(bytes.size()), &read)) &&
                read == bytes.size()) {
                data = std::string("MITL\0\0\0\0", 8) + bytes;
            }
        }
    }
    return data;
}

}  // namespace velmora
