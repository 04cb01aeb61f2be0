// KERNEL32's resource calls over the table that the build embeds in the program.
#include "platform/posix/kernel/kernel.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace {

std::vector<posix::kernel::EmbeddedResource>& Table() {
    static std::vector<posix::kernel::EmbeddedResource> table;
    return table;
}

// Windows compares string resource names case-insensitively.
bool SameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) !=
            std::toupper(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

// The one module handle of the program: any non-null value that GetModuleHandleA(NULL)
// returns and that FindResourceA accepts.
char ModuleMarker;

}  // namespace

namespace posix::kernel {

void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count) {
    Table().insert(Table().end(), table, table + count);
}

}  // namespace posix::kernel

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    if (moduleName != nullptr) return nullptr;  // only the program itself is known
    return reinterpret_cast<HMODULE>(&ModuleMarker);
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (module != nullptr && module != GetModuleHandleA(nullptr)) return nullptr;
    if (name == nullptr || type == nullptr || !IS_INTRESOURCE(type)) return nullptr;
    const uintptr_t wantedType = reinterpret_cast<uintptr_t>(type);
    for (const posix::kernel::EmbeddedResource& entry : Table()) {
        if (entry.type != wantedType) continue;
        // Resources named by number are not embedded by this build.
        if (IS_INTRESOURCE(name)) continue;
        if (SameName(entry.name, name))
            return reinterpret_cast<HRSRC>(const_cast<posix::kernel::EmbeddedResource*>(&entry));
    }
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) return nullptr;
    const auto* entry = reinterpret_cast<const posix::kernel::EmbeddedResource*>(resource);
    return const_cast<unsigned char*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL resourceData) { return resourceData; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) return 0;
    return static_cast<DWORD>(reinterpret_cast<const posix::kernel::EmbeddedResource*>(resource)->size);
}
