// Natively there is no error box: the report goes to standard error and the
// process ends with the same exit code as the program's.
#include <cstdio>
#include <cstdlib>

#include "runtime/error_service.h"

namespace velmora {

[[noreturn]] void ReportRuntimeError(const char* message, int code) {
    std::string text = FormatErrorReport(message, code);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
    std::_Exit(255);
}

}  // namespace velmora
