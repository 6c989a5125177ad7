#include <mutex>
#include <utility>

#include "catalog/message_box.h"

namespace tessaro {

namespace {

std::mutex shown_mutex;
std::vector<std::u16string> shown;

}  // namespace

void platform::ShowMessageBox(std::u16string_view text) {
  std::lock_guard lock(shown_mutex);
  shown.emplace_back(text);
}

std::vector<std::u16string> TakeShownMessages() {
  std::lock_guard lock(shown_mutex);
  return std::exchange(shown, {});
}

}  // namespace tessaro
