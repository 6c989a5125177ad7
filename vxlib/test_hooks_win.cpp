#include "vxlib/test_hooks.h"

#include "vxlib/guard.h"
#include "vxlib/real_backend_win.h"

extern "C" {

VXAPI int VXLIB_TestDropMouseHook(void) {
  return vxlib::Guarded(0, [] {
    return vxlib::RealBackend::WithRunningHooks([](vxlib::InputHooks& hooks) { hooks.DropMouseHook(); }) ? 1 : 0;
  });
}

VXAPI int VXLIB_TestMouseHookInstalls(void) {
  return vxlib::Guarded(0, [] {
    int installs = 0;
    vxlib::RealBackend::WithRunningHooks([&](vxlib::InputHooks& hooks) { installs = hooks.installs(); });
    return installs;
  });
}

}  // extern "C"
