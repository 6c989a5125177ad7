#include "vxlib/crash_guard_win.h"

#include <windows.h>

#include <atomic>
#include <iterator>

#include "vxlib/input_sender_win.h"

namespace vxlib::crash_guard {

namespace {

constinit HeldInput held;
std::atomic<LPTOP_LEVEL_EXCEPTION_FILTER> previous{nullptr};
std::atomic<bool> installed{false};
// The filter is reached on a crash: in front, or behind one that was
// installed after it and hands on to it.
std::atomic<bool> chained{false};
std::atomic_flag released = ATOMIC_FLAG_INIT;
// Static: a crash may have left little of its thread's stack. One key per
// code and five buttons at most.
INPUT inputs[256 + 5];

void ReleaseHeld() {
  // The first crashing thread only: the buffer is not shared.
  if (released.test_and_set()) return;
  UINT count = 0;
  held.ForEachRelease([&](const InputRecord& r) {
    if (count < std::size(inputs)) inputs[count++] = ToInput(r);
  });
  if (count > 0) SendInput(count, inputs, sizeof(INPUT));
  if (const int speed = held.SpeedToRestore()) {
    SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<void*>(static_cast<intptr_t>(speed)), 0);
  }
}

LONG WINAPI Filter(EXCEPTION_POINTERS* exception) {
  if (installed.load()) ReleaseHeld();
  const LPTOP_LEVEL_EXCEPTION_FILTER next = previous.load();
  return next ? next(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

HeldInput& Held() { return held; }

void Install() {
  if (installed.exchange(true)) return;
  released.clear();
  // Still reached behind another filter: put in front again, it would hand
  // on to that one, and that one back to it.
  if (chained.exchange(true)) return;
  previous.store(SetUnhandledExceptionFilter(Filter));
}

void Uninstall() {
  if (!installed.exchange(false)) return;
  const LPTOP_LEVEL_EXCEPTION_FILTER current = SetUnhandledExceptionFilter(previous.load());
  if (current == Filter) {
    chained.store(false);
  } else {
    SetUnhandledExceptionFilter(current);
  }
}

}  // namespace vxlib::crash_guard
