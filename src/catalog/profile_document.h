// The text of the profile file, "appProfiles.json": one compact JSON
// object, members in byte order of their keys, written the way the
// settings file is:
//
//   {"profiles":[{"entries":[<entry>,...],"path":"C:\\...\\tool.exe",
//                 "program":"tool.exe"},...],"version":"1"}
//
// Each entry has the form of a "trigger_setting" entry of buttonSetting.json.
#pragma once

#include <string>
#include <string_view>

#include "device/program_profiles.h"

namespace tessaro {

std::string FormatProfileDocument(const ProgramProfileArray& profiles);

struct ProfileDocument {
  // Everything that could be read, in file order.
  ProgramProfileArray profiles;
  // Some of the file could not be read: it is no JSON object, its version
  // is not 1, "profiles" is no array, or a profile or an entry is of the
  // wrong form (a profile without a valid program name, a second profile of
  // one program, an entry the settings reader refuses).
  bool damaged = false;
};

// Reads what it can; never throws for any text. An empty text is a file
// without profiles.
ProfileDocument ReadProfileDocument(std::string_view text);

}  // namespace tessaro
