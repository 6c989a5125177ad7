// A settings file that cannot be read is reported once, not at every device
// refresh that reads it again: the message comes back only when the file
// has changed, or after a load of it without a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalog/settings_view.h"

namespace tessaro {

// Stands between one settings load and the window it shows its result in;
// passes everything on, and the load's message only when the previous load
// did not give one for the same bytes of the same file. Loads are
// serialised (SettingsChange), so what it remembers needs no lock.
class MessageOncePerFile final : public SettingsView {
 public:
  // path and text: the file the load reads and its text (empty when there
  // is none).
  MessageOncePerFile(SettingsView& view, std::u16string_view path, std::string_view text);
  ~MessageOncePerFile() override;
  MessageOncePerFile(const MessageOncePerFile&) = delete;
  MessageOncePerFile& operator=(const MessageOncePerFile&) = delete;

  void ShowSlowdown() override;
  void StopRepaintTimer() override;
  void InvalidateWindow() override;
  void ShowMessage(std::u16string_view text) override;

  struct FileText {
    std::u16string path;
    size_t hash = 0;
    size_t size = 0;
    bool operator==(const FileText&) const = default;
  };

 private:
  SettingsView& view_;
  FileText file_;
  bool message_ = false;
};

}  // namespace tessaro
