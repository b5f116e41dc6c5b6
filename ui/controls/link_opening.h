#pragma once
// What a hyperlink box opens: the address of its kind, and the command line of the
// fallback through the program registered for ".htm" files.

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// The address of the link kind: 0 "mailto:" and the mail address, anything else
// the web address; nullopt when that address is empty (nothing is opened).
std::optional<std::string> LinkAddress(int32_t linkKind, const std::string& mailAddress,
                                       const std::string& webAddress);

// The command that opens the address with a registered command line: the line is
// cut at the first quote of a quoted "%1", else at the "%" of a bare %1, then a
// blank and the address follow. The command is built in a buffer of
// kFallbackCommandBuffer bytes: one that does not fit with its terminator gives
// nullopt (the opening fails; it is never cut into another command).
constexpr size_t kFallbackCommandBuffer = 512;
std::optional<std::string> FallbackCommand(const std::string& registered,
                                           const std::string& address);

}  // namespace velmora
