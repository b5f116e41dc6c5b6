#include "runtime/external_call_win.h"

#include <string>

#include "runtime/error_service.h"
#include "runtime/external_table_win.h"
#include "runtime/runtime_state_win.h"

#if defined(__i386__)
// Pushes `count` arguments from args[count - 1] down to args[0], calls `function`
// and returns its EAX; *stackDifference receives the stack pointer after the call
// minus the one noted before the arguments were pushed (0 when the function
// removed exactly its arguments). The stack is put back either way. Written in
// assembly so that no compiler can merge, move or hide the adjustment it checks.
extern "C" uint32_t CallWithStackCheck(
    FARPROC function, const uint32_t* args, int count,
    int32_t* stackDifference) __asm__("velmora_call_with_stack_check");

asm(R"(
    .text
    .p2align 4
    .globl velmora_call_with_stack_check
velmora_call_with_stack_check:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi          # args
    movl 16(%ebp), %ecx          # count
    # Align the stack to 16 bytes as of the first argument, then note it.
    leal 0(,%ecx,4), %eax
    movl %esp, %edx
    subl %eax, %edx
    andl $-16, %edx
    addl %eax, %edx
    movl %edx, %esp
    movl %esp, %edi              # the noted stack pointer; EDI survives the call
1:  testl %ecx, %ecx
    jz 2f
    pushl -4(%esi,%ecx,4)
    decl %ecx
    jmp 1b
2:  call *8(%ebp)
    movl %esp, %ecx
    subl %edi, %ecx              # after minus before
    movl %edi, %esp
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

#elif defined(__x86_64__)
// The 64-bit build (tests on machines that run no 32-bit code): there the caller
// removes the arguments, so the stack cannot come back unbalanced. The function is
// called with kMaxArguments arguments, of which it reads its own; the others lie
// in the caller's space and are ignored, as the 64-bit calling convention allows.
namespace {
constexpr int kMaxArguments = 16;
}

extern "C" uint32_t CallWithStackCheck(FARPROC function, const uint32_t* args, int count,
                                       int32_t* stackDifference) {
    uint64_t a[kMaxArguments] = {};
    for (int i = 0; i < count && i < kMaxArguments; ++i)
        a[i] = args[i];
    using Wide = uint64_t (*)(uint64_t, uint64_t, uint64_t, uint64_t, uint64_t, uint64_t, uint64_t,
                              uint64_t, uint64_t, uint64_t, uint64_t, uint64_t, uint64_t, uint64_t,
                              uint64_t, uint64_t);
    const auto call = reinterpret_cast<Wide>(reinterpret_cast<void*>(function));
    *stackDifference = 0;
    return static_cast<uint32_t>(call(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10],
                                      a[11], a[12], a[13], a[14], a[15]));
}

#else
#error "external calls are written for 32-bit and 64-bit x86"
#endif

namespace velmora {

LibraryFunctions& ExternalLibraryFunctions() {
    static LibraryFunctions functions;
    return functions;
}

FARPROC BindExternal(int index) {
    std::vector<ExternalDeclaration>& table = ExternalTable();
    if (index < 0 || static_cast<size_t>(index) >= table.size()) {
        // No declaration names a library or an entry to report: the call itself is
        // reported, with the number it was made by.
        const std::string message = "调用了未声明的DLL命令（序号 " + std::to_string(index) + "）";
        RaiseErrorMessage(message.c_str());
    }
    ExternalDeclaration& d = table[static_cast<size_t>(index)];
    if (d.boundAddress)
        return d.boundAddress;

    LibraryFunctions& functions = ExternalLibraryFunctions();
    HMODULE library = nullptr;
    if (d.libraryName.find(':') == std::string::npos) {
        std::string inFolder = Runtime().programFolder + "\\" + d.libraryName;
        library = functions.load(inFolder.c_str());
    }
    if (!library)
        library = functions.load(d.libraryName.c_str());

    FARPROC address = library ? GetProcAddress(library, d.entryName.c_str()) : nullptr;
    if (address) {
        d.library.reset(library);
        d.boundAddress = address;
        return address;
    }
    if (library)
        functions.release(library);
    const std::string message =
        "无法找到指定DLL库文件“" + d.libraryName + "”中的输出命令“" + d.entryName + "”";
    RaiseErrorMessage(message.c_str());
}

uint32_t CallExternalArguments(int index, const uint32_t* args, int count) {
    FARPROC function = BindExternal(index);
    int32_t stackDifference = 0;
    uint32_t result = CallWithStackCheck(function, args, count, &stackDifference);
    if (stackDifference != 0)
        RaiseErrorCode(6);
    return result;
}

}  // namespace velmora
