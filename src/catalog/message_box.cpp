#include "catalog/message_box.h"

#include <memory>
#include <utility>

namespace tessaro {
namespace {

using Texts = std::vector<std::u16string>;

// Plain values only: the MinGW runtime runs the destructors of thread-local
// objects at thread exit after it has freed their storage. The held texts
// exist only while a hold has any.
thread_local int hold_depth = 0;
thread_local Texts* held = nullptr;

}  // namespace

void ShowMessage(std::u16string_view text) {
  if (hold_depth == 0) {
    platform::ShowMessageBox(text);
    return;
  }
  if (!held) held = new Texts;
  held->emplace_back(text);
}

MessageHold::MessageHold() { ++hold_depth; }

MessageHold::~MessageHold() {
  if (--hold_depth > 0) return;
  const std::unique_ptr<Texts> texts(std::exchange(held, nullptr));
  if (texts)
    for (const std::u16string& text : *texts) platform::ShowMessageBox(text);
}

}  // namespace tessaro
