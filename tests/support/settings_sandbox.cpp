#include "support/settings_sandbox.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <stdexcept>

#include "catalog/language_table.h"
#include "catalog/settings_store.h"
#include "catalog/utf.h"
#include "device/button_setting.h"
#include "device/device_detection.h"
#include "device/program_profiles.h"
#include "shell/profile_selection.h"
#include "support/fake_vxlib.h"

namespace test_support {
namespace {

// In memory when the system offers it: every save flushes to the disk,
// which on a busy disk makes the tests slow without testing more.
std::string MakeFolder() {
  const char* base = std::getenv("TMPDIR");
  const std::string root = base && *base ? base : std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  std::string pattern = root + "/tessaro-settings-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

void ResetGlobals() {
  fake_vxlib::Reset();
  {
    std::lock_guard hold(tessaro::ButtonSettingLock());
    tessaro::ButtonSettingList().clear();
    tessaro::ProgramProfileList().clear();
  }
  tessaro::SelectProfile(u"");
  tessaro::SlowdownEnabled = 0;
  tessaro::SlowdownModifier = 1;
  tessaro::SettingsLoaded = 0;
  {
    const tessaro::SettingsChange hold;
    tessaro::KeepUnreadEntries({});
  }
  tessaro::LanguageId = 1033;
  tessaro::SelectedModel = -1;
  tessaro::CurrentDevice = 0;
  tessaro::MultipleModelsConnected = 0;
}

}  // namespace

SettingsSandbox::SettingsSandbox() : folder_(MakeFolder()), saved_models_(std::move(tessaro::Models().models)) {
  tessaro::Models().models.clear();
  tessaro::SetSettingsFolder(tessaro::Utf8ToUtf16(folder_ + "/"));
  ResetGlobals();
}

SettingsSandbox::~SettingsSandbox() {
  ResetGlobals();
  tessaro::Models().models = std::move(saved_models_);
  tessaro::SetSettingsFolder(u"");
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void SettingsSandbox::ResetState() const { ResetGlobals(); }

std::string SettingsSandbox::FilePath() const { return folder_ + "/buttonSetting.json"; }

void SettingsSandbox::WriteSettingsFile(std::string_view text) const { WriteFile("buttonSetting.json", text); }

std::string SettingsSandbox::ReadSettingsFile() const { return ReadFile("buttonSetting.json"); }

void SettingsSandbox::WriteFile(std::string_view name, std::string_view text) const {
  std::ofstream(folder_ + "/" + std::string(name), std::ios::binary) << text;
}

std::string SettingsSandbox::ReadFile(std::string_view name) const {
  std::ifstream in(folder_ + "/" + std::string(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool SettingsSandbox::SettingsFileExists() const { return std::filesystem::exists(FilePath()); }

std::vector<std::string> SettingsSandbox::FolderEntries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace test_support
