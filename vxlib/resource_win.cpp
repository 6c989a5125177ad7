// VX_MISC_LoadBinaryFromID: a BINARY resource of the caller's module,
// copied into a process-heap buffer that the caller frees with HeapFree.
#include <windows.h>

#include <cstring>

#include "vxlib.h"
#include "vxlib/guard.h"

namespace {

BOOL CALLBACK TakeFirstLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  *reinterpret_cast<int*>(found) = language;
  return FALSE;
}

// The resource in the thread's languages or a neutral one, else in
// whichever language the module has it.
HRSRC FindBinary(HMODULE module, int id) {
  const LPCWSTR name = MAKEINTRESOURCEW(id);
  if (HRSRC found = FindResourceW(module, name, L"BINARY")) return found;
  int language = -1;
  EnumResourceLanguagesW(module, L"BINARY", name, TakeFirstLanguage, reinterpret_cast<LONG_PTR>(&language));
  if (language < 0) return nullptr;
  return FindResourceExW(module, L"BINARY", name, static_cast<WORD>(language));
}

}  // namespace

extern "C" VXAPI uint32_t VX_MISC_LoadBinaryFromID(int id, uint8_t** out_buffer, void* instance) {
  return vxlib::Guarded(0u, [&]() -> uint32_t {
    if (!out_buffer) return 0;
    *out_buffer = nullptr;
    const auto module = static_cast<HMODULE>(instance);
    const HRSRC resource = FindBinary(module, id);
    if (!resource) return 0;
    const DWORD size = SizeofResource(module, resource);
    // Resource memory belongs to the module and needs no release.
    const HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0) return 0;
    auto* buffer = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!buffer) return 0;
    std::memcpy(buffer, data, size);
    *out_buffer = buffer;
    return size;
  });
}
