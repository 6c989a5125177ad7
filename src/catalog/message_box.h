// The application's message box: a short fixed text that tells the user a
// document could not be read. Natively the texts are recorded instead.
//
// A box waits for the user, and nobody may wait for it meanwhile: while a
// thread holds a lock that the window's thread also takes (SettingsChange
// holds a MessageHold), the texts it shows are held back and shown once it
// has let go of the lock.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Shows text now, or when this thread's outermost MessageHold ends.
void ShowMessage(std::u16string_view text);

// Holds back the messages this thread shows while it lives; nested holds
// count as one. Declare it before the lock it goes with, so the lock is
// released first.
class MessageHold {
 public:
  MessageHold();
  ~MessageHold();
  MessageHold(const MessageHold&) = delete;
  MessageHold& operator=(const MessageHold&) = delete;
};

namespace platform {
// The box itself (message_box_win.cpp), or natively its record.
void ShowMessageBox(std::u16string_view text);
}  // namespace platform

#if !defined(_WIN32)
// The texts shown since the last call, oldest first; clears the record.
std::vector<std::u16string> TakeShownMessages();
#endif

}  // namespace tessaro
