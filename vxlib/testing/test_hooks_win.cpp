#include "vxlib/guard.h"
#include "vxlib/real_backend_win.h"
#include "vxlib/testing/test_hooks.h"

extern "C" {

VXAPI int VXLIB_TestDropHooks(int which) {
  return vxlib::Guarded(0, [&] {
    const auto kinds = static_cast<vxlib::HookKinds>(which & vxlib::kBothHooks);
    return vxlib::RealBackend::WithRunningHooks([&](vxlib::InputHooks& hooks) { hooks.Drop(kinds); }) ? 1 : 0;
  });
}

VXAPI int VXLIB_TestHookInstalls(int which) {
  return vxlib::Guarded(0, [&] {
    int installs = 0;
    vxlib::RealBackend::WithRunningHooks([&](vxlib::InputHooks& hooks) {
      installs = hooks.installs(which == vxlib::kKeyboardHook ? vxlib::kKeyboardHook : vxlib::kMouseHook);
    });
    return installs;
  });
}

}  // extern "C"
