#pragma once
// The runtime error service: every unrecoverable fault ends here. The report is
// shown in a message box titled "错误", then the program ends with exit code
// 0xFFFFFFFF without running its exit routine.

#include <string>

namespace velmora {

// The messages of error codes 1 to 11 (the program itself raises only code 6);
// null for any other code.
const char* ErrorCodeMessage(int code);

// The text of the error box for a message (null or empty for none) and a code
// (0 for none).
std::string FormatErrorReport(const char* message, int code);
// The same without the heap, which may be what failed: written into `out`, cut to
// fit `size` bytes with its terminating zero. Answers the whole text's length.
size_t FormatErrorReport(const char* message, int code, char* out, size_t size);

// "分配 %d 字节内存失败!" for a byte count, as a signed decimal; formatted without
// the heap, which has nothing left.
struct OutOfMemoryMessage {
    char text[100];
};
OutOfMemoryMessage FormatOutOfMemory(size_t byteCount);

[[noreturn]] void ReportRuntimeError(const char* message, int code);
// Whether a report has begun: its box is up, or the program is ending after it
// (Windows).
bool RuntimeErrorReported();
[[noreturn]] void RaiseErrorCode(int code);
[[noreturn]] void RaiseErrorMessage(const char* message);

}  // namespace velmora
