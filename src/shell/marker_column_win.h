// Rebuilds of the marker column, asked for on any thread (device refresh
// workers, menu choices, the window itself), run on the main window's
// thread, which owns the widgets and paints them. Requests from other
// threads travel as a message to a message-only window of that thread;
// requests that arrive before it gets to them are served by one rebuild,
// which reads the state of its own moment.
#pragma once

#include <windows.h>

namespace tessaro {

class MarkerColumnRequests {
 public:
  // On the thread that runs the main window, before it runs.
  MarkerColumnRequests();
  ~MarkerColumnRequests();
  MarkerColumnRequests(const MarkerColumnRequests&) = delete;
  MarkerColumnRequests& operator=(const MarkerColumnRequests&) = delete;

  // Any thread: rebuilds now on the window's thread, else soon there.
  // Nothing while no requests window or no main window exists.
  static void Request();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

}  // namespace tessaro
