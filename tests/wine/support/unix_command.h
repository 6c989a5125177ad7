// Runs commands of the Linux host from a Wine test program: xdotool to
// move the pointer and type on the X display Wine draws on, import to take
// screenshots. Each call waits until the command finished, handling this
// thread's window messages meanwhile, so the windows under test react to the
// input as it arrives.
#pragma once

#include <string>

namespace tessaro::test {

// Runs `command` with /bin/sh. False when it could not start, did not finish
// within `timeout_ms` or exited with a nonzero status.
bool RunUnixCommand(const std::string& command, int timeout_ms = 10000);

// xdotool with the given arguments, e.g. Xdotool("mousemove 100 200").
bool Xdotool(const std::string& arguments);

// Saves the screen rectangle as a PNG file (a Linux path).
bool CaptureScreen(const std::string& png_path, int x, int y, int width, int height);

// Handles this thread's messages for `ms` milliseconds.
void PumpMessagesFor(int ms);

// Handles messages until `done` holds or `timeout_ms` passed; returns done().
template <class Predicate>
bool PumpMessagesUntil(Predicate done, int timeout_ms = 3000) {
  for (int waited = 0; !done() && waited < timeout_ms; waited += 10) PumpMessagesFor(10);
  return done();
}

}  // namespace tessaro::test
