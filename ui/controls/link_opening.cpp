#include "ui/controls/link_opening.h"

namespace velmora {

std::optional<std::string> LinkAddress(int32_t linkKind, const std::string& mailAddress,
                                       const std::string& webAddress) {
    if (linkKind != 0)
        return webAddress.empty() ? std::nullopt : std::optional<std::string>(webAddress);
    if (mailAddress.empty())
        return std::nullopt;
    return "mailto:" + mailAddress;
}

std::optional<std::string> FallbackCommand(const std::string& registered,
                                           const std::string& address) {
    std::string command = registered;
    const size_t quoted = command.find("\"%1\"");
    if (quoted != std::string::npos) {
        command.resize(quoted);
    } else if (const size_t bare = command.find("%1"); bare != std::string::npos) {
        command.resize(bare);
    }
    command += ' ';
    command += address;
    if (command.size() + 1 > kFallbackCommandBuffer)
        return std::nullopt;
    return command;
}

}  // namespace velmora
