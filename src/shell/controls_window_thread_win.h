// Work of the controls that must run on the main window's thread (widget
// texts, the tray menu's rows), handed over from the popup list's choice
// threads and the modifier capture thread as a message to a message-only
// window of that thread, in the order it was asked for.
#pragma once

#include <windows.h>

#include <functional>

namespace tessaro {

class WindowThreadTasks {
 public:
  // On the thread that runs the main window, before it runs.
  WindowThreadTasks();
  ~WindowThreadTasks();
  WindowThreadTasks(const WindowThreadTasks&) = delete;
  WindowThreadTasks& operator=(const WindowThreadTasks&) = delete;

  // Any thread: runs task now on the window's thread, else soon there.
  // Dropped while no tasks window exists.
  static void Run(std::function<void()> task);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};

}  // namespace tessaro
