// The application object: process start and end. It reads the command
// line, lets one instance run (a later start asks that instance to show
// itself, or with "/close" to end), starts the services the program holds
// for the whole run and runs the main dialog modally; when the dialog
// ends, the process ends. It has no message loop of its own.
#pragma once

#include <windows.h>

namespace tessaro {

class CTessaroApp {
 public:
  explicit CTessaroApp(HINSTANCE instance) : instance_(instance) {}

  // Everything from start to end. FALSE, as the framework expects when the
  // process is to end; exit_code() says how it went.
  BOOL InitInstance();

  // 0, or 1 when the program could not start at all.
  int exit_code() const { return exit_code_; }

 private:
  HINSTANCE instance_;
  int exit_code_ = 0;
};

}  // namespace tessaro
