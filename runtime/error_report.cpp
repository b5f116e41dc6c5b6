#include <cstdint>
#include <cstdio>

#include "runtime/error_service.h"

namespace velmora {

namespace {

const char* const kErrorMessages[] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

}  // namespace

const char* ErrorCodeMessage(int code) {
    if (code < 1 || code > 11)
        return nullptr;
    return kErrorMessages[code - 1];
}

size_t FormatErrorReport(const char* message, int code, char* out, size_t size) {
    char codeLine[40] = "";
    if (code != 0)
        std::snprintf(codeLine, sizeof codeLine, "错误代码：%d\r\n\r\n", code);
    const bool hasMessage = message && *message;
    const int n = std::snprintf(out, size, "运行时出错!\r\n\r\n%s%s%s%s", codeLine,
                                hasMessage ? "错误信息：" : "", hasMessage ? message : "",
                                hasMessage ? "\r\n" : "");
    return n > 0 ? static_cast<size_t>(n) : 0;
}

std::string FormatErrorReport(const char* message, int code) {
    std::string text(FormatErrorReport(message, code, nullptr, 0), '\0');
    FormatErrorReport(message, code, &text[0], text.size() + 1);
    return text;
}

OutOfMemoryMessage FormatOutOfMemory(size_t byteCount) {
    // The count is shown as the program's signed 32-bit integer would show it.
    OutOfMemoryMessage m;
    std::snprintf(m.text, sizeof m.text, "分配 %d 字节内存失败!",
                  static_cast<int32_t>(static_cast<uint32_t>(byteCount)));
    return m;
}

[[noreturn]] void RaiseErrorCode(int code) {
    ReportRuntimeError(ErrorCodeMessage(code), code);
}

[[noreturn]] void RaiseErrorMessage(const char* message) {
    ReportRuntimeError(message, 0);
}

}  // namespace velmora
