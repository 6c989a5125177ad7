#include "catalog/profile_document.h"

#include <exception>
#include <nlohmann/json.hpp>

#include "catalog/json_values.h"
#include "catalog/settings_document.h"
#include "catalog/settings_entry.h"
#include "program_name.h"

namespace tessaro {
namespace {

using nlohmann::json;

constexpr int kVersion = 1;

// The profile's entries as an array; false when it is of the wrong form.
bool ReadEntries(const json& profile, ButtonSettingArray& entries) {
  const json* list = PresentMember(profile, "entries");
  if (!list) return true;
  if (!list->is_array()) return false;
  bool whole = true;
  for (size_t i = 0; i < list->size(); ++i) {
    try {
      const auto setting = ReadSettingsEntry((*list)[i], i);
      if (!setting) continue;
      for (const BUTTON_SETTING_DEF& assignment : EntryAssignments(*setting)) ApplyToList(entries, assignment);
    } catch (const std::exception&) {
      whole = false;
    }
  }
  return whole;
}

// One profile; false when it is of the wrong form (what could be read of
// it is in out).
bool ReadProfile(const json& profile, ProgramProfileArray& out) {
  if (!profile.is_object()) return false;
  const std::u16string program = ReadJsonText(profile, "program");
  if (!ValidProgramName(program) || FindProgramProfile(out, program)) return false;
  ProgramProfile& read = out.emplace_back(ProgramProfile{program, ReadJsonText(profile, "path"), {}});
  return ReadEntries(profile, read.entries);
}

}  // namespace

std::string FormatProfileDocument(const ProgramProfileArray& profiles) {
  std::string out = "{\"profiles\":[";
  for (size_t p = 0; p < profiles.size(); ++p) {
    if (p) out += ',';
    out += "{\"entries\":[";
    const ButtonSettingArray& entries = profiles[p].entries;
    for (size_t i = 0; i < entries.size(); ++i) {
      if (i) out += ',';
      AppendSettingsEntry(out, entries[i]);
    }
    out += "],\"path\":";
    AppendJsonText(out, profiles[p].path);
    out += ",\"program\":";
    AppendJsonText(out, profiles[p].program);
    out += '}';
  }
  out += "],\"version\":\"" + std::to_string(kVersion) + "\"}";
  return out;
}

ProfileDocument ReadProfileDocument(std::string_view text) {
  ProfileDocument read;
  if (text.empty()) return read;
  json document;
  try {
    if (!ParseJsonDocument(text, document) || !document.is_object() || ReadJsonInt(document, "version") != kVersion) {
      read.damaged = true;
      return read;
    }
  } catch (const std::exception&) {
    read.damaged = true;
    return read;
  }
  const json* profiles = PresentMember(document, "profiles");
  if (!profiles) return read;
  if (!profiles->is_array()) {
    read.damaged = true;
    return read;
  }
  for (const json& profile : *profiles) {
    if (!ReadProfile(profile, read.profiles)) read.damaged = true;
  }
  return read;
}

}  // namespace tessaro
