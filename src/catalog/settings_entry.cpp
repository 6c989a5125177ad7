#include "catalog/settings_entry.h"

#include <iterator>
#include <string_view>

#include "catalog/json_values.h"
#include "catalog/utf.h"

namespace tessaro {

using nlohmann::json;

std::optional<BUTTON_SETTING_DEF> ReadSettingsEntry(const json& entry, size_t position) {
  if (!entry.is_object()) throw SettingsFormatError();
  const json* const event_member = PresentMember(entry, "event");
  const json* const define_member = PresentMember(entry, "function_define");
  if (!event_member || !define_member) return std::nullopt;
  if (!event_member->is_object() || !define_member->is_object()) throw SettingsFormatError();
  const json& event = *event_member;
  const json& define = *define_member;

  BUTTON_SETTING_DEF setting{};
  VX_TRIGGER_DEF& t = setting.trigger;
  t.swap45 = static_cast<uint8_t>(ReadJsonInt(event, "swap45"));
  t.model_id = static_cast<uint16_t>(ReadJsonInt(event, "model_id"));
  t.hid_button = static_cast<uint32_t>(ReadJsonInt(event, "hid_button"));
  t.mouse_button = static_cast<uint32_t>(ReadJsonInt(event, "mouse_button"));
  t.slot = static_cast<uint16_t>(position);
  t.usb_pid = static_cast<uint32_t>(ReadJsonInt(event, "usb_pid"));
  t.usb_vid = static_cast<uint32_t>(ReadJsonInt(event, "usb_vid"));
  t.pid = static_cast<uint16_t>(ReadJsonInt(event, "pid"));
  t.vid = static_cast<uint16_t>(ReadJsonInt(event, "vid"));
  t.hid_num_down = static_cast<uint8_t>(ReadJsonInt(event, "hid_num_down"));
  t.hid_num_up = static_cast<uint8_t>(ReadJsonInt(event, "hid_num_up"));
  t.tilt_mask = static_cast<uint8_t>(ReadJsonInt(event, "tilt_mask"));
  t.function.type = static_cast<uint8_t>(ReadJsonInt(define, "type"));
  // Texts longer than their fields are cut to fit.
  CopyToField(ReadJsonText(define, "url"), t.function.url, std::size(t.function.url));
  CopyToField(ReadJsonText(entry, "function_name"), setting.function_name, kFunctionNameUnits);
  ReadJsonBytes(define, "press", t.function.press);
  ReadJsonBytes(define, "release", t.function.release);
  return setting;
}

std::vector<BUTTON_SETTING_DEF> EntryAssignments(const BUTTON_SETTING_DEF& stored) {
  std::vector<BUTTON_SETTING_DEF> out;
  const VX_TRIGGER_DEF& read = stored.trigger;
  if (read.hid_button != 0 || read.mouse_button != 0) {
    BUTTON_SETTING_DEF& button = out.emplace_back(stored);
    button.trigger.hid_num_down = button.trigger.hid_num_up = button.trigger.tilt_mask = 0;
  }
  BUTTON_SETTING_DEF other = stored;
  other.trigger.hid_button = other.trigger.mouse_button = 0;
  if (read.tilt_mask != 0) out.push_back(other);
  if (read.hid_num_down != 0 && read.hid_num_up != 0) out.push_back(other);
  return out;
}

}  // namespace tessaro
