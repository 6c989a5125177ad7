#include "catalog/settings_document.h"

#include <string_view>

#include "catalog/json_values.h"
#include "catalog/utf.h"

namespace tessaro {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

template <size_t N>
void AppendField(std::string& out, const char16_t (&field)[N]) {
  AppendJsonText(out, std::u16string_view(field, FieldLength(field, N)));
}

// Most numbers in the file are bytes; their texts are made once, as
// formatting each number afresh is most of the time a save takes.
struct ByteTexts {
  ByteTexts() {
    for (int value = 0; value < 256; ++value) {
      decimal[value] = FormatNumberText(value, 0);
      hex[value] = FormatNumberText(value, 2);
    }
  }
  std::string decimal[256];
  std::string hex[256];
};

const ByteTexts& TextsOfBytes() {
  static const ByteTexts texts;
  return texts;
}

void AppendMember(std::string& out, std::string_view key, std::string_view text) {
  out += '"';
  out += key;
  out += "\":\"";
  out += text;
  out += '"';
}

// Width as FormatNumberText takes it: 0 decimal, 2 "0x%02x", 4 "0x%04x".
void AppendNumber(std::string& out, std::string_view key, int64_t value, int width) {
  AppendMember(out, key, FormatNumberText(value, width));
}

void AppendByte(std::string& out, std::string_view key, uint8_t value) {
  AppendMember(out, key, TextsOfBytes().decimal[value]);
}

void AppendSequence(std::string& out, const uint8_t (&bytes)[256]) {
  const auto& hex = TextsOfBytes().hex;
  out += '[';
  const size_t count = StoredSequenceLength(bytes);
  for (size_t i = 0; i < count; ++i) {
    if (i) out += ',';
    out += '"';
    out += hex[bytes[i]];
    out += '"';
  }
  out += ']';
}

// Opens the document and writes the members before "trigger_setting".
void AppendGlobals(std::string& out, const SettingsGlobals& globals) {
  out += '{';
  AppendNumber(out, "language id", globals.language_id, 0);
  out += ",\"setting_ver\":\"2\",";
  AppendNumber(out, "slowdown enable", globals.slowdown_enabled, 0);
  out += ',';
  AppendNumber(out, "slowdown modifier", globals.slowdown_modifier, 0);
}

}  // namespace

// JSON string escaping as the JSON library's own dump does it, so a file
// we write and the same document dumped by the library are byte-equal.
void AppendJsonText(std::string& out, std::u16string_view text) {
  out += '"';
  for (const char c : Utf16ToUtf8(text)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHexDigits[(c >> 4) & 0xf];
          out += kHexDigits[c & 0xf];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendSettingsEntry(std::string& out, const BUTTON_SETTING_DEF& setting) {
  const VX_TRIGGER_DEF& t = setting.trigger;
  out += "{\"event\":{";
  AppendNumber(out, "hid_button", t.hid_button, 2);
  out += ',';
  AppendByte(out, "hid_num_down", t.hid_num_down);
  out += ',';
  AppendByte(out, "hid_num_up", t.hid_num_up);
  out += ',';
  AppendNumber(out, "model_id", t.model_id, 0);
  out += ',';
  AppendNumber(out, "mouse_button", t.mouse_button, 2);
  out += ',';
  AppendNumber(out, "pid", t.pid, 0);
  out += ',';
  AppendByte(out, "swap45", t.swap45);
  out += ',';
  AppendByte(out, "tilt_mask", t.tilt_mask);
  out += ',';
  AppendNumber(out, "usb_pid", t.usb_pid, 4);
  out += ',';
  AppendNumber(out, "usb_vid", t.usb_vid, 4);
  out += ',';
  AppendNumber(out, "vid", t.vid, 0);
  out += "},\"function_define\":{\"press\":";
  AppendSequence(out, t.function.press);
  out += ",\"release\":";
  AppendSequence(out, t.function.release);
  out += ',';
  AppendByte(out, "type", t.function.type);
  out += ",\"url\":";
  AppendField(out, t.function.url);
  out += "},\"function_name\":";
  AppendField(out, setting.function_name);
  out += '}';
}

size_t StoredSequenceLength(const uint8_t (&bytes)[256]) {
  size_t count = 256;
  while (count > 1 && bytes[count - 1] == 0) --count;
  return count;
}

std::string FormatSettingsDocument(const SettingsGlobals& globals, const ButtonSettingArray& list,
                                   const std::vector<std::string>& carried) {
  std::string out;
  // An entry with short sequences takes about 330 bytes.
  out.reserve(128 + list.size() * 400);
  AppendGlobals(out, globals);
  if (!list.empty() || !carried.empty()) {
    out += ",\"trigger_setting\":[";
    for (size_t i = 0; i < list.size(); ++i) {
      if (i) out += ',';
      AppendSettingsEntry(out, list[i]);
    }
    for (size_t i = 0; i < carried.size(); ++i) {
      if (i || !list.empty()) out += ',';
      out += carried[i];
    }
    out += ']';
  }
  out += '}';
  return out;
}

}  // namespace tessaro
