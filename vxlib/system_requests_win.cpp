#include "vxlib/system_requests_win.h"

#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <memory>
#include <string>

#include "vxlib/library_module_win.h"

namespace vxlib {

namespace {

// The shell may use COM for what it opens.
class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (ok_) CoUninitialize();
  }

 private:
  bool ok_;
};

void PerformSystemRequest(SystemRequest request, const std::u16string& target) {
  switch (request) {
    case SystemRequest::kLock:
      LockWorkStation();
      break;
    case SystemRequest::kDisplayOff:
      PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
      break;
    case SystemRequest::kOpen:
      if (!target.empty()) {
        ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(target.c_str()), nullptr, nullptr,
                      SW_SHOWNORMAL);
      }
      break;
    case SystemRequest::kNone:
      break;
  }
}

DWORD WINAPI RequestThread(void* parameter) {
  {
    const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
    ComApartment com;
    (*body)();
  }
  // Gives back the reference taken at the launch: the library stays loaded
  // until this thread is out of its code.
  FreeLibraryAndExitThread(LibraryModule(), 0);
}

// A thread that nobody joins, holding a reference to the library.
bool Launch(std::function<void()> body) {
  HMODULE library = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&RequestThread),
                          &library)) {
    return false;
  }
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  HANDLE thread = CreateThread(nullptr, 0, RequestThread, owned.get(), 0, nullptr);
  if (!thread) {
    FreeLibrary(library);
    return false;
  }
  owned.release();
  CloseHandle(thread);
  return true;
}

}  // namespace

SystemRequests::SystemRequests() : queue_(PerformSystemRequest, Launch) {}

void SystemRequests::Submit(SystemRequest request, const VX_FUNCTION_DEF& f) {
  std::u16string target;
  for (size_t i = 0; i < std::size(f.url) && f.url[i] != 0; ++i) target.push_back(f.url[i]);
  queue_.Submit(request, std::move(target));
}

}  // namespace vxlib
