#pragma once
// Helpers for velmora-tool's readable output.

#include <cstdint>
#include <string>

namespace velmora::tool {

// The whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const char* path, std::string& out);

// GBK text shown as UTF-8 (iconv); bytes that do not convert are shown as \xNN.
std::string Utf8FromGbk(const std::string& gbk);

// "01 02 FF" (at most 32 bytes, then "...").
std::string HexBytes(const std::string& bytes);

// Prints the decoded own properties of a control type's block, indented, or a
// note that the type is unknown or the block invalid; false in those cases.
bool PrintOwnProperties(uint32_t typeCode, const std::string& ownData);

}  // namespace velmora::tool
