// Which program owns the foreground window, as the hook asks at a press:
// the folded file name of its executable. A source answers from a cache
// per process, so that a press costs a name look-up only in a program seen
// for the first time.
#pragma once

#include <cstdint>
#include <string_view>

namespace vxlib {

struct ForegroundKey {
  // Another serial, another program (or the same program looked up anew):
  // what was worked out from the key before is to be worked out again.
  // 0 with an empty key: nothing is in front.
  uint32_t serial = 0;
  // FoldProgramName of its file name; empty when that could not be read.
  // Valid until the next call.
  std::u16string_view key;
};

class ForegroundProgram {
 public:
  virtual ForegroundKey Current() = 0;

 protected:
  ~ForegroundProgram() = default;
};

}  // namespace vxlib
