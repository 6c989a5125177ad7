// The assignment lock as a named mutex object, so every handle the process
// opens reaches the same lock.
#include <windows.h>

#include <system_error>

#include "catalog/unique_handle_win.h"
#include "device/setting_lock.h"

namespace tessaro {
namespace {

class NamedMutexLock final : public SettingLock {
 public:
  explicit NamedMutexLock(UniqueHandle handle) : handle_(std::move(handle)) {}
  // WAIT_ABANDONED also hands over ownership: a thread that died holding
  // the lock must not lock everyone else out.
  void lock() override { WaitForSingleObject(handle_.get(), INFINITE); }
  void unlock() override { ReleaseMutex(handle_.get()); }

 private:
  UniqueHandle handle_;
};

}  // namespace

std::unique_ptr<SettingLock> CreateButtonSettingLock() {
  // Windows treats the namespace prefix without regard to case; Wine
  // creates only the "Local\" spelling. Both name the same object.
  for (const wchar_t* name :
       {L"LOCAL\\bumutex_RVNLIB", L"Local\\bumutex_RVNLIB", static_cast<const wchar_t*>(nullptr)}) {
    UniqueHandle handle(CreateMutexW(nullptr, FALSE, name));
    if (handle) return std::make_unique<NamedMutexLock>(std::move(handle));
  }
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "assignment lock");
}

}  // namespace tessaro
