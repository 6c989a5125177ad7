#include "vxlib/session_win.h"

#include <string>
#include <string_view>

#include "vxlib/control_handler.h"
#include "vxlib/crash_guard_win.h"
#include "vxlib/real_backend_win.h"
#include "vxlib/scenario_file_win.h"

namespace vxlib {

namespace {

std::string ToUtf8(std::u16string_view text) {
  if (text.empty()) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::u16string FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::u16string out(n > 0 ? n : 0, u'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), length, reinterpret_cast<wchar_t*>(out.data()), n);
  return out;
}

}  // namespace

std::unique_ptr<Session> Session::Open(VX_CALLBACK callback, std::span<const VX_FILTER_DEF> filters,
                                       const LibrarySettings& settings) {
  auto window = EventWindow::Create(callback);
  if (!window) return nullptr;
  if (!ScenarioGiven()) {
    std::unique_ptr<Session> session(
        new Session(std::move(window), std::make_unique<RealBackend>(crash_guard::Held())));
    session->backend_->Start(filters, *session->window_);
    return session;
  }
  auto sim = std::make_unique<SimBackend>(LoadScenarioDevices());
  SimBackend& served = *sim;
  std::unique_ptr<Session> session(new Session(std::move(window), std::move(sim)));
  served.Start(filters, *session->window_);
  // Without its channel the simulation still serves the program.
  session->control_ = ControlServer::Start([sim = &served, &settings](std::string_view line) {
    return HandleControlLine(line, *sim, settings, {ToUtf8, FromUtf8});
  });
  return session;
}

Session::Session(std::unique_ptr<EventWindow> window, std::unique_ptr<Backend> backend)
    : window_(std::move(window)), backend_(std::move(backend)) {}

Session::~Session() {
  control_.reset();
  Stop();
}

void Session::Stop() {
  backend_->Stop();
  window_->Close();
}

}  // namespace vxlib
