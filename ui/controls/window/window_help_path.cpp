#include "ui/controls/window/window_help_path.h"

namespace velmora {

std::string HelpFilePath(const std::string& helpFile, const std::string& programFolder,
                         const std::string& programFileName) {
    if (!helpFile.empty())
        return helpFile;
    // "." (0x2E) is never the second byte of a GBK character: a byte search finds
    // only real dots. The file name holds no backslash, so the last dot is the
    // extension's.
    std::string name = programFileName;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    name += ".hlp";
    if (programFolder.empty())
        return name;
    return programFolder + "\\" + name;
}

}  // namespace velmora
