// Scoped start-ups of system services the program holds for a whole run:
// each undoes its start in its destructor, and only when the start worked.
#pragma once

// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <objbase.h>
// clang-format on

#include <utility>

namespace tessaro {

// Windows Sockets, version 2.2.
class WinsockSession {
 public:
  WinsockSession() : started_(WSAStartup(MAKEWORD(2, 2), &data_) == 0) {}
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;

  explicit operator bool() const { return started_; }

 private:
  WSADATA data_{};
  bool started_;
};

// COM for the calling thread as a single-threaded apartment. Ends on the
// thread that started it, so the owner lives and dies on one thread.
class ComApartment {
 public:
  ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (started_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool started_;
};

}  // namespace tessaro
