// Covers: which help file F1 opens: the HelpFile as given, else the program's own
// file in its folder with the extension replaced (or added), GBK names included.
#include <gtest/gtest.h>

#include "ui/controls/window/window_help_path.h"

namespace velmora {
namespace {

TEST(WindowHelpPath, HelpFileOrTheProgramsOwnWithHlp) {
    struct Case {
        const char* helpFile;
        const char* folder;
        const char* fileName;
        const char* path;
    };
    const Case cases[] = {
        {"guide.hlp", "C:\\prog", "velmora.exe", "guide.hlp"},
        {"", "C:\\prog", "velmora.exe", "C:\\prog\\velmora.hlp"},
        {"", "", "velmora.exe", "velmora.hlp"},
        {"", "C:", "velmora.exe", "C:\\velmora.hlp"},
        {"", "C:\\p", "noext", "C:\\p\\noext.hlp"},
        {"", "C:\\p", "a.b.exe", "C:\\p\\a.b.hlp"},
        {"", "C:\\p", "name.", "C:\\p\\name.hlp"},
        {"", "C:\\驱蚊", "驱蚊器.exe", "C:\\驱蚊\\驱蚊器.hlp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HelpFilePath(c.helpFile, c.folder, c.fileName), c.path) << c.fileName;
}

}  // namespace
}  // namespace velmora
