#include "vxlib/pointer_speed_win.h"

#include <windows.h>

#include <utility>

#include "vxlib/slowdown.h"

namespace vxlib {

namespace {

constexpr wchar_t kKeyPath[] = L"Software\\Vornel\\VXLIB";
constexpr wchar_t kValueName[] = L"SavedMouseSpeed";

class UniqueKey {
 public:
  UniqueKey() = default;
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  ~UniqueKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::optional<int> ReadSaved() {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kKeyPath, kValueName, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

void WriteSaved(int speed) {
  UniqueKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(), nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  const DWORD value = static_cast<DWORD>(speed);
  RegSetValueExW(key.get(), kValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void DeleteSaved() {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_SET_VALUE, key.out()) != ERROR_SUCCESS) return;
  RegDeleteValueW(key.get(), kValueName);
}

std::optional<int> CurrentSpeed() {
  int speed = 0;
  if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return std::nullopt;
  return speed;
}

// For this session only: the user's stored setting stays as it is.
void SetSpeed(int speed) {
  SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<void*>(static_cast<intptr_t>(speed)), 0);
}

bool ValidSpeed(int speed) { return speed >= 1 && speed <= 20; }

}  // namespace

void PointerSpeed::RecoverSaved() {
  const auto saved = ReadSaved();
  if (!saved) return;
  if (ValidSpeed(*saved)) SetSpeed(*saved);
  DeleteSaved();
}

void PointerSpeed::Lower() {
  if (user_speed_) return;
  const auto speed = CurrentSpeed();
  if (!speed || !ValidSpeed(*speed)) return;
  // Saved before lowering: a crash in between must not lose it.
  WriteSaved(*speed);
  held_.SpeedLowered(*speed);
  user_speed_ = speed;
  SetSpeed(SlowedSpeed(*speed));
}

void PointerSpeed::Restore() {
  if (!user_speed_) return;
  SetSpeed(*std::exchange(user_speed_, std::nullopt));
  held_.SpeedRestored();
  DeleteSaved();
}

}  // namespace vxlib
