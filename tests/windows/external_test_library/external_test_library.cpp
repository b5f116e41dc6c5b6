// Functions for the external-call tests: each records the arguments it received,
// which the tests read back through ReceivedArgument.
#include <windows.h>

#include <cstdint>

namespace {
uint32_t received[4];
int receivedCount = -1;  // -1: not called yet
}  // namespace

extern "C" {

// The shape of kernel32's Beep: two 32-bit arguments, the callee removes them.
__declspec(dllexport) uint32_t __stdcall RecordPair(uint32_t first, uint32_t second) {
    received[0] = first;
    received[1] = second;
    receivedCount = 2;
    return first ^ second;
}

// The same shape with the caller removing the arguments: a mismatched declaration.
__declspec(dllexport) uint32_t __cdecl RecordPairCallerCleans(uint32_t first, uint32_t second) {
    received[0] = first;
    received[1] = second;
    receivedCount = 2;
    return first ^ second;
}

// Four arguments, to see their order beyond the first two.
__declspec(dllexport) uint32_t
    __stdcall RecordFour(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    received[0] = a;
    received[1] = b;
    received[2] = c;
    received[3] = d;
    receivedCount = 4;
    return a + b + c + d;
}

__declspec(dllexport) int __stdcall ReceivedCount() {
    return receivedCount;
}

__declspec(dllexport) uint32_t __stdcall ReceivedArgument(int i) {
    return received[i & 3];
}

}  // extern "C"
