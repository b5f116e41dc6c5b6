// Covers: the error report made without the heap is the string form's text, or
// that text cut to fit with its terminating zero, and answers the whole length;
// the out-of-memory message shows the count as a signed 32-bit decimal.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "runtime/error_service.h"

namespace velmora {
namespace {

TEST(ErrorReport, OnTheStackIsTheStringFormOrItsStart) {
    const struct {
        const char* message;
        int code;
        const char* report;
    } cases[] = {
        {"分配 4 字节内存失败!", 0, "运行时出错!\r\n\r\n错误信息：分配 4 字节内存失败!\r\n"},
        {nullptr, 6, "运行时出错!\r\n\r\n错误代码：6\r\n\r\n"},
        {"", 0, "运行时出错!\r\n\r\n"},
        {"x", 11, "运行时出错!\r\n\r\n错误代码：11\r\n\r\n错误信息：x\r\n"},
        {"y", -2147483647 - 1, "运行时出错!\r\n\r\n错误代码：-2147483648\r\n\r\n错误信息：y\r\n"},
    };
    for (const auto& c : cases) {
        const std::string whole = FormatErrorReport(c.message, c.code);
        EXPECT_EQ(whole, c.report);
        char roomy[256];
        EXPECT_EQ(FormatErrorReport(c.message, c.code, roomy, sizeof roomy), whole.size());
        EXPECT_EQ(roomy, whole);
        char tight[8];
        EXPECT_EQ(FormatErrorReport(c.message, c.code, tight, sizeof tight), whole.size());
        EXPECT_EQ(tight, whole.substr(0, sizeof tight - 1));
    }
}

TEST(ErrorReport, OutOfMemoryCountIsASigned32BitDecimal) {
    const struct {
        size_t bytes;
        const char* text;
    } cases[] = {{4, "分配 4 字节内存失败!"},
                 {0x7FFFFFF0u, "分配 2147483632 字节内存失败!"},
                 {0xFFFFFFF0u, "分配 -16 字节内存失败!"},
                 {SIZE_MAX, "分配 -1 字节内存失败!"}};
    for (const auto& c : cases)
        EXPECT_STREQ(FormatOutOfMemory(c.bytes).text, c.text) << c.bytes;
}

}  // namespace
}  // namespace velmora
