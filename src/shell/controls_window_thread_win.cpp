#include "shell/controls_window_thread_win.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace tessaro {
namespace {

constexpr wchar_t kClassName[] = L"TessaroControlTasks";
constexpr UINT kRunTasksMessage = WM_APP + 1;

std::atomic<HWND> tasks_window{nullptr};
std::mutex queue_mutex;
std::deque<std::function<void()>> queue;

void RunQueued() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard hold(queue_mutex);
      if (queue.empty()) return;
      task = std::move(queue.front());
      queue.pop_front();
    }
    task();
  }
}

}  // namespace

WindowThreadTasks::WindowThreadTasks() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &WindowThreadTasks::WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
  tasks_window =
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, window_class.hInstance, nullptr);
}

WindowThreadTasks::~WindowThreadTasks() {
  if (HWND window = tasks_window.exchange(nullptr)) DestroyWindow(window);
  UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
  std::lock_guard hold(queue_mutex);
  queue.clear();
}

void WindowThreadTasks::Run(std::function<void()> task) {
  HWND window = tasks_window.load();
  if (!window) return;
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    // Earlier tasks first, so the order of requests holds.
    RunQueued();
    task();
    return;
  }
  {
    std::lock_guard hold(queue_mutex);
    queue.push_back(std::move(task));
  }
  PostMessageW(window, kRunTasksMessage, 0, 0);
}

LRESULT CALLBACK WindowThreadTasks::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kRunTasksMessage) return DefWindowProcW(window, message, wparam, lparam);
  RunQueued();
  return 0;
}

}  // namespace tessaro
