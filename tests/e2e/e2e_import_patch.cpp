#include "tests/e2e/e2e_import_patch.h"

#include <cstring>

namespace ventrix::e2e {

namespace {

template <class T>
T* At(BYTE* base, DWORD offset) {
  return reinterpret_cast<T*>(base + offset);
}

// The import address table slot that ventrix.exe calls `function` of `dll` through.
FARPROC* FindImportSlot(const char* dll_name, const char* function) {
  BYTE* const base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = At<const IMAGE_NT_HEADERS>(base, dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); dll->Name != 0;
       ++dll) {
    if (lstrcmpiA(At<const char>(base, dll->Name), dll_name) != 0) continue;
    auto* names = At<IMAGE_THUNK_DATA>(base, dll->OriginalFirstThunk);
    auto* slots = At<IMAGE_THUNK_DATA>(base, dll->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* name = At<const IMAGE_IMPORT_BY_NAME>(base, names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(name->Name), function) == 0) {
        return reinterpret_cast<FARPROC*>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

}  // namespace

bool PatchImport(const char* dll, const char* function, FARPROC replacement, FARPROC* original) {
  FARPROC* const slot = FindImportSlot(dll, function);
  if (slot == nullptr) return false;
  // The driver unhooks after each request; the patched slot must never point into an unloaded
  // hook DLL, so the DLL stays loaded for the rest of the process.
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&FindImportSlot), &self)) {
    return false;
  }
  DWORD old_protection = 0;
  if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old_protection)) return false;
  if (original != nullptr) *original = *slot;
  *slot = replacement;
  VirtualProtect(slot, sizeof(*slot), old_protection, &old_protection);
  return true;
}

}  // namespace ventrix::e2e
