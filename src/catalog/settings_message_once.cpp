#include "catalog/settings_message_once.h"

#include <functional>

namespace tessaro {
namespace {

// The file whose load gave the last message; empty after a load without
// one. Never destroyed: a refresh worker may still load while the process
// exits.
MessageOncePerFile::FileText& Reported() {
  static auto* const reported = new MessageOncePerFile::FileText;
  return *reported;
}

}  // namespace

MessageOncePerFile::MessageOncePerFile(SettingsView& view, std::u16string_view path, std::string_view text)
    : view_(view), file_{std::u16string(path), std::hash<std::string_view>{}(text), text.size()} {}

MessageOncePerFile::~MessageOncePerFile() { Reported() = message_ ? file_ : FileText{}; }

void MessageOncePerFile::ShowSlowdown() { view_.ShowSlowdown(); }

void MessageOncePerFile::StopRepaintTimer() { view_.StopRepaintTimer(); }

void MessageOncePerFile::InvalidateWindow() { view_.InvalidateWindow(); }

void MessageOncePerFile::ShowMessage(std::u16string_view text) {
  if (Reported() != file_) view_.ShowMessage(text);
  message_ = true;
}

}  // namespace tessaro
