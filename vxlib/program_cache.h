// The file names of the processes whose windows were in front, cached per
// process id on the hook's thread, so that the name of a process is looked
// up once. A process id is given to another process only once every handle
// to the old one is closed: the cache keeps each cached process open, so
// the id it caches under still names that process. Processes that have
// ended are let go when room is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vxlib/foreground_program.h"

namespace vxlib {

// What the cache asks of the system.
class ProcessProbe {
 public:
  struct Opened {
    uintptr_t handle = 0;  // 0: the process could not be opened
    std::u16string path;   // its executable; empty when it could not be read
  };
  virtual Opened Open(uint32_t process_id) = 0;
  virtual bool Ended(uintptr_t handle) = 0;
  virtual void Close(uintptr_t handle) = 0;

 protected:
  ~ProcessProbe() = default;
};

class ProgramCache {
 public:
  static constexpr size_t kCapacity = 64;

  explicit ProgramCache(ProcessProbe& probe) : probe_(probe) {}
  ProgramCache(const ProgramCache&) = delete;
  ProgramCache& operator=(const ProgramCache&) = delete;
  ~ProgramCache();

  // The program of the process that owns window. A process that could not
  // be opened is not kept open either; its answer holds for that window
  // only, since its id may meanwhile name another process.
  ForegroundKey Of(uint32_t process_id, uintptr_t window);

 private:
  struct Entry {
    uint32_t process_id;
    uintptr_t handle;
    uintptr_t window;  // for an entry without handle
    uint32_t serial;
    std::u16string key;
  };
  void MakeRoom();

  ProcessProbe& probe_;
  std::vector<Entry> entries_;  // the latest in front
  uint32_t last_serial_ = 0;
};

}  // namespace vxlib
