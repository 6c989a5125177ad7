// A clean slate for tests of assignments, the settings and profile files
// and device detection: the fake driver reset, the assignment list and the
// programs' profiles empty, "All programs" shown, the globals
// at their start values, an empty model catalogue (the previous one comes
// back afterwards) and a fresh folder for the settings file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/model_catalogue.h"

namespace test_support {

class SettingsSandbox {
 public:
  SettingsSandbox();
  ~SettingsSandbox();
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;

  // The clean slate again within the same folder (for many runs in one
  // sandbox): the fake driver, the list and the globals reset.
  void ResetState() const;

  const std::string& folder() const { return folder_; }
  std::string FilePath() const;
  void WriteSettingsFile(std::string_view text) const;
  // The file's bytes; empty when there is none.
  std::string ReadSettingsFile() const;
  bool SettingsFileExists() const;
  // Any file of the folder by its name; ReadFile is empty when there is
  // none.
  void WriteFile(std::string_view name, std::string_view text) const;
  std::string ReadFile(std::string_view name) const;
  // Names of everything in the folder, sorted.
  std::vector<std::string> FolderEntries() const;

 private:
  std::string folder_;
  std::vector<tessaro::MODEL_DEF> saved_models_;
};

}  // namespace test_support
