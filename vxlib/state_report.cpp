#include "vxlib/state_report.h"

namespace vxlib {

namespace {

template <size_t N>
nlohmann::json TrimmedBytes(const uint8_t (&bytes)[N]) {
  size_t n = N;
  while (n > 0 && bytes[n - 1] == 0) --n;
  return nlohmann::json(std::vector<uint8_t>(bytes, bytes + n));
}

template <size_t N>
std::u16string_view FieldText(const char16_t (&field)[N]) {
  size_t n = 0;
  while (n < N && field[n] != 0) ++n;
  return {field, n};
}

}  // namespace

nlohmann::json FunctionToJson(const VX_FUNCTION_DEF& f, Utf8Encoder to_utf8) {
  return {{"type", f.type},
          {"reserved", TrimmedBytes(f.reserved)},
          {"press", TrimmedBytes(f.press)},
          {"release", TrimmedBytes(f.release)},
          {"url", to_utf8(FieldText(f.url))}};
}

nlohmann::json TriggerToJson(const VX_TRIGGER_DEF& t, Utf8Encoder to_utf8) {
  return {{"hid_button", t.hid_button},
          {"mouse_button", t.mouse_button},
          {"model_id", t.model_id},
          {"pid", t.pid},
          {"vid", t.vid},
          {"reserved1", t.reserved1},
          {"usb_vid", t.usb_vid},
          {"usb_pid", t.usb_pid},
          {"slot", t.slot},
          {"hid_num_down", t.hid_num_down},
          {"hid_num_up", t.hid_num_up},
          {"tilt_mask", t.tilt_mask},
          {"swap45", t.swap45},
          {"reserved2", t.reserved2},
          {"function", FunctionToJson(t.function, to_utf8)}};
}

nlohmann::json StateReport(const SimSnapshot& sim, const SettingsSnapshot& settings, Utf8Encoder to_utf8) {
  auto triggers = nlohmann::json::array();
  for (const auto& t : sim.triggers) triggers.push_back(TriggerToJson(t, to_utf8));

  auto masks = nlohmann::json::array();
  for (const auto& [handle, m] : sim.button_masks)
    masks.push_back(
        {{"handle", handle}, {"mask1", m.mask1}, {"mask2", m.mask2}, {"mask3", m.mask3}, {"sub_id", m.sub_id}});

  auto error_texts = nlohmann::json::object();
  for (const auto& [index, text] : settings.error_texts) error_texts[std::to_string(index)] = to_utf8(text);

  auto devices = nlohmann::json::array();
  for (const auto& d : sim.devices) devices.push_back(DeviceToJson(d));

  auto profiles = nlohmann::json::array();
  for (const auto& p : sim.profiles) {
    auto profile_triggers = nlohmann::json::array();
    for (const auto& t : p.triggers) profile_triggers.push_back(TriggerToJson(t, to_utf8));
    profiles.push_back({{"program", to_utf8(p.name)}, {"triggers", std::move(profile_triggers)}});
  }

  return {{"running", sim.running},
          {"devices", std::move(devices)},
          {"triggers", std::move(triggers)},
          {"slowdown_modifier", sim.slowdown_modifier},
          {"button_masks", std::move(masks)},
          {"error_texts", std::move(error_texts)},
          {"font", {{"name", to_utf8(settings.font_name)}, {"size", settings.font_size}}},
          {"cursors", {{"cursor_id", settings.cursors.cursor_id}, {"cursor_ids", settings.cursors.cursor_ids}}},
          {"instance", settings.instance},
          {"profiles", std::move(profiles)},
          {"foreground", sim.foreground ? nlohmann::json(to_utf8(*sim.foreground)) : nlohmann::json()}};
}

}  // namespace vxlib
