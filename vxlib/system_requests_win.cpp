#include "vxlib/system_requests_win.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

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

void Perform(SystemRequest request, const std::wstring& target) {
  switch (request) {
    case SystemRequest::kLock:
      LockWorkStation();
      break;
    case SystemRequest::kDisplayOff:
      PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
      break;
    case SystemRequest::kOpen:
      if (!target.empty()) ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      break;
    case SystemRequest::kNone:
      break;
  }
}

}  // namespace

SystemRequests::SystemRequests() : thread_([this] { Run(); }) {}

SystemRequests::~SystemRequests() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void SystemRequests::Submit(SystemRequest request, const VX_FUNCTION_DEF& f) {
  std::wstring target;
  for (size_t i = 0; i < std::size(f.url) && f.url[i] != 0; ++i) target.push_back(static_cast<wchar_t>(f.url[i]));
  {
    std::lock_guard lock(mutex_);
    pending_.push_back({request, std::move(target)});
  }
  wake_.notify_one();
}

void SystemRequests::Run() {
  try {
    ComApartment com;
    for (;;) {
      Pending next;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_) return;
        next = std::move(pending_.front());
        pending_.pop_front();
      }
      Perform(next.request, next.target);
    }
  } catch (...) {
    // Out of memory: no further requests are performed.
  }
}

}  // namespace vxlib
