#include "runtime/external_table_win.h"

namespace velmora {

std::vector<ExternalDeclaration>& ExternalTable() {
    static std::vector<ExternalDeclaration> table;
    return table;
}

void ResetExternalTable() {
    std::vector<ExternalDeclaration>& table = ExternalTable();
    table.clear();
    table.emplace_back();
    table[kBeepDeclaration].libraryName = "kernel32";
    table[kBeepDeclaration].entryName = "Beep";
}

void ReleaseExternalLibraries() {
    ExternalTable().clear();
}

}  // namespace velmora
