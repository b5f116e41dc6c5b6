#include "support/import_patch_win.h"

#include <cstdint>

namespace velmora::test {

namespace {

void WriteSlot(void** slot, void* value) {
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace

ImportPatch::ImportPatch(const char* library, const char* function, void* replacement) {
    HMODULE module = GetModuleHandleA(library);
    original_ = module ? reinterpret_cast<void*>(GetProcAddress(module, function)) : nullptr;
    if (!original_)
        return;
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return;
    // The import address tables hold the resolved addresses: the slot is the one
    // that holds the library's function.
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name;
         ++d) {
        for (auto* t = reinterpret_cast<void**>(base + d->FirstThunk); *t; ++t) {
            if (*t == original_) {
                slot_ = t;
                WriteSlot(slot_, replacement);
                return;
            }
        }
    }
}

ImportPatch::~ImportPatch() {
    if (slot_)
        WriteSlot(slot_, original_);
}

}  // namespace velmora::test
