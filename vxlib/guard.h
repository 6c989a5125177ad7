// The body of every exported operation runs inside Guarded: no C++
// exception may cross the library's C boundary.
#pragma once

#include <utility>

namespace vxlib {

template <class R, class F>
R Guarded(R on_failure, F&& body) noexcept {
  try {
    return std::forward<F>(body)();
  } catch (...) {
    return on_failure;
  }
}

}  // namespace vxlib
