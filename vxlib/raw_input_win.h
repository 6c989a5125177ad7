// The library's Raw Input registration for mice: one per process for a
// usage, so this one both receives every mouse's reports and the mice's
// arrival and removal notices. Its thread, at high priority, keeps the
// device of the latest report (movement, wheel or button; injected input
// names none) in last_device, which the mouse hook reads to know whose
// button its next event is; it receives reports while another program is
// in front too (RIDEV_INPUTSINK). The notices go on to another window, and
// so does word of a report whenever that window has asked for it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

#include "vxlib/message_thread_win.h"

namespace vxlib {

class RawInputReceiver {
 public:
  // Sent to the notices window with WM_INPUT_DEVICE_CHANGE's wparam and
  // lparam.
  static constexpr UINT kDeviceChangeMessage = WM_APP + 0x40;
  // Posted to the notices window at the first report after report_wanted
  // was set, which the receiver clears.
  static constexpr UINT kReportMessage = WM_APP + 0x41;

  // Registers before returning. last_device, report_wanted and notices
  // outlive the receiver.
  RawInputReceiver(std::atomic<uint32_t>& last_device, std::atomic<bool>& report_wanted, HWND notices);
  RawInputReceiver(const RawInputReceiver&) = delete;
  RawInputReceiver& operator=(const RawInputReceiver&) = delete;
  // Ends the registration and joins the thread.
  ~RawInputReceiver() = default;

 private:
  void Run(const std::function<void()>& ready);

  std::atomic<uint32_t>& last_device_;
  std::atomic<bool>& report_wanted_;
  HWND notices_;
  MessageThread thread_;  // last: it uses the members above
};

}  // namespace vxlib
