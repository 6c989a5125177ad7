#include "vxlib/control_handler.h"

#include <cstdint>
#include <optional>
#include <string>

#include "vxlib/json_number.h"

namespace vxlib {

namespace {

nlohmann::json Error(const char* text) { return {{"ok", false}, {"error", text}}; }

nlohmann::json Reply(SimResult result) {
  switch (result) {
    case SimResult::kOk:
      return {{"ok", true}};
    case SimResult::kNotRunning:
      return Error("library not running");
    case SimResult::kHandleInUse:
      return Error("handle in use");
    case SimResult::kNoSuchDevice:
      return Error("no such device");
  }
  return Error("internal error");
}

std::optional<int64_t> Required(const nlohmann::json& command, const char* key, int64_t min, int64_t max) {
  const auto it = command.find(key);
  if (it == command.end()) return {};
  return ReadWholeNumber(*it, min, max);
}

// true/false, or a number that is true when not 0 (as the event record has it).
std::optional<bool> RequiredFlag(const nlohmann::json& command, const char* key) {
  const auto it = command.find(key);
  if (it == command.end()) return {};
  if (it->is_boolean()) return it->get<bool>();
  const auto number = ReadWholeNumber(*it, INT32_MIN, INT32_MAX);
  if (!number) return {};
  return *number != 0;
}

// The event a command asks for; only the kinds that the channel may cause
// on its own (device changes come from plug and unplug).
std::optional<PendingEvent> EventOf(const nlohmann::json& command) {
  const auto kind = Required(command, "kind", INT32_MIN, INT32_MAX);
  if (!kind) return {};
  switch (*kind) {
    case VX_EVENT_DEVICE_CHANGED:
      return PendingEvent::Plain(VX_EVENT_DEVICE_CHANGED);
    case VX_EVENT_WINDOW_ACTIVATED: {
      const auto window = Required(command, "window", 0, INT64_MAX);
      if (!window) return {};
      return PendingEvent::WindowActivated(static_cast<uint64_t>(*window));
    }
    case VX_EVENT_STATE_CHANGED: {
      const auto state = Required(command, "state", INT32_MIN, INT32_MAX);
      if (!state) return {};
      return PendingEvent::StateChanged(static_cast<int32_t>(*state));
    }
    case VX_EVENT_KEY_INPUT: {
      const auto vk = Required(command, "vk", 0, INT32_MAX);
      const auto scan = Required(command, "scan", 0, INT32_MAX);
      const auto down = RequiredFlag(command, "down");
      if (!vk || !scan || !down) return {};
      return PendingEvent::KeyInput(static_cast<int32_t>(*vk), static_cast<int32_t>(*scan), *down);
    }
    default:
      return {};
  }
}

// A button event a command names: "button" one of right, middle, back,
// forward with "edge" down or up, or tilt_left or tilt_right (a step).
std::optional<ButtonEvent> ButtonEventOf(const nlohmann::json& command) {
  const auto text = [&](const char* key) {
    const auto it = command.find(key);
    return it != command.end() && it->is_string() ? it->get<std::string>() : std::string();
  };
  const std::string button = text("button");
  if (button == "tilt_left") return ButtonEvent{Button::kTiltLeft, Edge::kNotch};
  if (button == "tilt_right") return ButtonEvent{Button::kTiltRight, Edge::kNotch};
  const std::string edge = text("edge");
  if (edge != "down" && edge != "up") return {};
  const Edge e = edge == "down" ? Edge::kDown : Edge::kUp;
  if (button == "right") return ButtonEvent{Button::kRight, e};
  if (button == "middle") return ButtonEvent{Button::kMiddle, e};
  if (button == "back") return ButtonEvent{Button::kBack, e};
  if (button == "forward") return ButtonEvent{Button::kForward, e};
  return {};
}

nlohmann::json Handle(const nlohmann::json& command, SimBackend& sim, const LibrarySettings& settings,
                      const TextCodec& codec) {
  if (!command.is_object()) return Error("not a JSON object");
  const auto cmd = command.find("cmd");
  if (cmd == command.end() || !cmd->is_string()) return Error("missing cmd");
  const auto& name = cmd->get_ref<const std::string&>();
  if (name == "plug") {
    const auto device = command.find("device");
    auto parsed = device == command.end() ? std::nullopt : ParseDevice(*device);
    if (!parsed) return Error("bad device");
    return Reply(sim.Plug(std::move(*parsed)));
  }
  if (name == "unplug") {
    const auto handle = Required(command, "handle", 0, UINT32_MAX);
    if (!handle) return Error("bad handle");
    return Reply(sim.Unplug(static_cast<uint32_t>(*handle)));
  }
  if (name == "event") {
    auto event = EventOf(command);
    if (!event) return Error("bad event");
    return Reply(sim.Inject(std::move(*event)));
  }
  if (name == "foreground") {
    const auto program = command.find("program");
    if (program == command.end() || !program->is_string()) return Error("bad program");
    sim.SetForeground(codec.from_utf8(program->get_ref<const std::string&>()));
    return {{"ok", true}};
  }
  if (name == "button") {
    const auto event = ButtonEventOf(command);
    // Without a handle: a device that is not listed.
    const std::optional<int64_t> handle =
        command.contains("handle") ? Required(command, "handle", 0, UINT32_MAX) : std::optional<int64_t>(0);
    if (!event || !handle) return Error("bad button");
    SimPress press;
    const SimResult result = sim.Press(static_cast<uint32_t>(*handle), *event, press);
    if (result != SimResult::kOk) return Reply(result);
    return {{"ok", true},
            {"swallowed", press.swallowed},
            {"profile", press.profile ? nlohmann::json(codec.to_utf8(*press.profile)) : nlohmann::json()},
            {"function", press.function ? FunctionToJson(*press.function, codec.to_utf8) : nlohmann::json()}};
  }
  if (name == "state") {
    auto reply = StateReport(sim.Snapshot(), settings.Snapshot(), codec.to_utf8);
    reply["ok"] = true;
    return reply;
  }
  return Error("unknown cmd");
}

}  // namespace

std::string HandleControlLine(std::string_view line, SimBackend& sim, const LibrarySettings& settings,
                              const TextCodec& codec) {
  try {
    const auto command = nlohmann::json::parse(line, nullptr, /*allow_exceptions=*/false);
    if (command.is_discarded()) return Error("not JSON").dump();
    return Handle(command, sim, settings, codec).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  } catch (const std::exception&) {
    return Error("internal error").dump();
  }
}

}  // namespace vxlib
