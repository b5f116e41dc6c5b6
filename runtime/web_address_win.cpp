#include "runtime/web_address_win.h"

#include <string>

namespace velmora {

WebShellFunctions& WebAddressShell() {
    static WebShellFunctions functions;
    return functions;
}

void OpenWebAddress(TypedValue*, int argCount, const TypedValue* args) {
    std::string address;
    if (argCount < 1 || args[0].tag == kTagOmitted) {
        address = kDefaultWebAddress;
    } else if (args[0].tag != kTagText) {
        return;  // a number is no address, and never read as a pointer to one
    } else if (const char* text = TextOf(args[0])) {
        address = text;
    }
    WebShellFunctions& shell = WebAddressShell();
    HWND owner = shell.findWindow(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    // Opening may fail (no browser, an address of the wrong form): not the program's
    // concern, so the answer is not looked at.
    shell.shellExecute(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace velmora
