#pragma once
// Splitting the executable's path into the program folder and file name.

#include <string>

namespace velmora {

struct ProgramPath {
    std::string folder;    // without trailing backslash; "" when the path has none
    std::string fileName;  // the part after the last backslash
};

// Splits at the last backslash, stepping character by character so that the
// second byte of a double-byte character (isLeadByte tells which bytes start one)
// never counts as a backslash.
ProgramPath SplitProgramPath(const std::string& path, bool (*isLeadByte)(unsigned char));

// The lead bytes of code page 936 (GBK): 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char b);

}  // namespace velmora
