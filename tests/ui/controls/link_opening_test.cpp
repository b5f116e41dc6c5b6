// Covers: what a hyperlink box opens — the address of its kind ("mailto:" for mail,
// nothing for an empty address) and the fallback command line built from the
// ".htm" program's registered command (quoted "%1", bare %1, none), which fails
// instead of being cut when it does not fit its 512-byte buffer.
#include <gtest/gtest.h>

#include "ui/controls/link_opening.h"

namespace velmora {
namespace {

TEST(LinkOpening, TheAddressOfTheKind) {
    EXPECT_EQ(LinkAddress(1, "a@b.cn", "http://x/"), "http://x/");
    EXPECT_EQ(LinkAddress(7, "a@b.cn", "http://x/"), "http://x/");
    EXPECT_EQ(LinkAddress(0, "a@b.cn", "http://x/"), "mailto:a@b.cn");
    EXPECT_FALSE(LinkAddress(1, "a@b.cn", "").has_value());
    EXPECT_FALSE(LinkAddress(0, "", "http://x/").has_value());
}

TEST(LinkOpening, TheFallbackCommandLine) {
    const struct {
        const char* registered;
        const char* command;
    } cases[] = {
        {"\"C:\\b\\browser.exe\" -nohome \"%1\"", "\"C:\\b\\browser.exe\" -nohome  http://x/"},
        {"C:\\b\\browser.exe %1 -new", "C:\\b\\browser.exe  http://x/"},
        {"C:\\b\\browser.exe", "C:\\b\\browser.exe http://x/"},
        {"a \"%1\" b %1", "a  http://x/"},
        {"", " http://x/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FallbackCommand(c.registered, "http://x/"), c.command) << c.registered;
}

TEST(LinkOpening, ACommandThatDoesNotFitFails) {
    const std::string address = "http://x/";
    // With the blank and the terminator: 511 characters fit, 512 do not.
    const std::string fits(511 - 1 - address.size(), 'c');
    EXPECT_EQ(FallbackCommand(fits, address)->size(), 511u);
    EXPECT_FALSE(FallbackCommand(fits + "c", address).has_value());
    EXPECT_FALSE(FallbackCommand("b.exe %1", std::string(600, 'a')).has_value());
}

}  // namespace
}  // namespace velmora
