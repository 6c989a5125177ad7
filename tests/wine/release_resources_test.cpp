// What Tessaro.exe carries for Windows itself, as the system reads it in a
// program built with the same resources: the cut tool's cursors load with
// their hot spots at every size, and the manifest takes effect (common
// controls 6, per-monitor DPI awareness v2).
#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <string>

namespace {

struct CursorCase {
  int id;
  int hot_x;  // in the 32 px image
  int hot_y;
};

// 146 is the tool's own cursor, the others its table {153, 149, 150, 151,
// 152, 147}.
constexpr CursorCase kCursors[] = {
    {146, 16, 16}, {147, 8, 8}, {149, 16, 16}, {150, 16, 16}, {151, 16, 16}, {152, 16, 16}, {153, 16, 16},
};

class ScopedIconInfo {
 public:
  explicit ScopedIconInfo(HICON icon) { ok_ = GetIconInfo(icon, &info_) != FALSE; }
  ~ScopedIconInfo() {
    if (!ok_) return;
    if (info_.hbmColor) DeleteObject(info_.hbmColor);
    if (info_.hbmMask) DeleteObject(info_.hbmMask);
  }
  ScopedIconInfo(const ScopedIconInfo&) = delete;
  ScopedIconInfo& operator=(const ScopedIconInfo&) = delete;
  bool ok() const { return ok_; }
  const ICONINFO& get() const { return info_; }

 private:
  ICONINFO info_{};
  bool ok_ = false;
};

int BitmapWidth(HBITMAP bitmap) {
  BITMAP info{};
  return GetObjectW(bitmap, sizeof info, &info) ? info.bmWidth : -1;
}

TEST(ReleaseResources, EveryCutToolCursorLoadsWithItsHotSpotAtEachSize) {
  for (const CursorCase& c : kCursors) {
    for (int size : {32, 48, 64}) {
      const auto cursor = static_cast<HCURSOR>(
          LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.id), IMAGE_CURSOR, size, size, 0));
      ASSERT_NE(cursor, nullptr) << "cursor " << c.id << " at " << size;
      {
        const ScopedIconInfo info(cursor);
        ASSERT_TRUE(info.ok()) << c.id;
        EXPECT_FALSE(info.get().fIcon) << c.id;
        // A colour cursor with alpha, not a black-and-white one.
        EXPECT_NE(info.get().hbmColor, nullptr) << c.id;
        EXPECT_EQ(BitmapWidth(info.get().hbmColor), size) << "cursor " << c.id;
        EXPECT_EQ(static_cast<int>(info.get().xHotspot), c.hot_x * size / 32) << "cursor " << c.id << " at " << size;
        EXPECT_EQ(static_cast<int>(info.get().yHotspot), c.hot_y * size / 32) << "cursor " << c.id << " at " << size;
      }
      DestroyCursor(cursor);
    }
  }
}

// The common controls come from the side-by-side assembly of version 6
// that the manifest names, not from the system folder's version 5.
TEST(ReleaseResources, ManifestBringsCommonControlsSix) {
  HMODULE controls = GetModuleHandleW(L"comctl32.dll");
  if (!controls) controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  wchar_t path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(controls, path, MAX_PATH), 0u);
  std::wstring lower(path);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
  EXPECT_NE(lower.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
      << std::string(lower.begin(), lower.end());
}

// A setting of the manifest as the system reads it from the process's
// activation context; empty when there is none.
std::wstring ManifestSetting(const wchar_t* name_space, const wchar_t* name) {
  wchar_t value[256] = {};
  SIZE_T written = 0;
  if (!QueryActCtxSettingsW(0, nullptr, name_space, name, value, 256, &written)) return L"";
  return value;
}

TEST(ReleaseResources, ManifestMakesTheProcessPerMonitorDpiAware) {
  EXPECT_EQ(ManifestSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  EXPECT_EQ(ManifestSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"), L"true/pm");
  const DPI_AWARENESS_CONTEXT context = GetThreadDpiAwarenessContext();
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(context), DPI_AWARENESS_PER_MONITOR_AWARE);
  // Version 2 where the system has it (Windows 10 1703 on); the manifest
  // names version 1 after it for older systems.
  if (IsValidDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
    EXPECT_TRUE(AreDpiAwarenessContextsEqual(context, DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2));
  }
}

}  // namespace
