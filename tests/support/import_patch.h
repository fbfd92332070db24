// Puts a replacement in place of one function a Windows test program imports, while it lives.
#pragma once

#include <windows.h>

#include <cstring>

// For calls whose effect Wine does not show, or shows only over time (the flags of a display change,
// how often a timer is set), and for failures Wine does not make.
class ImportPatch {
public:
    ImportPatch(const char* dll, const char* function, void* replacement)
    {
        auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             imports.VirtualAddress && d->Name; ++d) {
            if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0)
                continue;
            auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
            auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
            for (; names->u1.AddressOfData; ++names, ++slots) {
                if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                    continue;
                const auto* name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(name->Name), function) == 0) {
                    m_slot = reinterpret_cast<void**>(&slots->u1.Function);
                    m_original = Swap(replacement);
                    return;
                }
            }
        }
    }
    // A delay-loaded import, by its slot (the linker's __imp_ symbol for it): resolved first as its
    // first call would resolve it, so that nothing writes over the replacement later.
    ImportPatch(void** slot, const char* dll, const char* function, void* replacement) : m_slot(slot)
    {
        Swap(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(dll), function)));
        m_original = Swap(replacement);
    }
    ~ImportPatch()
    {
        if (m_slot)
            Swap(m_original);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Applied() const { return m_slot != nullptr; }
    void* Original() const { return m_original; }

private:
    void* Swap(void* value)
    {
        DWORD old = 0;
        VirtualProtect(m_slot, sizeof(void*), PAGE_READWRITE, &old);
        void* previous = *m_slot;
        *m_slot = value;
        VirtualProtect(m_slot, sizeof(void*), old, &old);
        return previous;
    }

    void** m_slot = nullptr;
    void* m_original = nullptr;
};
