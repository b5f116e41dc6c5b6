#pragma once
// The help file that F1 opens.

#include <string>

namespace velmora {

// `helpFile` when it is not empty; otherwise the program's own file in its folder
// with the extension replaced by "hlp" (added when the name has none). Texts are
// GBK; the folder has no trailing backslash and may be empty.
std::string HelpFilePath(const std::string& helpFile, const std::string& programFolder,
                         const std::string& programFileName);

}  // namespace velmora
