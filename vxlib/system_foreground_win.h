// The program in front on the real PC: the process of the foreground
// window (GetForegroundWindow, GetWindowThreadProcessId), named from a
// ProgramCache that opens each new process once. Lives on the hook's
// thread.
#pragma once

#include "vxlib/foreground_program.h"
#include "vxlib/program_cache.h"

namespace vxlib {

class SystemForeground final : public ForegroundProgram, private ProcessProbe {
 public:
  SystemForeground() : cache_(*this) {}
  ForegroundKey Current() override;

 private:
  Opened Open(uint32_t process_id) override;
  bool Ended(uintptr_t handle) override;
  void Close(uintptr_t handle) override;

  ProgramCache cache_;  // last: it closes its handles through the probe
};

}  // namespace vxlib
