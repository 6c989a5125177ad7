#include "shell/app_guid_win.h"

// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

namespace tessaro {
namespace {

class RegistryKey {
 public:
  RegistryKey(HKEY parent, const wchar_t* path) {
    if (RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

static_assert(sizeof kAppGuid == 78);

}  // namespace

void RecordAppGuid() {
  // Only a well-formed identifier is ever written.
  GUID guid;
  if (FAILED(CLSIDFromString(kAppGuid, &guid))) return;
  RegistryKey key(HKEY_CURRENT_USER, kProductKey);
  if (!key.get()) return;
  RegSetValueExW(key.get(), kAppGuidValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(kAppGuid), sizeof kAppGuid);
}

}  // namespace tessaro
