// A library thread with its own message queue, for hooks, windows and
// posted work. The thread never outlives its owner: destruction asks its
// loop to end (WM_QUIT) and joins it.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

namespace vxlib {

class MessageThread {
 public:
  // Runs body on a new thread that has a message queue. body calls ready
  // once its set-up is done (hooks installed, windows made), then runs the
  // thread's loop and returns when the loop sees WM_QUIT. The constructor
  // returns at ready, or when body ends without it; an exception ends body
  // quietly.
  using Body = std::function<void(const std::function<void()>& ready)>;
  explicit MessageThread(Body body);
  MessageThread(const MessageThread&) = delete;
  MessageThread& operator=(const MessageThread&) = delete;
  ~MessageThread();

  DWORD id() const { return id_; }
  bool Post(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;

 private:
  DWORD id_ = 0;
  std::thread thread_;
};

// Points T::current, a thread_local pointer, at state for as long as it
// lives: the window procedures and hook callbacks of a library thread carry
// no context and find the thread's state through it.
template <class T>
class CurrentOnThisThread {
 public:
  explicit CurrentOnThisThread(T& state) { T::current = &state; }
  CurrentOnThisThread(const CurrentOnThisThread&) = delete;
  CurrentOnThisThread& operator=(const CurrentOnThisThread&) = delete;
  ~CurrentOnThisThread() { T::current = nullptr; }
};

}  // namespace vxlib
