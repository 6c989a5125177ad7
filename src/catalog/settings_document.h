// The settings file's text: one compact JSON object, members in byte order
// of their keys, every scalar a string (decimal, or "0x" and lower-case
// hexadecimal in the width of its field). Written directly rather than
// through a JSON tree: the format is fixed and a save should cost little
// more than the bytes it writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/button_setting.h"

namespace tessaro {

struct SettingsGlobals {
  int32_t language_id = 0;
  int32_t slowdown_enabled = 0;
  int32_t slowdown_modifier = 1;
};

// The whole document: the list's entries, then the carried ones (each the
// JSON text of an entry as a file held it, written as it is);
// "trigger_setting" is left out when there are none.
std::string FormatSettingsDocument(const SettingsGlobals& globals, const ButtonSettingArray& list,
                                   const std::vector<std::string>& carried = {});

// One assignment as a "trigger_setting" entry: an object with "event",
// "function_define" and "function_name".
void AppendSettingsEntry(std::string& out, const BUTTON_SETTING_DEF& setting);

// A JSON string of the text, escaped as the JSON library's own dump does
// it, so that a file we write and the same document dumped by the library
// are byte-equal.
void AppendJsonText(std::string& out, std::u16string_view text);

// How many bytes of a press or release sequence are stored: up to the last
// nonzero byte after the first, and never fewer than one.
size_t StoredSequenceLength(const uint8_t (&bytes)[256]);

}  // namespace tessaro
